#pragma once

#include <QImage>

namespace brookhum::draw {

// 20 x 20 transparent glyphs of the select-play bar's transport buttons.
QImage playGlyph();
QImage nextGlyph();
QImage stopGlyph();

// 30 x 30 glyph of the set-up dialog's preview stop button: a grey rounded
// square crossed by a red X.
QImage previewStopGlyph();

} // namespace brookhum::draw
