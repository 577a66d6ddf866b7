#pragma once

#include <QObject>

#include <array>
#include <functional>

class QAction;

namespace brookhum {

// The entries of the tray's popup menu, in menu order, in their designed
// state. Their check marks are the play modes themselves and their enabled
// states follow play; the app arranges them into menus.
class MenuActions : public QObject {
    Q_OBJECT
public:
    explicit MenuActions(QObject *parent = nullptr);

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
    std::array<QAction *, 10> DirNoSelectMenu;
    QAction *FilesSelectMenu;  // submenu of FileNo1SelectMenu..FileNo10SelectMenu
    std::array<QAction *, 10> FileNoSelectMenu;
    QAction *NSetUp;
    QAction *Form4Show;
    QAction *NIndication;
    QAction *NRenew;
    QAction *NClose;

    // Runs handler when the entry is chosen or activated. The commands own
    // their check marks, so the toggle Qt applies to a checkable action before
    // it reports the trigger is undone first. An exception escaping the
    // handler goes to the standard error display.
    void onTriggered(QAction *entry, QObject *context, std::function<void()> handler);
};

// Menu text for a path, as the user can read it; an ampersand would otherwise
// be taken for a mnemonic.
QString menuTextForPath(const QString &path);

} // namespace brookhum
