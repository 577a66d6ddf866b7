#pragma once

#include <QString>

#include <array>

namespace brookhum {

// The paths that saving will store for each slot, as the set-up dialog shows
// them. One instance lives for the whole run and is shared by every set-up
// dialog that is opened, so unsaved edits outlive a closed dialog until the
// next dialog loads the store over them.
struct PendingSlotPaths {
    std::array<QString, 10> DirSlotPath;  // directory slot k at index k - 1
    std::array<QString, 10> FileSlotPath; // file slot k at index k - 1
};

} // namespace brookhum
