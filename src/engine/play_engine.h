#pragma once

#include "engine/play_state.h"
#include "engine/ports.h"

#include <QObject>

#include <ctime>
#include <functional>

namespace brookhum {

class MediaPlayer;
class MenuActions;

// The play engine: the play state, the sequencing from file to file and slot
// to slot, the transport and mode commands and the select-play menu. It owns
// no window; it reaches the bars and the settings through the two ports.
class PlayEngine : public QObject {
    Q_OBJECT
public:
    // A blocking wait of whole seconds on the user-interface thread.
    using Wait = std::function<void(int seconds)>;
    // The calendar time in whole seconds, for seeding the random order.
    using Clock = std::function<std::time_t()>;

    PlayEngine(MenuActions &actions, MediaPlayer &player, QObject *parent = nullptr);

    void setSettingsPort(SettingsPort *settings) { m_settings = settings; }
    void setWindowsPort(WindowsPort *windows) { m_windows = windows; }
    void setWait(Wait wait) { m_wait = std::move(wait); }
    void setClock(Clock clock) { m_clock = std::move(clock); }

    PlayState &state() { return m_state; }
    const PlayState &state() const { return m_state; }
    MenuActions &actions() { return m_actions; }
    MediaPlayer &player() { return m_player; }

    // --- sequencing ---
    void PlayCurrentFile();
    void StartDirectoryPlay();
    void StartFilePlay();
    void BrookhumMediaPlayerNotify();
    void ShuffleDirectory(int slot, int count);

    // --- transport and mode commands ---
    void NPlayClick();
    void NStopClick();
    void NNextClick();
    void NOneTimeStopClick();
    void NRepetitionClick();
    void NDirRepetitionClick();
    void NRandDirAllClick();

    // --- select-play menu ---
    void NSelectPlayClick();
    void DirNoSelectMenuClick(int slot);
    void FileNoSelectMenuClick(int slot);

    // After a start attempt that left no file open, offers play, select-play,
    // set-up and reload again, so the user is never left with only "close".
    void offerCommandsWhenIdle();

private:
    void wireMenu();
    void directorySequencing();
    void fileSequencing();
    bool rereadDirectory(int slot);
    void setSelectBarCaptionToFile(const QString &path);
    void updateBarsForStartedFile();
    void setPlayingMenuState();
    void setTogglePicture(Toggle toggle, bool checked);
    void closePreviousFile();
    void startPlayback();

    MenuActions &m_actions;
    MediaPlayer &m_player;
    SettingsPort *m_settings = nullptr;
    WindowsPort *m_windows = nullptr;
    Wait m_wait;
    Clock m_clock;
    PlayState m_state;
    // Plays started whose notification has not arrived yet.
    int m_unnotifiedPlays = 0;
    // Notifications still to come for plays that a file start cut short.
    int m_supersededNotifications = 0;
};

} // namespace brookhum
