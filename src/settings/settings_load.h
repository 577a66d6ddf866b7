#pragma once

#include "engine/ports.h"

namespace brookhum {

class PlayEngine;
class RegIniFile;

// Reads the stored settings into the play state, the tray menu and the bars.
// Every text read passes "non" for a missing value, which is then written
// back with its initial text, so after the first run every value exists.
class SettingsLoad : public SettingsPort {
public:
    SettingsLoad(PlayEngine &engine, WindowsPort &windows, RegIniFile &store);

    // The settings part of the main window's creation: the play flag with the
    // enabled state of the entries offered only while nothing plays, and the
    // random-order check mark.
    void FormCreateSettingsPart();

    // Re-reads the play kind and all twenty slots, lists the directories,
    // rebuilds the select-play menu and starts play when the in-memory play
    // flag asks for it.
    void LoadSettings() override;

    // Opens the bars whose begin flags ask for it and that are not showing.
    void ShowBeginBars() override;

    void writeRandPlayFlag(const QString &flag) override;

private:
    void loadPlayKind();
    void loadDirectorySlot(int slot);
    void loadFileSlot(int slot);
    void startPlayWhenAsked();
    void showBarWhenAsked(Bar bar, const QString &beginFlag);

    PlayEngine &m_engine;
    WindowsPort &m_windows;
    RegIniFile &m_store;
};

} // namespace brookhum
