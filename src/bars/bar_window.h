#pragma once

#include <QIcon>
#include <QPoint>
#include <QSize>

class QWidget;

namespace brookhum {

// A bar is a small tool window: no taskbar entry, a title bar with the system
// menu, minimise and close only, and a client area of fixed size.
Qt::WindowFlags barWindowFlags();

// Gives a bar, before it is first shown, its title "Brookhum", icon, font and
// fixed client size, and puts its frame at its designed place, which holds
// until a stored position is applied. It never takes the focus when it opens:
// it appears at track starts while the user works elsewhere.
void setUpBarWindow(QWidget &bar, QSize clientSize, QPoint designPlace, const QIcon &icon);

} // namespace brookhum
