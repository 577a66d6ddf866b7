#pragma once

// Media files and directories made on the spot. Every writer creates or
// replaces the file at the given path (any characters allowed) and throws
// std::runtime_error naming the file when it cannot.

#include "gst/gst_media_player.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

class QTemporaryDir;

namespace brookhum::test {

void writeFile(const QString &path, const QByteArray &bytes);

// Runs a gst-launch style pipeline to its end, with path given to its
// "filesink name=out".
void writeWithPipeline(const QString &path, const QString &description);

// A sine tone as a 16-bit PCM mono WAV at 44.1 kHz, exactly durationMs long,
// at half the full scale unless told otherwise.
void writeToneWav(const QString &path, int durationMs, int frequencyHz = 440, double amplitude = 0.5);

// A sine tone as a constant bit rate MP3 (128 kbit/s, 44.1 kHz stereo),
// encoded through GStreamer's LAME encoder, durationMs rounded up to 10 ms.
void writeToneMp3(const QString &path, int durationMs, int frequencyHz = 440);

// A Standard MIDI File of a piano note every 250 ms, the last ending at
// durationMs (a multiple of 250); one tick is one millisecond.
void writeMidiFile(const QString &path, int durationMs);

// A Standard MIDI File of one flute note held for durationMs (below 16384),
// at the key nearest to frequencyHz.
void writeToneMidi(const QString &path, int durationMs, int frequencyHz = 440);

// Bytes no player can use; the same seed always gives the same bytes.
void writeRandomBytes(const QString &path, qint64 size, quint32 seed = 1);

// Creates empty files with the given names in a new subdirectory of root
// and returns the subdirectory's path.
QString makeDirectoryWithFiles(const QTemporaryDir &root, const QString &name, const QStringList &files);

// "a01.mp3", "a02.mp3", ... as many as asked.
QStringList numberedNames(const QString &prefix, int count, const QString &extension = QStringLiteral("mp3"));

// Outputs for the players a test makes: one that decodes as fast as it can,
// and one that plays in real time, both without a sound device.
inline GstPlayerConfig fastOutput()
{
    return {"fakesink sync=false", {}};
}
inline GstPlayerConfig realTimeOutput()
{
    return {"fakesink sync=true", {}};
}

} // namespace brookhum::test
