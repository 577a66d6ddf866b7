#pragma once

#include "engine/ports.h"

#include <QPixmap>
#include <QString>

namespace brookhum {

// The picture file that shows a toggle in the given state, e.g.
// "Repeat.bmp" for file repetition switched on.
QString togglePictureFileName(Toggle toggle, bool checked);

// That picture, from beside the executable or else the built-in copy.
QPixmap togglePicture(Toggle toggle, bool checked);

} // namespace brookhum
