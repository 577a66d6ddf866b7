#include "engine/menu_actions.h"

#include "base/error_display.h"
#include "base/native_path.h"

#include <QAction>

using namespace Qt::StringLiterals;

namespace brookhum {

namespace {

QAction *entry(QObject *owner, const QString &objectName, const QString &caption, bool enabled)
{
    auto *action = new QAction(caption, owner);
    action->setObjectName(objectName);
    action->setEnabled(enabled);
    return action;
}

QAction *checkEntry(QObject *owner, const QString &objectName, const QString &caption)
{
    QAction *action = entry(owner, objectName, caption, true);
    action->setCheckable(true);
    return action;
}

QAction *hiddenEntry(QObject *owner, const QString &objectName, const QString &caption)
{
    QAction *action = entry(owner, objectName, caption, true);
    action->setVisible(false);
    return action;
}

} // namespace

MenuActions::MenuActions(ErrorDisplay &errors, QObject *parent)
    : QObject(parent)
    , NPlay(entry(this, u"NPlay"_s, u"再生(&P)"_s, false))
    , NStop(entry(this, u"NStop"_s, u"停止(&S)"_s, false))
    , NOneTimeStop(entry(this, u"NOneTimeStop"_s, u"一時停止(&O)"_s, false))
    , NNext(entry(this, u"NNext"_s, u"次の曲(&N)"_s, false))
    , NDirRepetition(checkEntry(this, u"NDirRepetition"_s, u"ディレクトリ繰り返し(&M)"_s))
    , NRepetition(checkEntry(this, u"NRepetition"_s, u"ファイル繰り返し(&R)"_s))
    , NRand(entry(this, u"NRand"_s, u"ランダム再生(&U)"_s, true))
    , NRandDirAll(checkEntry(this, u"NRandDirAll"_s, u"フォルダ内全て"_s))
    , NSelectPlay(entry(this, u"NSelectPlay"_s, u"選択再生(&C)"_s, true))
    , DirsSelectMenu(hiddenEntry(this, u"DirsSelectMenu"_s, u"ディレクトリ"_s))
    , DirNoSelectMenu{}
    , FilesSelectMenu(hiddenEntry(this, u"FilesSelectMenu"_s, u"ファイル"_s))
    , FileNoSelectMenu{}
    , NSetUp(entry(this, u"NSetUp"_s, u"初期設定(&I)"_s, true))
    , Form4Show(entry(this, u"Form4Show"_s, u"選択再生バー(&B)"_s, true))
    , NIndication(hiddenEntry(this, u"NIndication"_s, u"表示バー(&H)"_s))
    , NRenew(entry(this, u"NRenew"_s, u"更新(&F)"_s, true))
    , NClose(entry(this, u"NClose"_s, u"閉じる(&E)"_s, true))
    , m_errors(errors)
{
    // One-time stop shows a check mark while paused, so it is checkable too.
    NOneTimeStop->setCheckable(true);
    for (int k = 1; k <= SlotCount; ++k) {
        DirNoSelectMenu[k] = hiddenEntry(this, u"DirNo%1SelectMenu"_s.arg(k), QString());
        FileNoSelectMenu[k] = hiddenEntry(this, u"FileNo%1SelectMenu"_s.arg(k), QString());
    }
}

void MenuActions::apply(MenuState state)
{
    const auto enable = [](std::initializer_list<QAction *> entries, bool on) {
        for (QAction *entry : entries)
            entry->setEnabled(on);
    };
    switch (state) {
    case MenuState::Idle:
        enable({NPlay, NSelectPlay, NSetUp, NRenew}, true);
        break;
    case MenuState::Starting:
        enable({NPlay, NSelectPlay, NSetUp, NRenew}, false);
        break;
    case MenuState::ModesOffered:
        enable({NNext, NRepetition, NDirRepetition, NOneTimeStop}, true);
        break;
    case MenuState::Playing:
        enable({NPlay}, false);
        enable({NStop, NNext, NOneTimeStop}, true);
        enable({NSelectPlay, NSetUp, NRenew}, false);
        break;
    case MenuState::Stopped:
        enable({NPlay}, true);
        enable({NStop}, false);
        NOneTimeStop->setChecked(false);
        enable({NOneTimeStop, NNext}, false);
        enable({NSelectPlay, NSetUp, NRenew}, true);
        break;
    }
}

void MenuActions::onTriggered(QAction *entry, QObject *context, std::function<void()> handler)
{
    QObject::connect(entry, &QAction::triggered, context, guarded(m_errors, [entry, handler = std::move(handler)] {
        if (entry->isCheckable())
            entry->setChecked(!entry->isChecked());
        handler();
    }));
}

QString menuTextForPath(const QString &path)
{
    QString text = displayText(path);
    return text.replace(u'&', u"&&"_s);
}

} // namespace brookhum
