// Starting play at a chosen directory slot or file slot.

#include "engine/play_engine.h"

#include "base/media_player.h"
#include "engine/menu_actions.h"

#include <QAction>

using namespace Qt::StringLiterals;

namespace brookhum {

void PlayEngine::NSelectPlayClick()
{
    LoadSettings();
}

void PlayEngine::DirNoSelectMenuClick(int slot)
{
    PlayState &s = m_state;
    const int count = s.DirFileCount[slot];
    if (count < 1 || s.PlayerOpen != 0)
        return;
    // The user's own choice; where play stood before is not resumed later.
    m_resumeOffered = false;
    s.PlayFlag = u"1"_s;
    s.DirPlayFlag[slot] = u"1"_s;
    if (m_actions.NRandDirAll->isChecked())
        ShuffleDirectory(slot, count);
    const QString &first = s.PlayList[slot][0];
    choose(SlotKind::Directory, slot, first);
    setSelectBarCaptionToFile(first);
    s.CurrentDir = slot;
    s.PlayPos = 1;
    try {
        PlayCurrentFile();
    } catch (...) {
        offerCommandsWhenIdle();
        throw;
    }
}

void PlayEngine::FileNoSelectMenuClick(int slot)
{
    PlayState &s = m_state;
    m_resumeOffered = false;
    s.PlayFlag = u"1"_s;
    s.FilePlayFlag[slot] = u"1"_s;
    choose(SlotKind::File, slot, s.FilePath[slot]);
    s.NextFileSlot = slot + 1;
    try {
        PlayCurrentFile();
    } catch (...) {
        offerCommandsWhenIdle();
        throw;
    }
}

} // namespace brookhum
