#pragma once

#include <QImage>
#include <QList>

namespace brookhum::draw {

// One row per picture: the picture at its real size on a light and on a dark
// panel, then enlarged without smoothing on both, so that blurred edges and
// weak contrast show up at once.
QImage contactSheet(const QList<QImage> &pictures);

} // namespace brookhum::draw
