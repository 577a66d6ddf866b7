// A loud, full passage of ordinary General MIDI music, for the benchmarks'
// synthesizer load: a piano melody with strings, bass and brass chords and a
// drum kit, at velocities of 90 to 110.

#include "band_midi.h"

#include "support/media_fixtures.h"

#include <algorithm>
#include <vector>

namespace brookhum::bench {

namespace {

void appendBigEndian(QByteArray &out, quint32 value, int bytes)
{
    for (int i = bytes - 1; i >= 0; --i)
        out.append(char((value >> (8 * i)) & 0xff));
}

// MIDI's variable-length quantity: seven bits a byte, most significant first.
void appendVariableLength(QByteArray &out, quint32 value)
{
    QByteArray reversed;
    reversed.append(char(value & 0x7f));
    while (value >>= 7)
        reversed.append(char((value & 0x7f) | 0x80));
    std::reverse(reversed.begin(), reversed.end());
    out.append(reversed);
}

struct MidiEvent {
    int tick;
    int order; // at the same tick: program changes, then note-offs, then note-ons
    QByteArray bytes;
};

class MidiTrack {
public:
    explicit MidiTrack(int endTick) : m_endTick(endTick) {}

    void program(int channel, int program)
    {
        m_events.push_back({0, 0, bytes({0xc0 | channel, program})});
    }

    // A note cut off at the end of the piece; nothing starts at or after it.
    void note(int channel, int key, int velocity, int start, int length)
    {
        if (start >= m_endTick)
            return;
        const int end = std::min(start + length, m_endTick);
        m_events.push_back({start, 2, bytes({0x90 | channel, key, velocity})});
        m_events.push_back({end, 1, bytes({0x80 | channel, key, 0})});
    }

    QByteArray chunk()
    {
        std::stable_sort(m_events.begin(), m_events.end(), [](const MidiEvent &a, const MidiEvent &b) {
            return a.tick != b.tick ? a.tick < b.tick : a.order < b.order;
        });
        QByteArray data;
        // 500000 microseconds a quarter note at 500 ticks a quarter note: one
        // tick is one millisecond.
        appendVariableLength(data, 0);
        data.append(bytes({0xff, 0x51, 0x03, 0x07, 0xa1, 0x20}));
        int tick = 0;
        for (const MidiEvent &event : m_events) {
            appendVariableLength(data, quint32(event.tick - tick));
            data.append(event.bytes);
            tick = event.tick;
        }
        appendVariableLength(data, quint32(m_endTick - tick));
        data.append(bytes({0xff, 0x2f, 0x00}));

        QByteArray out("MTrk");
        appendBigEndian(out, quint32(data.size()), 4);
        return out + data;
    }

private:
    static QByteArray bytes(std::initializer_list<int> values)
    {
        QByteArray out;
        for (int value : values)
            out.append(char(value));
        return out;
    }

    int m_endTick;
    std::vector<MidiEvent> m_events;
};

constexpr int MelodyChannel = 0;
constexpr int StringsChannel = 1;
constexpr int BassChannel = 2;
constexpr int BrassChannel = 3;
constexpr int DrumChannel = 9;

void addMelody(MidiTrack &track, int durationMs, int velocity)
{
    static const int scale[] = {60, 62, 64, 65, 67, 69, 71, 72, 71, 69, 67, 65, 64, 62};
    int step = 0;
    for (int start = 0; start < durationMs; start += 250, ++step)
        track.note(MelodyChannel, scale[static_cast<std::size_t>(step) % std::size(scale)], velocity, start, 250);
}

// Chords on strings and brass, a bass line and a drum kit, all loud, as in
// the fullest passage of an ordinary General MIDI file.
void addBand(MidiTrack &track, int durationMs)
{
    static const int roots[] = {48, 53, 55, 45}; // C, F, G, A minor
    static const int thirds[] = {4, 4, 4, 3};
    track.program(StringsChannel, 49);
    track.program(BassChannel, 33);
    track.program(BrassChannel, 61);
    for (int bar = 0; bar * 1000 < durationMs; ++bar) {
        const int start = bar * 1000;
        const int root = roots[bar % 4];
        const int third = thirds[bar % 4];
        for (int interval : {12, 12 + third, 19})
            track.note(StringsChannel, root + interval, 100, start, 1000);
        for (int beat = 0; beat < 2; ++beat) {
            track.note(BassChannel, root - 12, 110, start + 500 * beat, 450);
            for (int interval : {12 + third, 19})
                track.note(BrassChannel, root + interval, 100, start + 500 * beat, 200);
            track.note(DrumChannel, 36, 110, start + 500 * beat, 100);       // kick
            track.note(DrumChannel, 38, 110, start + 500 * beat + 250, 100); // snare
        }
        for (int eighth = 0; eighth < 8; ++eighth)
            track.note(DrumChannel, 42, 90, start + 125 * eighth, 60); // closed hi-hat
    }
}

} // namespace

void writeBandMidi(const QString &path, int durationMs)
{
    MidiTrack track(durationMs);
    track.program(MelodyChannel, 0);
    addMelody(track, durationMs, 110);
    addBand(track, durationMs);

    QByteArray out("MThd");
    appendBigEndian(out, 6, 4);
    appendBigEndian(out, 0, 2);   // format 0: one track
    appendBigEndian(out, 1, 2);   // one track
    appendBigEndian(out, 500, 2); // ticks a quarter note
    test::writeFile(path, out + track.chunk());
}

} // namespace brookhum::bench
