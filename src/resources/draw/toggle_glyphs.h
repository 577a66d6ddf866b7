#pragma once

#include <QImage>

namespace brookhum::draw {

// The two states of a mode button: on is a coloured glyph on a lit tile, off
// a grey glyph on the plain button face.
enum class ToggleState { On, Off };

// 20 x 20 opaque glyphs of the three mode buttons of the select-play bar.
QImage fileRepeatGlyph(ToggleState state);
QImage directoryRepeatGlyph(ToggleState state);
QImage pauseGlyph(ToggleState state);

} // namespace brookhum::draw
