#pragma once

#include "engine/play_state.h"
#include "engine/player_volume.h"
#include "engine/ports.h"

#include <QObject>
#include <QTimer>

#include <ctime>
#include <functional>

namespace brookhum {

class ErrorDisplay;
class MediaPlayer;
class MenuActions;

// The play engine: the play state, what the stored settings mean for play,
// the sequencing from file to file and slot to slot, the transport and mode
// commands and the select-play menu. It owns no window; it reaches the bars
// and the settings store through the two ports, all given at construction.
class PlayEngine : public QObject {
    Q_OBJECT
public:
    // A blocking wait of whole seconds on the user-interface thread.
    using Wait = std::function<void(int seconds)>;
    // The calendar time in whole seconds, for seeding the random order.
    using Clock = std::function<std::time_t()>;

    struct Ports {
        MenuActions &actions;
        MediaPlayer &player;
        SettingsPort &settings;
        WindowsPort &windows;
        ErrorDisplay &errors;
    };

    // The option ticks as the last settings load found them.
    struct Options {
        bool resume = false;
        bool notify = false;
        bool level = false;
    };

    PlayEngine(Ports ports, Wait wait, Clock clock, QObject *parent = nullptr);

    const PlayState &state() const { return m_state; }
    MenuActions &actions() { return m_actions; }
    // How many files have started playing since the program started, repeats
    // included: whoever comes to watch late still knows which play is which.
    quint64 trackStarts() const { return m_trackStarts; }
    const MenuActions &actions() const { return m_actions; }
    PlayerVolume &volume() { return m_volume; }
    const Options &options() const { return m_options; }

    // The file the player would move on to next, as far as can be told now
    // (a slot read again or shuffled at the end of its pass may begin with
    // another); empty when none would.
    QString upcomingFile() const;

    // --- the settings load ---
    // The settings part of the main window's creation: the play flag with the
    // entries offered while nothing plays, and the random-order check mark.
    void FormCreateSettingsPart();
    // Re-reads the play kind and all twenty slots, lists the directories,
    // rebuilds the select-play menu and starts play when the in-memory play
    // flag asks for it.
    void LoadSettings();
    // Opens the bars whose begin flags ask for it and that are not showing.
    void ShowBeginBars();

    // --- resuming where play stood ---
    // Keeps the playing file's slot and place in the store while resuming
    // is on; nothing while no file is open. Runs every 30 seconds while a
    // file plays, at a pause and a stop, and when the program ends.
    void storeResumePoint();

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

    // --- what the select-play bar asks for ---
    // Plays a file chosen from a directory slot's listing, through the play
    // command: found by name in the slot's play order, play goes on with the
    // files that follow it there.
    void requestSelectedFile(int slot, const QString &file);
    // Stops whatever plays before the bar offers a choice; a repeating file
    // is closed rather than started again.
    void stopForSelection();

Q_SIGNALS:
    // A file has started playing, also one that repeats. byPlayer: the
    // player moved on by itself (the sequencing or a repetition), not at a
    // command of the user's (play, next, select-play, resume).
    void trackStarted(bool byPlayer);
    // The settings load has read the option ticks.
    void optionsLoaded();

private:
    void wireMenu();
    void loadPlayKind();
    void loadDirectorySlot(int slot);
    void loadFileSlot(int slot);
    void loadOptions();
    void startPlayWhenAsked();
    void offerCommandsWhenIdle();
    void directorySequencing();
    void fileSequencing();
    bool rereadDirectory(int slot);
    void takeListing(int slot, const QStringList &listing);
    void setSelectBarCaptionToFile(const QString &path);
    void updateBarsForStartedFile();
    void closePreviousFile();
    void startPlayback();
    void noteTrackStart();
    void choose(SlotKind kind, int slot, const QString &file);
    void seekBeforePlay(qint64 position);
    bool startFromResumePoint();
    bool resumeDirectorySlot(const ResumePoint &point);
    bool resumeFileSlot(const ResumePoint &point);
    void followPlayForResume();

    MenuActions &m_actions;
    MediaPlayer &m_player;
    SettingsPort &m_settings;
    WindowsPort &m_windows;
    ErrorDisplay &m_errors;
    Wait m_wait;
    Clock m_clock;
    PlayState m_state;
    PlayerVolume m_volume;
    Options m_options;
    // The file the select-play bar chose, for the request it made.
    int m_selectedDir = 0;
    QString m_selectedFile;
    // Plays started whose notification has not arrived yet.
    int m_unnotifiedPlays = 0;
    // Notifications still to come for plays that a file start cut short.
    int m_supersededNotifications = 0;
    quint64 m_trackStarts = 0;
    // A next asked for whose notification has not arrived yet.
    bool m_nextRequested = false;
    // The player is moving on by itself: inside a notification that no
    // command of the user's caused.
    bool m_movingOn = false;
    // The slot of the file the player was last given.
    SlotKind m_chosenKind = SlotKind::Directory;
    int m_chosenSlot = 0;
    // Where the next file start begins, in milliseconds.
    qint64 m_startAt = 0;
    // The first start of the run may resume where play stood.
    bool m_resumeOffered = true;
    QTimer m_resumeTimer;
};

} // namespace brookhum
