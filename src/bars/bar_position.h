#pragma once

#include <QPoint>
#include <QString>

class QWidget;

namespace brookhum {
class RegIniFile;
}

namespace brookhum {

// A bar's position is the top-left corner of its outer frame (title bar and
// border included), in screen pixels: what the user sees move.

// Places a bar that has just been shown from its stored position. An absent
// coordinate (also a stored -1) is stored as 50 and leaves that edge where
// the design put it.
void placeBarFromStore(QWidget &bar, RegIniFile &store, const QString &xName, const QString &yName);

// Stores a bar's left edge, then its top edge.
void storeBarPosition(const QWidget &bar, RegIniFile &store, const QString &xName, const QString &yName);

// Puts the bar's outer frame at a screen position.
void placeBarFrame(QWidget &bar, QPoint framePosition);

} // namespace brookhum
