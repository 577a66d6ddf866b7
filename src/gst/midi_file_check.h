#pragma once

#include <QByteArrayView>
#include <QString>

namespace brookhum {

// GStreamer's MIDI parser spins or never finishes on some malformed files
// (impossible chunk lengths, undefined status bytes, a division of 0, tempos
// and deltas that add up to months, tens of thousands of tracks), so every .mid file is read with this
// strict reader first and refused before GStreamer sees it.

// What the check found: an empty problem for a sound file, with its playing time.
struct MidiFileCheck {
    // Why the file is refused, in English, written to follow
    // "Cannot play \"<file>\": ", e.g. "track 2 declares 4294967295 bytes but
    // the file holds only 120 more".
    QString problem;
    // For a sound file: the time at which its last track ends.
    qint64 lengthMs = 0;
    bool ok() const { return problem.isEmpty(); }
};

// Whether the first bytes of a file are those of a MIDI file ("MThd", or a
// RIFF file of form "RMID").
bool looksLikeMidi(QByteArrayView head);

// Checks a whole file held in memory. The work is linear in the file's size.
MidiFileCheck checkMidiFile(QByteArrayView bytes);

} // namespace brookhum
