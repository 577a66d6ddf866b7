#pragma once

#include <QString>

namespace brookhum {

// What is wrong with the soundfont a MIDI file would be played with, written
// to follow "Cannot play \"<file>\": ", e.g. "its soundfont \"x.sf2\" is
// empty"; empty when it looks usable. The synthesizer itself only says that
// it could not load it, which reads like a broken installation.
QString soundFontProblem(const QString &path);

} // namespace brookhum
