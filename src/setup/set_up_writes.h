#pragma once

#include "setup/option_ticks.h"
#include "setup/set_up_mode.h"

#include <QList>
#include <QString>

#include "base/slots.h"

namespace brookhum {

// The state of the set-up dialog that saving stores.
struct SetUpChoices {
    bool firstPlay = false;
    bool playBarBegin = false;
    bool indicationBarBegin = false;
    SetUpMode mode = SetUpMode::None;
    SlotArray<QString> slotPaths; // the pending paths of the mode's slots
    SlotArray<bool> slotTicks{};  // the ticks of the mode's slots
    OptionTicks options;
};

// One text value to write.
struct StoreWrite {
    QString name;
    QString text;
    friend bool operator==(const StoreWrite &, const StoreWrite &) = default;
};

// The writes of a save, in the order they are made: the three options, then,
// when a mode is picked, the play kind and each slot of that mode as path
// then flag, and at last the option ticks beyond the design. Paths go out
// exactly as they are; the other mode's slots are not written at all.
QList<StoreWrite> setUpWrites(const SetUpChoices &choices);

} // namespace brookhum
