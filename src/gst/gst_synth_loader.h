#pragma once

namespace brookhum {

// Loads the program's own MIDI synthesizer plug-in (lib/<multiarch>/brookhum
// beside the program's bin directory) the first time it is called; later
// calls do nothing. Without the plug-in, MIDI plays through GStreamer's fluiddec.
void loadSynthPlugin();

} // namespace brookhum
