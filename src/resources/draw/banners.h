#pragma once

#include <QImage>

namespace brookhum::draw {

// 100 x 25, transparent: the words "drag" and "drop" joined by a curved arrow.
QImage dragDropBanner();

// 150 x 30, opaque: the product name on a small banner of the version dialog.
QImage versionBanner();

// 30 x 10, transparent: a note and a wave for the indication bar's grey face.
QImage indicationBadge();

} // namespace brookhum::draw
