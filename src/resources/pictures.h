#pragma once

#include <QIcon>
#include <QPixmap>

namespace brookhum {

// The program's own icon, 16 and 32 pixels: a music note over a wave.
QIcon applicationIcon();

// The tray icon: the desktop's icon theme's picture named by the
// application id, which the package installs from 16 to 256 pixels and as
// SVG, so that a tray host draws it sharp at any size and a
// StatusNotifierItem host gets its name; the built-in icon above where the
// theme has none.
QIcon themedApplicationIcon();

// The window icons of the select-play bar and the indication bar.
QIcon selectBarIcon();
QIcon indicationBarIcon();

// 20 x 20 pictures of the select-play bar's play, next and stop buttons.
QPixmap playButtonPicture();
QPixmap nextButtonPicture();
QPixmap stopButtonPicture();

// 100 x 25: "drag" and "drop" joined by a curved arrow, above the set-up
// dialog's slots.
QPixmap dragDropImage();

// 30 x 30 glyph of the set-up dialog's preview stop button.
QPixmap setupStopGlyph();

// 150 x 30 picture of the version dialog, decoded from JPEG through Qt's
// "jpeg" image plug-in. Null when that plug-in is not installed.
QPixmap versionPicture();

// 30 x 10 picture at the indication bar's left edge.
QPixmap indicationPicture();

} // namespace brookhum
