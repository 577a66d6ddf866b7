#pragma once

#include <QList>

namespace brookhum {

class RegIniFile;
struct SetUpControls;
struct StoreWrite;

// The option ticks beyond the design: resume where play stood, note the
// track changes, level the loudness. Each is stored as "1" or "0".
struct OptionTicks {
    bool resume = false;
    bool notify = false;
    bool level = false;
};

// Reads them after everything the design reads; only "1" is on, and an
// absent one is written as "0".
OptionTicks loadOptionTicks(RegIniFile &store);
void showOptionTicks(const SetUpControls &ui, const OptionTicks &ticks);
OptionTicks optionTicksShown(const SetUpControls &ui);
// What saving writes for them, after the design's writes.
QList<StoreWrite> optionTickWrites(const OptionTicks &ticks);

} // namespace brookhum
