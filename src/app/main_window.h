#pragma once

#include "engine/play_engine.h"
#include "setup/login_start.h"

#include <QSystemTrayIcon>
#include <QWidget>

#include <functional>
#include <memory>

class QMenu;

namespace brookhum {

class BarWindows;
class ErrorDisplay;
class MediaPlayer;
class MenuActions;
class RegIniFile;
class SetUpHintHandler;
class StoredSettings;
struct FormRefs;
struct PendingSlotPaths;

// The main window: never shown. It owns the tray icon and its popup menu, the
// media player, the play engine and the bars' handling for the whole run.
class TForm1 : public QWidget {
    Q_OBJECT
public:
    // What the program's entry hands down.
    struct Parts {
        FormRefs &forms;
        PendingSlotPaths &pending;
        RegIniFile &store;
        ErrorDisplay &errors;
        SetUpHintHandler &hints;
        std::unique_ptr<MediaPlayer> player;                              // the track player
        std::function<std::unique_ptr<MediaPlayer>()> makePreviewPlayer; // a player for each set-up dialog
        PlayEngine::Wait wait;                                            // the blocking waits
        PlayEngine::Clock clock;                                          // seeds the random order
        bool trayIcon = true;                                             // off on the offscreen platform
    };

    explicit TForm1(Parts parts);
    ~TForm1() override;

    // --- menu commands of the window ---
    void NSetUpClick();
    void Form4ShowClick();
    void NIndicationClick();
    void NRenewClick();
    void NCloseClick();

    PlayEngine &engine() { return *m_engine; }
    MenuActions &actions() { return *m_actions; }
    MediaPlayer &player() { return *m_player; }
    QMenu &popupMenu() { return *m_popupMenu; }
    BarWindows &bars() { return *m_bars; }
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
    ErrorDisplay &m_errors;
    SetUpHintHandler &m_hints;
    const LoginStart m_loginStart = LoginStart::forThisProgram();
    std::function<std::unique_ptr<MediaPlayer>()> m_makePreviewPlayer;
    PlayEngine::Wait m_wait;
    std::unique_ptr<MenuActions> m_actions;
    std::unique_ptr<MediaPlayer> m_player;
    std::unique_ptr<StoredSettings> m_settings;
    std::unique_ptr<BarWindows> m_bars;
    std::unique_ptr<PlayEngine> m_engine;
    std::unique_ptr<QMenu> m_popupMenu;
    std::unique_ptr<QSystemTrayIcon> m_trayIcon;
};

} // namespace brookhum
