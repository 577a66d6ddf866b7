#pragma once

#include <QString>

#include "base/slots.h"

namespace brookhum {

// The paths that saving will store for each slot, as the set-up dialog shows
// them. One instance lives for the whole run and is shared by every set-up
// dialog that is opened, so unsaved edits outlive a closed dialog until the
// next dialog loads the store over them.
struct PendingSlotPaths {
    SlotArray<QString> DirSlotPath;
    SlotArray<QString> FileSlotPath;

    SlotArray<QString> &of(SlotKind kind) { return kind == SlotKind::Directory ? DirSlotPath : FileSlotPath; }
    const SlotArray<QString> &of(SlotKind kind) const
    {
        return kind == SlotKind::Directory ? DirSlotPath : FileSlotPath;
    }
};

} // namespace brookhum
