#pragma once

#include <QImage>

namespace brookhum::draw {

// Window and tray icons: a coloured rounded tile with a white symbol, so they
// stand out on light and dark panels alike. Each is drawn for a square edge
// of 16 or 32 pixels; the application icon also for any larger edge, as the
// desktop's icon theme asks for 22 to 256 pixels.
QImage applicationIconImage(int edge);
QImage selectBarIconImage(int edge);
QImage indicationBarIconImage(int edge);

} // namespace brookhum::draw
