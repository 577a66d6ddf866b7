#pragma once

#include "base/media_player.h"
#include "engine/play_engine.h"

#include <QSystemTrayIcon>
#include <QWidget>

#include <functional>
#include <memory>

class QMenu;

namespace brookhum {

class BarWindows;
class MediaPlayer;
class MenuActions;
class RegIniFile;
class SettingsLoad;
struct FormRefs;
struct PendingSlotPaths;

// The main window: never shown. It owns the tray icon and its popup menu, the
// media player, the play engine and the settings load for the whole run.
class TForm1 : public QWidget {
    Q_OBJECT
public:
    struct Options {
        std::unique_ptr<MediaPlayer> player;                              // the track player
        std::function<std::unique_ptr<MediaPlayer>()> makePreviewPlayer; // a player for each set-up dialog
        PlayEngine::Wait wait;                         // blocking waits; real seconds when empty
        PlayEngine::Clock clock;                       // seeds the random order; the calendar when empty
        bool trayIcon = true;                          // off for tests on the offscreen platform
    };

    TForm1(FormRefs &forms, PendingSlotPaths &pending, RegIniFile &store, Options options);
    ~TForm1() override;

    // --- menu commands of the window ---
    void NSetUpClick();
    void Form4ShowClick();
    void NIndicationClick();
    void NRenewClick();
    void NCloseClick();

    PlayEngine &engine() { return *m_engine; }
    MenuActions &actions() { return *m_actions; }
    QMenu &popupMenu() { return *m_popupMenu; }
    BarWindows &bars() { return *m_bars; }
    SettingsLoad &settingsLoad() { return *m_settingsLoad; }
    QSystemTrayIcon *trayIcon() { return m_trayIcon.get(); }

    // Creates the set-up dialog into Form2 as at start-up, hidden.
    void createSetUpDialog();

Q_SIGNALS:
    // The user chose to end the program.
    void closeRequested();

private:
    void FormCreate(bool withTrayIcon);
    void FormDestroy();
    void TrayIconNotify(QSystemTrayIcon::ActivationReason reason);
    void installTrayIcon();
    void wireWindowCommands();

    FormRefs &m_forms;
    PendingSlotPaths &m_pending;
    RegIniFile &m_store;
    std::function<std::unique_ptr<MediaPlayer>()> m_makePreviewPlayer;
    std::unique_ptr<MenuActions> m_actions;
    std::unique_ptr<MediaPlayer> m_player;
    std::unique_ptr<PlayEngine> m_engine;
    std::unique_ptr<BarWindows> m_bars;
    std::unique_ptr<SettingsLoad> m_settingsLoad;
    std::unique_ptr<QMenu> m_popupMenu;
    std::unique_ptr<QSystemTrayIcon> m_trayIcon;
};

} // namespace brookhum
