#pragma once

#include "gst/loudness_meter.h"

namespace brookhum {

// The loudness every file is brought to when loudness is levelled: that of
// ReplayGain 2, which leaves mastered music some 5 to 10 dB quieter and
// lifts a synthesized MIDI piece as much.
constexpr double LevelledLufs = -18.0;

// The gain, in dB, that brings a file to the levelled loudness: never more
// than 20 dB up or down, and never so much that its highest sample
// comes closer than 1 dB to full scale, which would clip.
double levelGainDb(const Loudness &loudness);

} // namespace brookhum
