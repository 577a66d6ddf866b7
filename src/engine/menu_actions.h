#pragma once

#include "base/slots.h"

#include <QObject>

#include <functional>

class QAction;

namespace brookhum {

class ErrorDisplay;

// Which entries of the tray menu are offered. Each state names the entries it
// switches; the others keep what they had.
enum class MenuState {
    // Nothing plays: play, select-play, set-up and reload are offered.
    Idle,
    // Play is about to start at creation: those four are withheld.
    Starting,
    // The settings load is about to start play: next, the two repetitions
    // and the one-time stop are offered.
    ModesOffered,
    // A file plays: only what acts on playing is offered.
    Playing,
    // After the stop command: as when idle, and pausing is off.
    Stopped,
};

// The entries of the tray's popup menu, in menu order, in their designed
// state. Their check marks are the play modes themselves and their enabled
// states follow play; the app arranges them into menus.
class MenuActions : public QObject {
    Q_OBJECT
public:
    explicit MenuActions(ErrorDisplay &errors, QObject *parent = nullptr);

    QAction *NPlay;
    QAction *NStop;
    QAction *NOneTimeStop;
    QAction *NNext;
    QAction *NDirRepetition;
    QAction *NRepetition;
    QAction *NRand;            // submenu holding NRandDirAll
    QAction *NRandDirAll;
    QAction *NSelectPlay;      // submenu holding the two select-play submenus
    QAction *DirsSelectMenu;   // submenu of DirNo1SelectMenu..DirNo10SelectMenu
    SlotArray<QAction *> DirNoSelectMenu;
    QAction *FilesSelectMenu;  // submenu of FileNo1SelectMenu..FileNo10SelectMenu
    SlotArray<QAction *> FileNoSelectMenu;
    QAction *NSetUp;
    QAction *Form4Show;
    QAction *NIndication;
    QAction *NRenew;
    QAction *NClose;

    // Switches the entries of a state on or off.
    void apply(MenuState state);

    // Runs handler when the entry is chosen or activated. The commands own
    // their check marks, so the toggle Qt applies to a checkable action before
    // it reports the trigger is undone first. An exception escaping the
    // handler goes to the error display.
    void onTriggered(QAction *entry, QObject *context, std::function<void()> handler);

private:
    ErrorDisplay &m_errors;
};

// Menu text for a path, as the user can read it; an ampersand would otherwise
// be taken for a mnemonic.
QString menuTextForPath(const QString &path);

} // namespace brookhum
