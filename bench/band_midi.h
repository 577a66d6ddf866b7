#pragma once

#include <QString>

namespace brookhum::bench {

// A Standard MIDI File (format 0) whose last note ends at durationMs; one
// tick is one millisecond. A piano melody every 250 ms with strings, bass and
// brass chords on channels 2 to 4 and a drum kit on channel 10, at
// velocities of 90 to 110: a loud, full passage of ordinary General MIDI
// music, for the synthesizer's loudness and load.
void writeBandMidi(const QString &path, int durationMs);

} // namespace brookhum::bench
