#include "gst/midi_file_check.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

using namespace Qt::StringLiterals;

namespace brookhum {

namespace {

// No background music lasts a day, and GStreamer would sit on a longer file for ever.
constexpr qint64 LongestPlayMs = 24LL * 60 * 60 * 1000;

// GStreamer's parser takes time that grows with the square of the track
// count: 0.04 s for 4096 tracks, 12 s of a full core for 65535. Real music
// has some dozens.
constexpr quint32 MostTracks = 4096;

// Microseconds per quarter note until a tempo event says otherwise.
constexpr quint32 DefaultTempo = 500000;

struct TempoChange {
    quint64 tick;
    quint32 microsPerQuarter;
};

bool hasTag(QByteArrayView bytes, qsizetype at, const char *tag)
{
    return at >= 0 && bytes.size() - at >= 4 && std::memcmp(bytes.data() + at, tag, 4) == 0;
}

QString hexByte(uint value)
{
    return QString::number(value, 16).toUpper().rightJustified(2, u'0');
}

// Reads the Standard MIDI File held in bytes [begin, end) of a file. Every
// position, including those named in problems, counts from the start of the
// file, so a problem inside a RIFF wrapper points at the right byte.
class SmfReader {
public:
    SmfReader(QByteArrayView file, qsizetype begin, qsizetype end)
        : m_data(reinterpret_cast<const uchar *>(file.data())), m_file(file), m_begin(begin), m_end(end)
    {
    }

    // The problem with the file, or an empty string when lengthMs() is valid.
    QString check();
    qint64 lengthMs() const { return m_lengthMs; }

private:
    QString checkHeader();
    QString checkTrack(qsizetype pos, qsizetype end);
    QString readNumber(qsizetype &pos, qsizetype end, qsizetype eventAt, quint32 &value) const;
    QString endsInside(qsizetype eventAt) const;
    long double microsAt(quint64 tick);

    quint32 bigEndian(qsizetype at, int size) const
    {
        quint32 value = 0;
        for (int i = 0; i < size; ++i)
            value = value << 8 | m_data[at + i];
        return value;
    }

