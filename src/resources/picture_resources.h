#pragma once

#include <QString>

namespace brookhum {

// The resource path of a built-in picture, e.g. ":/brookhum/pictures/Repeat.bmp".
// Registers the library's resources on first use: a static library's
// resources are not registered by themselves.
QString builtInPicturePath(const QString &fileName);

} // namespace brookhum
