#include "engine/play_engine.h"

#include "base/error_display.h"
#include "base/media_player.h"
#include "base/path_text.h"
#include "engine/menu_actions.h"
#include "engine/random_order.h"

#include <QAction>

namespace brookhum {

PlayEngine::PlayEngine(Ports ports, Wait wait, Clock clock, QObject *parent)
    : QObject(parent)
    , m_actions(ports.actions)
    , m_player(ports.player)
    , m_settings(ports.settings)
    , m_windows(ports.windows)
    , m_errors(ports.errors)
    , m_wait(std::move(wait))
    , m_clock(std::move(clock))
    , m_volume(ports.player, ports.settings, ports.errors)
{
    wireMenu();
    connect(&m_player, &MediaPlayer::Notify, this, guarded(m_errors, [this] { BrookhumMediaPlayerNotify(); }));
    // Half a minute of play at most is lost when the program ends without
    // being told; coarse, it wakes the program no more than it must.
    m_resumeTimer.setInterval(std::chrono::seconds(30));
    m_resumeTimer.setTimerType(Qt::VeryCoarseTimer);
    connect(&m_resumeTimer, &QTimer::timeout, this, [this] { storeResumePoint(); });
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
        a.onTriggered(a.DirNoSelectMenu[k], this, [this, k] { DirNoSelectMenuClick(k); });
        a.onTriggered(a.FileNoSelectMenu[k], this, [this, k] { FileNoSelectMenuClick(k); });
    }
}

void PlayEngine::ShuffleDirectory(int slot, int count)
{
    brookhum::ShuffleDirectory(m_state, slot, count, m_clock());
}

// Every file the player is given comes from a slot, which is what a resume
// later looks for.
void PlayEngine::choose(SlotKind kind, int slot, const QString &file)
{
    m_player.setFileName(file);
    m_chosenKind = kind;
    m_chosenSlot = slot;
}

void PlayEngine::setSelectBarCaptionToFile(const QString &path)
{
    m_windows.setBarCaption(Bar::Select, fileNamePart(path));
}

// After a start attempt that left no file open, play, select-play, set-up
// and reload are offered again, so the user is never left with only "close".
void PlayEngine::offerCommandsWhenIdle()
{
    if (m_state.PlayerOpen == 0)
        m_actions.apply(MenuState::Idle);
}

void PlayEngine::requestSelectedFile(int slot, const QString &file)
{
    m_selectedDir = slot;
    m_selectedFile = file;
    m_state.SelectPlayRequest = 1;
    m_actions.NPlay->trigger();
}

void PlayEngine::stopForSelection()
{
    if (m_state.PlayerOpen != 1)
        return;
    m_state.RepeatRestartSkip = m_actions.NRepetition->isChecked() ? 1 : 0;
    m_actions.NStop->trigger();
}

} // namespace brookhum
