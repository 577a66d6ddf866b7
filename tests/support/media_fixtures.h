#pragma once

// Media files made on the spot, for tests and benchmarks that play real audio.
// Every writer creates or replaces the file at the given path (any characters
// allowed) and throws std::runtime_error naming the file when it cannot.

#include <QString>

namespace brookhum::test {

// A sine tone as a 16-bit PCM mono WAV at 44.1 kHz, exactly durationMs long.
void writeToneWav(const QString &path, int durationMs, int frequencyHz = 440);

// A Standard MIDI File (format 0) whose last note ends at durationMs; one
// tick is one millisecond. The plain file is a piano melody on channel 1, a
// note every 250 ms. The multi-instrument file plays the melody louder and
// adds strings, bass and brass chords on channels 2 to 4 and a drum kit on
// channel 10, at velocities of 90 to 110: a loud, full passage of ordinary
// General MIDI music, for the synthesizer's loudness and load.
void writeMidiFile(const QString &path, int durationMs, bool multiInstrument = false);

// A sine tone as a constant bit rate MP3 (128 kbit/s, 44.1 kHz stereo),
// encoded through GStreamer's LAME encoder. The tone is durationMs long,
// rounded up to 10 ms; the decoded sound adds the encoder's usual delay of a
// few tens of milliseconds.
void writeToneMp3(const QString &path, int durationMs, int frequencyHz = 440);

// A small PNG picture: a well-formed media file that holds no sound.
void writePicturePng(const QString &path);

// Files that no player can use, whatever their names say. The same seed
// always gives the same bytes.
void writeRandomBytes(const QString &path, qint64 size, quint32 seed = 1);
void writeEmptyFile(const QString &path);
// The first `size` bytes of `source`.
void writeTruncatedCopy(const QString &source, const QString &path, qint64 size);

} // namespace brookhum::test
