#pragma once

#include "base/file_stamp.h"
#include "base/slots.h"

#include <QString>

#include <optional>

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

// The options beyond the design, each a tick of the set-up dialog: resume
// where play stood, note each file the player moves on to, level loudness.
enum class PlayOption { Resume, Notify, Level };

// Where play stood: the file of a slot and the place in it, with the stamp
// the file had then, so that a file changed since is not resumed.
struct ResumePoint {
    SlotKind kind = SlotKind::Directory;
    int slot = 0;         // 1..10
    QString file;
    qint64 position = 0;  // milliseconds
    FileStamp stamp;

    friend bool operator==(const ResumePoint &, const ResumePoint &) = default;
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

    // The player's own volume, as text.
    virtual StoredText readVolume() = 0;
    virtual void writeVolume(const QString &text) = 0;
    // An option's tick: exactly "1" is on.
    virtual StoredText readOptionFlag(PlayOption option) = 0;
    // Where play stood when it was last kept; nullopt when nothing readable
    // is kept. These values are read as they are, never initialised.
    virtual std::optional<ResumePoint> readResumePoint() = 0;
    virtual void writeResumePoint(const ResumePoint &point) = 0;
};

} // namespace brookhum
