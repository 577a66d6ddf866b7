#pragma once

#include <QPixmap>
#include <QString>
#include <QStringList>

namespace brookhum {

// The six toggle pictures of the select-play bar, which users may replace
// by putting their own files in $XDG_DATA_HOME/brookhum or beside the
// executable.
QStringList replaceablePictureFileNames();

// Reads $XDG_DATA_HOME/brookhum/<fileName> (~/.local/share/brookhum), else
// <directory of the running executable>/<fileName>, else the installed copy
// in <prefix>/share/brookhum. When none is there or is an image, returns the
// built-in copy of the same name instead; reports nothing either way. A name
// with no built-in copy and no file gives a null pixmap.
QPixmap replaceablePicture(const QString &fileName);

// The same, reading from the first of `directories` that has an image.
QPixmap replaceablePicture(const QString &fileName, const QStringList &directories);

} // namespace brookhum
