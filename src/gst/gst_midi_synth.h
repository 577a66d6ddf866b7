#pragma once

#include <QString>

typedef struct _GstElement GstElement;

namespace brookhum {

// MIDI files play through GStreamer's MIDI parser and the fluidsynth decoder.
// Left to itself the decoder takes whichever soundfont it finds first and
// plays very quietly, so every decoder that playbin plugs in gets the
// General MIDI soundfont and a louder gain.

// The General MIDI soundfont to use, or an empty string when none of the
// known ones is installed (the decoder then looks for one itself).
QString generalMidiSoundFont();

// Makes every fluidsynth decoder that the playbin creates from now on use
// the given soundfont and the gain below.
void configureMidiSynth(GstElement *playbin, const QString &soundFont);

} // namespace brookhum
