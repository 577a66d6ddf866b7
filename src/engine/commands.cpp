// The transport and mode commands of the tray menu. Commands that must not
// cause a file change set a flag or a check mark before they stop the media
// player, so that the notification the stop raises changes nothing.

#include "engine/play_engine.h"

#include "base/media_player.h"
#include "engine/menu_actions.h"

#include <QAction>

using namespace Qt::StringLiterals;

namespace brookhum {

void PlayEngine::NPlayClick()
{
    m_state.PlayFlag = u"1"_s;
    LoadSettings();
}

void PlayEngine::NStopClick()
{
    storeResumePoint();
    MenuActions &a = m_actions;
    if (a.NRepetition->isChecked()) {
        a.NRepetition->setChecked(false);
        m_windows.setTogglePicture(Toggle::Repetition, false);
    }
    m_state.PlayerOpen = 0;
    m_state.SelectPlayRequest = 0;
    m_state.PlayFlag = u"0"_s;

    m_player.Stop();
    m_player.Close();

    a.apply(MenuState::Stopped);
    // The pause picture follows the check mark it mirrors.
    m_windows.setTogglePicture(Toggle::OneTimeStop, false);
    followPlayForResume();
}

void PlayEngine::NNextClick()
{
    // The stop's notification moves the sequencing on, at the user's word.
    if (m_unnotifiedPlays > m_supersededNotifications)
        m_nextRequested = true;
    m_player.Stop();
}

void PlayEngine::NOneTimeStopClick()
{
    QAction *pause = m_actions.NOneTimeStop;
    m_player.setTimeFormat(MediaPlayer::TimeFormat::Milliseconds);
    if (pause->isChecked()) {
        m_player.setPosition(m_state.PausePosition);
        startPlayback();
        pause->setChecked(false);
        m_windows.setTogglePicture(Toggle::OneTimeStop, false);
    } else {
        pause->setChecked(true);
        m_state.PausePosition = static_cast<int>(m_player.Position());
        m_player.Stop();
        m_windows.setTogglePicture(Toggle::OneTimeStop, true);
        // A pause counts as play: where it stands is kept, and stays so.
        storeResumePoint();
    }
    followPlayForResume();
}

void PlayEngine::NRepetitionClick()
{
    QAction *entry = m_actions.NRepetition;
    entry->setChecked(!entry->isChecked());
    m_windows.setTogglePicture(Toggle::Repetition, entry->isChecked());
}

void PlayEngine::NDirRepetitionClick()
{
    QAction *entry = m_actions.NDirRepetition;
    entry->setChecked(!entry->isChecked());
    m_windows.setTogglePicture(Toggle::DirRepetition, entry->isChecked());
}

void PlayEngine::NRandDirAllClick()
{
    QAction *entry = m_actions.NRandDirAll;
    entry->setChecked(!entry->isChecked());
    m_settings.writeRandPlayFlag(entry->isChecked() ? u"1"_s : u"0"_s);
}

} // namespace brookhum