    const uchar *m_data;
    QByteArrayView m_file;
    qsizetype m_begin;
    qsizetype m_end;
    quint32 m_trackCount = 0;
    quint32 m_division = 0;
    qsizetype m_tracksAt = 0;
    int m_track = 0; // the track being read, counted from 1
    quint64 m_lastTick = 0;
    std::vector<TempoChange> m_tempos;
    qint64 m_lengthMs = 0;
};

QString SmfReader::checkHeader()
{
    if (!hasTag(m_file, m_begin, "MThd"))
        return u"it is not a MIDI file"_s;
    const qsizetype size = m_end - m_begin;
    if (size < 8)
        return u"the file ends inside its header"_s;
    const quint32 headerLength = bigEndian(m_begin + 4, 4);
    if (headerLength < 6)
        return u"its header declares %1 bytes, fewer than the 6 it needs"_s.arg(headerLength);
    if (headerLength > size - 8)
        return u"the file ends inside its header"_s;

    const quint32 format = bigEndian(m_begin + 8, 2);
    m_trackCount = bigEndian(m_begin + 10, 2);
    m_division = bigEndian(m_begin + 12, 2);
    m_tracksAt = m_begin + 8 + headerLength;
    if (format > 2)
        return u"its header gives the unknown format %1"_s.arg(format);
    if (m_trackCount == 0)
        return u"its header declares no tracks"_s;
    if (m_trackCount > MostTracks)
        return u"its header declares %1 tracks, more than the %2 that can be played"_s.arg(m_trackCount).arg(MostTracks);
    if (m_division == 0)
        return u"its header gives a division of 0"_s;
    if (m_division & 0x8000) {
        // SMPTE time: the high byte is minus the frame rate, the low byte the ticks per frame.
        const int rate = -static_cast<qint8>(m_division >> 8);
        if (rate != 24 && rate != 25 && rate != 29 && rate != 30)
            return u"its header gives the unknown SMPTE rate of %1 frames per second"_s.arg(rate);
        if ((m_division & 0xFF) == 0)
            return u"its header gives 0 ticks per SMPTE frame"_s;
    }
    return {};
}

QString SmfReader::endsInside(qsizetype eventAt) const
{
    return u"track %1 ends inside the event at byte %2"_s.arg(m_track).arg(eventAt);
}

// A variable-length number: at most 4 bytes of 7 bits, the last with its top bit clear.
QString SmfReader::readNumber(qsizetype &pos, qsizetype end, qsizetype eventAt, quint32 &value) const
{
    const qsizetype start = pos;
    value = 0;
    for (int i = 0; i < 4; ++i) {
        if (pos >= end)
            return endsInside(eventAt);
        const uchar byte = m_data[pos++];
        value = value << 7 | (byte & 0x7Fu);
        if (byte < 0x80)
            return {};
    }
    return u"track %1 has a number longer than 4 bytes at byte %2"_s.arg(m_track).arg(start);
}

QString SmfReader::checkTrack(qsizetype pos, qsizetype end)
{
    quint64 tick = 0;
    uchar runningStatus = 0;
    while (pos < end) {
        const qsizetype eventAt = pos;
        quint32 number = 0;
        if (QString problem = readNumber(pos, end, eventAt, number); !problem.isEmpty())
            return problem;
        tick += number;
        if (pos >= end)
            return endsInside(eventAt);

        uchar status = m_data[pos];
        if (status < 0x80) {
            // Running status: a channel message may leave out a status byte
            // equal to the previous one.
            if (runningStatus == 0)
                return u"track %1 has data byte %2 at byte %3 with no status byte before it"_s.arg(m_track)
                    .arg(hexByte(status))
                    .arg(pos);
            status = runningStatus;
        } else {
            ++pos;
        }

        if (status < 0xF0) {
            runningStatus = status;
            const int kind = status & 0xF0;
            const int dataBytes = kind == 0xC0 || kind == 0xD0 ? 1 : 2;
            for (int i = 0; i < dataBytes; ++i, ++pos) {
                if (pos >= end)
                    return endsInside(eventAt);
                if (m_data[pos] >= 0x80)
                    return u"track %1 has byte %2 at byte %3 where a data byte belongs"_s.arg(m_track)
                        .arg(hexByte(m_data[pos]))
                        .arg(pos);
            }
        } else if (status == 0xF0 || status == 0xF7 || status == 0xFF) {
            // The format says meta events and sysex cancel running status,
            // but real files rely on it lasting across them, so it is kept.
            const bool meta = status == 0xFF;
            uchar type = 0;
            if (meta) {
                if (pos >= end)
                    return endsInside(eventAt);
                type = m_data[pos++];
            }
            if (QString problem = readNumber(pos, end, eventAt, number); !problem.isEmpty())
                return problem;
            if (number > end - pos)
                return u"the %1 at byte %2 runs past the end of track %3"_s
                    .arg(meta ? u"meta event"_s : u"system exclusive message"_s)
                    .arg(eventAt)
                    .arg(m_track);
            if (meta && type == 0x2F) {
                // Whatever follows End of Track inside the chunk is never played.
                m_lastTick = std::max(m_lastTick, tick);
                return {};
            }
            if (meta && type == 0x51 && number == 3)
                m_tempos.push_back({tick, bigEndian(pos, 3)});
            pos += number;
        } else {
            return u"track %1 holds the undefined status byte %2 at byte %3"_s.arg(m_track)
                .arg(hexByte(status))
                .arg(pos - 1);
        }
    }
    return u"track %1 has no end of track event"_s.arg(m_track);
}

// Tempo events of every track apply to all tracks from their tick on. Time
// only grows with the tick, so the file's length is the time of the latest
// End of Track.
long double SmfReader::microsAt(quint64 tick)
{
    if (m_division & 0x8000) {
        const int rate = -static_cast<qint8>(m_division >> 8);
        // The rate written as 29 is NTSC's 29.97 frames per second.
        const long double framesPerSecond = rate == 29 ? 30000.0L / 1001.0L : static_cast<long double>(rate);
        return static_cast<long double>(tick) * 1e6L / (framesPerSecond * static_cast<long double>(m_division & 0xFF));
    }
    // Stable, so of two tempo events on one tick the later track's wins.
    std::stable_sort(m_tempos.begin(), m_tempos.end(),
                     [](const TempoChange &a, const TempoChange &b) { return a.tick < b.tick; });
    long double tickMicros = 0;
    quint64 at = 0;
    quint32 tempo = DefaultTempo;
    for (const TempoChange &change : m_tempos) {
        if (change.tick >= tick)
            break;
        tickMicros += static_cast<long double>(change.tick - at) * tempo;
        at = change.tick;
        tempo = change.microsPerQuarter;
    }
    tickMicros += static_cast<long double>(tick - at) * tempo;
    return tickMicros / static_cast<long double>(m_division);
}

QString SmfReader::check()
{
    if (QString problem = checkHeader(); !problem.isEmpty())
        return problem;

    qsizetype pos = m_tracksAt;
    for (quint32 found = 0; found < m_trackCount;) {
        if (m_end - pos < 8)
            return u"the file ends before track %1 of the %2 its header declares"_s.arg(found + 1).arg(m_trackCount);
        const bool isTrack = hasTag(m_file, pos, "MTrk");
        const quint32 length = bigEndian(pos + 4, 4);
        const qsizetype body = pos + 8;
        if (length > m_end - body) {
            const QString chunk = isTrack ? u"track %1"_s.arg(found + 1) : u"the chunk at byte %1"_s.arg(pos);
            return u"%1 declares %2 bytes but the file holds only %3 more"_s.arg(chunk).arg(length).arg(m_end - body);
        }
        // Chunks of other types are allowed and carry nothing to play.
        if (isTrack) {
            m_track = static_cast<int>(++found);
            if (QString problem = checkTrack(body, body + length); !problem.isEmpty())
                return problem;
        }
        pos = body + length;
    }

    const long double micros = microsAt(m_lastTick);
    if (micros > static_cast<long double>(LongestPlayMs) * 1000)
        return u"it would play for more than %1 hours"_s.arg(LongestPlayMs / (60 * 60 * 1000));
    m_lengthMs = std::llround(micros / 1000);
    return {};
}

} // namespace

bool looksLikeMidi(QByteArrayView head)
{
    return hasTag(head, 0, "MThd") || (hasTag(head, 0, "RIFF") && hasTag(head, 8, "RMID"));
}

MidiFileCheck checkMidiFile(QByteArrayView bytes)
{
    if (bytes.isEmpty())
        return {u"the file is empty"_s};

    qsizetype begin = 0;
    qsizetype end = bytes.size();
    if (hasTag(bytes, 0, "RIFF")) {
        if (!hasTag(bytes, 8, "RMID"))
            return {u"it is not a MIDI file"_s};
        // RIFF chunks: a tag, a little-endian length, the data padded to an even size.
        const auto *data = reinterpret_cast<const uchar *>(bytes.data());
        for (qsizetype pos = 12;;) {
            if (end - pos < 8)
                return {u"its RIFF wrapper holds no MIDI data"_s};
            quint32 length = 0;
            for (int i = 7; i >= 4; --i)
                length = length << 8 | data[pos + i];
            const qsizetype body = pos + 8;
            if (length > end - body)
                return {u"its RIFF chunk at byte %1 declares %2 bytes but the file holds only %3 more"_s.arg(pos)
                            .arg(length)
                            .arg(end - body)};
            if (hasTag(bytes, pos, "data")) {
                begin = body;
                end = body + length;
                break;
            }
            pos = body + length + (length & 1);
        }
    }

    SmfReader reader(bytes, begin, end);
    if (QString problem = reader.check(); !problem.isEmpty())
        return {problem};
    return {{}, reader.lengthMs()};
}

} // namespace brookhum
