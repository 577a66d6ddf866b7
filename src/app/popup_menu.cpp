#include "app/popup_menu.h"

#include "engine/menu_actions.h"

#include <QAction>
#include <QMenu>

using namespace Qt::StringLiterals;

namespace brookhum {

namespace {

QMenu *submenu(QMenu *owner, QAction *entry, const QString &objectName)
{
    auto *menu = new QMenu(owner);
    menu->setObjectName(objectName);
    entry->setMenu(menu);
    return menu;
}

} // namespace

std::unique_ptr<QMenu> buildPopupMenu(MenuActions &a)
{
    auto menu = std::make_unique<QMenu>();
    menu->setObjectName(u"BrookhumPopupMenu"_s);
    menu->addActions({a.NPlay, a.NStop, a.NOneTimeStop, a.NNext, a.NDirRepetition, a.NRepetition});

    submenu(menu.get(), a.NRand, u"NRandMenu"_s)->addAction(a.NRandDirAll);
    menu->addAction(a.NRand);

    QMenu *select = submenu(menu.get(), a.NSelectPlay, u"NSelectPlayMenu"_s);
    QMenu *dirs = submenu(menu.get(), a.DirsSelectMenu, u"DirsSelectMenuMenu"_s);
    QMenu *files = submenu(menu.get(), a.FilesSelectMenu, u"FilesSelectMenuMenu"_s);
    for (int k = 1; k <= SlotCount; ++k) {
        dirs->addAction(a.DirNoSelectMenu[k]);
        files->addAction(a.FileNoSelectMenu[k]);
    }
    select->addActions({a.DirsSelectMenu, a.FilesSelectMenu});
    menu->addAction(a.NSelectPlay);

    menu->addActions({a.NSetUp, a.Form4Show, a.NIndication, a.NRenew, a.NClose});
    return menu;
}

} // namespace brookhum
