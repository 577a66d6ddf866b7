#include "engine/play_engine.h"

#include "engine/error_report.h"
#include "base/media_player.h"
#include "engine/menu_actions.h"
#include "base/path_text.h"
#include "engine/random_order.h"

#include <QAction>
#include <QThread>

namespace brookhum {

PlayEngine::PlayEngine(MenuActions &actions, MediaPlayer &player, QObject *parent)
    : QObject(parent)
    , m_actions(actions)
    , m_player(player)
    , m_wait([](int seconds) { QThread::sleep(static_cast<unsigned long>(seconds)); })
    , m_clock([] { return std::time(nullptr); })
{
    wireMenu();
    connect(&m_player, &MediaPlayer::Notify, this, guarded([this] { BrookhumMediaPlayerNotify(); }));
}

void PlayEngine::wireMenu()
{
    MenuActions &a = m_actions;
    a.onTriggered(a.NPlay, this, [this] { NPlayClick(); });
    a.onTriggered(a.NStop, this, [this] { NStopClick(); });
    a.onTriggered(a.NOneTimeStop, this, [this] { NOneTimeStopClick(); });
    a.onTriggered(a.NNext, this, [this] { NNextClick(); });
    a.onTriggered(a.NDirRepetition, this, [this] { NDirRepetitionClick(); });
    a.onTriggered(a.NRepetition, this, [this] { NRepetitionClick(); });
    a.onTriggered(a.NRandDirAll, this, [this] { NRandDirAllClick(); });
    for (int k = 1; k <= SlotCount; ++k) {
        a.onTriggered(a.DirNoSelectMenu[k - 1], this, [this, k] { DirNoSelectMenuClick(k); });
        a.onTriggered(a.FileNoSelectMenu[k - 1], this, [this, k] { FileNoSelectMenuClick(k); });
    }
}

void PlayEngine::ShuffleDirectory(int slot, int count)
{
    brookhum::ShuffleDirectory(m_state, slot, count, m_clock());
}

void PlayEngine::setSelectBarCaptionToFile(const QString &path)
{
    if (m_windows)
        m_windows->setBarCaption(Bar::Select, fileNamePart(path));
}

void PlayEngine::setTogglePicture(Toggle toggle, bool checked)
{
    if (m_windows)
        m_windows->setTogglePicture(toggle, checked);
}

void PlayEngine::offerCommandsWhenIdle()
{
    if (m_state.PlayerOpen != 0)
        return;
    m_actions.NPlay->setEnabled(true);
    m_actions.NSelectPlay->setEnabled(true);
    m_actions.NSetUp->setEnabled(true);
    m_actions.NRenew->setEnabled(true);
}

} // namespace brookhum
