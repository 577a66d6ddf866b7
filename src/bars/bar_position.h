#pragma once

#include <QString>

class QWidget;

namespace brookhum {

// Places a bar that has just been shown from its stored position. An absent
// coordinate is stored as 50 and leaves that edge where the design puts it.
void placeBarFromStore(QWidget &bar, const QString &xName, const QString &yName);

// Stores a bar's left edge, then its top edge.
void storeBarPosition(const QWidget &bar, const QString &xName, const QString &yName);

} // namespace brookhum
