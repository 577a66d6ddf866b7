#pragma once

#include "setup/option_ticks.h"
#include "setup/set_up_mode.h"

#include <QString>

#include "base/slots.h"
#include <optional>

namespace brookhum {

class RegIniFile;

// One slot as the set-up dialog loads it.
struct LoadedSlot {
    std::optional<QString> path; // nullopt when absent: the dialog keeps what it has
    bool ticked = false;
};

// What the set-up dialog shows of the stored settings.
struct LoadedSetUp {
    bool firstPlay = false;
    bool playBarBegin = false;
    bool indicationBarBegin = false;
    SetUpMode mode = SetUpMode::None;
    SlotArray<LoadedSlot> dirSlots;
    SlotArray<LoadedSlot> fileSlots;
    OptionTicks options;

    const SlotArray<LoadedSlot> &slots(SlotKind kind) const
    {
        return kind == SlotKind::Directory ? dirSlots : fileSlots;
    }
};

// Reads the settings the set-up dialog shows: the three options, the play
// kind, then each directory slot and each file slot as path then flag, and
// at last the option ticks beyond the design. An absent value is written
// with its initial text before the next one is read.
//
// The options count only "1" as on; the slot flags count everything but "0"
// as on. An absent play kind, or one other than "1" and "2", picks no mode,
// although "1" is what gets stored for an absent one.
LoadedSetUp loadSetUp(RegIniFile &store);

} // namespace brookhum
