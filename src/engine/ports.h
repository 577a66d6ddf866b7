#pragma once

#include "base/slots.h"

#include <QString>

namespace brookhum {

// The two small tool windows the engine writes into.
enum class Bar { Select, Indication };

// The three check marks mirrored by pictures on the select-play bar.
enum class Toggle { Repetition, DirRepetition, OneTimeStop };

// The indication bar's labels written at each file start.
enum class IndicationLabel { Next, Dir, AllDir, Count };

// The windows as the engine sees them: the current select-play bar and
// indication bar. Every write skips a bar that does not exist yet (play can
// start while the main window is still being created).
class WindowsPort {
public:
    virtual ~WindowsPort() = default;

    virtual bool barExists(Bar bar) const = 0;
    virtual bool barShowing(Bar bar) const = 0;
    // Creates a new bar in its designed state, makes it current, shows it and
    // places it from its stored position.
    virtual void showFreshBar(Bar bar) = 0;

    virtual void setBarCaption(Bar bar, const QString &caption) = 0;
    virtual void setIndicationLabel(IndicationLabel label, const QString &text) = 0;
    virtual void setTogglePicture(Toggle toggle, bool checked) = 0;
};

// A text value as the store gave it.
struct StoredText {
    QString text; // the stored text, or the initial text when it was absent
    bool absent;  // it was absent and the initial text has just been written
};

// The two values of one slot.
struct StoredSlot {
    StoredText flag;
    StoredText path;
};

// The stored settings as the engine reads and writes them. Every read of an
// absent value writes the value's initial text at once, so the order of the
// reads decides the order of those writes on a first run.
class SettingsPort {
public:
    virtual ~SettingsPort() = default;

    virtual StoredText readPlayFlag() = 0;
    virtual StoredText readRandPlayFlag() = 0;
    virtual StoredText readSelectPlayFlag() = 0;
    // The slot's flag, then its path.
    virtual StoredSlot readSlot(SlotKind kind, int slot) = 0;
    // Whether a bar opens when a file starts: its begin flag.
    virtual StoredText readBeginFlag(Bar bar) = 0;
    virtual void writeRandPlayFlag(const QString &flag) = 0;
};

} // namespace brookhum
