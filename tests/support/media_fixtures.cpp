#include "support/media_fixtures.h"

#include "gst/gst_handles.h"

#include <QFile>

#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>
#include <random>
#include <stdexcept>
#include <vector>

namespace brookhum::test {

namespace {

[[noreturn]] void fail(const QString &path, const QString &reason)
{
    throw std::runtime_error(QStringLiteral("Cannot write \"%1\": %2").arg(path, reason).toStdString());
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        fail(path, file.errorString());
    if (file.write(bytes) != bytes.size() || !file.flush())
        fail(path, file.errorString());
}

void appendLittleEndian(QByteArray &out, quint32 value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.append(char((value >> (8 * i)) & 0xff));
}

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

void writeToneWav(const QString &path, int durationMs, int frequencyHz)
{
    constexpr quint32 rate = 44100;
    const auto samples = quint32(qint64(rate) * durationMs / 1000);
    const quint32 dataBytes = samples * 2;

    QByteArray out("RIFF");
    appendLittleEndian(out, 36 + dataBytes, 4);
    out.append("WAVEfmt ");
    appendLittleEndian(out, 16, 4);       // format chunk size
    appendLittleEndian(out, 1, 2);        // PCM
    appendLittleEndian(out, 1, 2);        // mono
    appendLittleEndian(out, rate, 4);
    appendLittleEndian(out, rate * 2, 4); // bytes a second
    appendLittleEndian(out, 2, 2);        // bytes a frame
    appendLittleEndian(out, 16, 2);       // bits a sample
    out.append("data");
    appendLittleEndian(out, dataBytes, 4);
    out.reserve(out.size() + int(dataBytes));
    for (quint32 i = 0; i < samples; ++i) {
        const double phase = 2.0 * std::numbers::pi * frequencyHz * i / rate;
        const auto sample = qint16(std::lround(0.5 * 32767 * std::sin(phase)));
        appendLittleEndian(out, quint16(sample), 2);
    }
    writeBytes(path, out);
}

void writeMidiFile(const QString &path, int durationMs, bool multiInstrument)
{
    MidiTrack track(durationMs);
    track.program(MelodyChannel, 0);
    addMelody(track, durationMs, multiInstrument ? 110 : 100);
    if (multiInstrument)
        addBand(track, durationMs);

    QByteArray out("MThd");
    appendBigEndian(out, 6, 4);
    appendBigEndian(out, 0, 2);   // format 0: one track
    appendBigEndian(out, 1, 2);   // one track
    appendBigEndian(out, 500, 2); // ticks a quarter note
    writeBytes(path, out + track.chunk());
}

namespace {

// Runs a linear GStreamer pipeline of the given elements, ending in a file
// sink that writes `path`, until its end. `configure` sets the elements'
// properties (the file sink's location is set here).
void encode(const QString &path, std::initializer_list<const char *> factories,
            const std::function<void(const std::vector<GstElementPtr> &)> &configure)
{
    gst_init(nullptr, nullptr);
    const GstElementPtr pipeline = adoptElement(gst_pipeline_new(nullptr));
    std::vector<GstElementPtr> elements;
    for (const char *factory : factories) {
        GstElementPtr element = adoptElement(gst_element_factory_make(factory, nullptr));
        if (!element)
            fail(path, QStringLiteral("the GStreamer element %1 is not installed").arg(QLatin1StringView(factory)));
        gst_bin_add(GST_BIN(pipeline.get()), element.get());
        if (!elements.empty() && !gst_element_link(elements.back().get(), element.get()))
            fail(path, QStringLiteral("cannot link the GStreamer element %1").arg(QLatin1StringView(factory)));
        elements.push_back(std::move(element));
    }
    configure(elements);
    g_object_set(elements.back().get(), "location", QFile::encodeName(path).constData(), nullptr);

    const GstBusPtr bus(gst_element_get_bus(pipeline.get()));
    gst_element_set_state(pipeline.get(), GST_STATE_PLAYING);
    const GstMessagePtr message(gst_bus_timed_pop_filtered(
        bus.get(), 120 * GST_SECOND, GstMessageType(GST_MESSAGE_EOS | GST_MESSAGE_ERROR)));
    gst_element_set_state(pipeline.get(), GST_STATE_NULL);
    if (!message)
        fail(path, QStringLiteral("encoding did not finish"));
    if (GST_MESSAGE_TYPE(message.get()) == GST_MESSAGE_ERROR) {
        GError *rawError = nullptr;
        gst_message_parse_error(message.get(), &rawError, nullptr);
        const GErrorPtr error(rawError);
        fail(path, QString::fromUtf8(error ? error->message : "encoding failed"));
    }
}

void setCaps(GstElement *capsFilter, const char *description)
{
    GstCaps *caps = gst_caps_from_string(description);
    g_object_set(capsFilter, "caps", caps, nullptr);
    gst_caps_unref(caps);
}

} // namespace

void writeToneMp3(const QString &path, int durationMs, int frequencyHz)
{
    encode(path, {"audiotestsrc", "capsfilter", "audioconvert", "lamemp3enc", "filesink"},
           [&](const std::vector<GstElementPtr> &e) {
               // Buffers of 10 ms make the length exact to the next 10 ms.
               g_object_set(e[0].get(), "num-buffers", (durationMs + 9) / 10, "samplesperbuffer", 441, "freq",
                            double(frequencyHz), "volume", 0.5, nullptr);
               setCaps(e[1].get(), "audio/x-raw,rate=44100,channels=2");
               gst_util_set_object_arg(G_OBJECT(e[3].get()), "target", "bitrate");
               g_object_set(e[3].get(), "bitrate", 128, "cbr", TRUE, nullptr);
           });
}

void writePicturePng(const QString &path)
{
    encode(path, {"videotestsrc", "capsfilter", "pngenc", "filesink"}, [](const std::vector<GstElementPtr> &e) {
        g_object_set(e[0].get(), "num-buffers", 1, nullptr);
        setCaps(e[1].get(), "video/x-raw,width=64,height=48");
    });
}

void writeRandomBytes(const QString &path, qint64 size, quint32 seed)
{
    std::mt19937 generator(seed);
    std::uniform_int_distribution<int> byte(0, 255);
    QByteArray out;
    out.reserve(size);
    for (qint64 i = 0; i < size; ++i)
        out.append(char(byte(generator)));
    writeBytes(path, out);
}

void writeEmptyFile(const QString &path)
{
    writeBytes(path, {});
}

void writeTruncatedCopy(const QString &source, const QString &path, qint64 size)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        fail(path, QStringLiteral("cannot read \"%1\": %2").arg(source, in.errorString()));
    writeBytes(path, in.read(size));
}

} // namespace brookhum::test
