#pragma once

// A tiny builder of MIDI files byte by byte, for tests that need files a
// well-behaved writer would never make.

#include <QByteArray>
#include <QList>

#include <algorithm>
#include <initializer_list>

namespace brookhum::test {

inline QByteArray b(std::initializer_list<int> values)
{
    QByteArray bytes;
    for (int value : values)
        bytes.append(static_cast<char>(value));
    return bytes;
}

inline QByteArray bigEndian(quint32 value, int size)
{
    QByteArray bytes;
    for (int shift = 8 * (size - 1); shift >= 0; shift -= 8)
        bytes.append(static_cast<char>(value >> shift & 0xFF));
    return bytes;
}

inline QByteArray littleEndian32(quint32 value)
{
    QByteArray bytes = bigEndian(value, 4);
    std::reverse(bytes.begin(), bytes.end());
    return bytes;
}

inline QByteArray chunk(const char *tag, const QByteArray &body)
{
    return QByteArray(tag, 4) + bigEndian(static_cast<quint32>(body.size()), 4) + body;
}

inline QByteArray header(int tracks, int division = 480, int format = 1)
{
    return chunk("MThd",
                 bigEndian(quint32(format), 2) + bigEndian(quint32(tracks), 2) + bigEndian(quint32(division), 2));
}

// RIFF chunks are little-endian and padded to an even size.
inline QByteArray riffChunk(const char *tag, const QByteArray &body)
{
    const QByteArray pad = body.size() % 2 ? b({0}) : QByteArray();
    return QByteArray(tag, 4) + littleEndian32(static_cast<quint32>(body.size())) + body + pad;
}

inline QByteArray rmid(const QByteArray &chunks)
{
    return "RIFF" + littleEndian32(static_cast<quint32>(4 + chunks.size())) + "RMID" + chunks;
}

inline const QByteArray EndOfTrack = b({0x00, 0xFF, 0x2F, 0x00});

inline QByteArray tempo(quint32 microsPerQuarter)
{
    return b({0x00, 0xFF, 0x51, 0x03}) + bigEndian(microsPerQuarter, 3);
}

// Middle C held for ticks (below 16384), written as a two-byte delta.
inline QByteArray note(int ticks)
{
    return b({0x00, 0x90, 0x3C, 0x40, 0x80 | ticks >> 7, ticks & 0x7F, 0x80, 0x3C, 0x00});
}

// A file of the given tracks, each closed by End of Track. The first track's
// events start at byte 22.
inline QByteArray midi(const QList<QByteArray> &tracks, int division = 480)
{
    QByteArray file = header(static_cast<int>(tracks.size()), division, tracks.size() == 1 ? 0 : 1);
    for (const QByteArray &events : tracks)
        file += chunk("MTrk", events + EndOfTrack);
    return file;
}

} // namespace brookhum::test
