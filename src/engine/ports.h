#pragma once

#include <QString>

namespace brookhum {

// The two small tool windows the engine writes into.
enum class Bar { Select, Indication };

// The three check marks mirrored by pictures on the select-play bar.
enum class Toggle { Repetition, DirRepetition, OneTimeStop };

// The indication bar's labels written at each file start.
enum class IndicationLabel { Next, Dir, AllDir, Count };

// The windows as the engine and the settings load see them: the current
// select-play bar and indication bar. Every write skips a bar that does not
// exist yet (play can start while the main window is still being created).
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

    // The select-play bar's choice; 0 and an empty text when there is no bar.
    virtual int selectedDir() const = 0;
    virtual QString selectedFile() const = 0;
};

// What the engine needs of the settings layer.
class SettingsPort {
public:
    virtual ~SettingsPort() = default;

    virtual void LoadSettings() = 0;
    virtual void ShowBeginBars() = 0;
    virtual void writeRandPlayFlag(const QString &flag) = 0;
};

} // namespace brookhum
