#pragma once

#include <QString>

namespace brookhum {

// The resource path of a built-in picture, e.g. ":/brookhum/pictures/Repeat.bmp".
QString builtInPicturePath(const QString &fileName);

} // namespace brookhum
