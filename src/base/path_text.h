#pragma once

#include <QString>

#include <algorithm>

namespace brookhum {

// The last component of a path, after the last separator: what bar titles,
// menu entries and labels show. Both separators count, so a path written on
// either platform gives its file name.
inline QString fileNamePart(const QString &path)
{
    const qsizetype cut = std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
    return path.mid(cut + 1);
}

} // namespace brookhum
