#pragma once

#include <QString>

namespace brookhum {

// The type of the drags that the set-up dialog's lists start. Slots take no
// other kind of drag, so text or files dragged in from elsewhere never land.
inline QString slotDragMimeType()
{
    return QStringLiteral("application/x-brookhum-slot-item");
}

} // namespace brookhum
