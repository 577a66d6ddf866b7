// Resuming where play stood at the last run: keeping the playing file's slot
// and place while it plays, and the first start of a run going back there.

#include "engine/play_engine.h"

#include "base/error_display.h"
#include "base/media_player.h"
#include "base/path_text.h"
#include "engine/menu_actions.h"

#include <QAction>

#include <algorithm>
#include <utility>

using namespace Qt::StringLiterals;

namespace brookhum {

void PlayEngine::storeResumePoint()
{
    followPlayForResume();
    const bool paused = m_actions.NOneTimeStop->isChecked();
    // A file that has ended, and is only waiting for the next one, is no
    // place to come back to.
    const bool playing = m_unnotifiedPlays > m_supersededNotifications;
    if (!m_options.resume || m_state.PlayerOpen != 1 || m_chosenSlot == 0 || !(playing || paused))
        return;
    const QString file = m_player.FileName();
    const std::optional<FileStamp> stamp = fileStamp(file);
    if (!stamp)
        return;
    // Keeping the place must never stop what the user asked for.
    guarded(m_errors, [&] {
        m_player.setTimeFormat(MediaPlayer::TimeFormat::Milliseconds);
        m_settings.writeResumePoint({m_chosenKind, m_chosenSlot, file, std::max<qint64>(m_player.Position(), 0), *stamp});
    })();
}

// The timer runs only while a file sounds, so an idle or paused player is
// never woken for it.
void PlayEngine::followPlayForResume()
{
    const bool sounding = m_options.resume && m_state.PlayerOpen == 1 && !m_actions.NOneTimeStop->isChecked();
    if (!sounding)
        m_resumeTimer.stop();
    else if (!m_resumeTimer.isActive())
        m_resumeTimer.start();
}

// The first start of the run, by play at start-up or the first play command,
// goes back to where play stood; a slot that no longer takes part, or a
// point of the other play kind, leaves the start as designed.
bool PlayEngine::startFromResumePoint()
{
    if (!std::exchange(m_resumeOffered, false) || !m_options.resume || m_state.SelectPlayRequest != 0)
        return false;
    const std::optional<ResumePoint> point = m_settings.readResumePoint();
    if (!point)
        return false;
    const SlotKind kind = m_state.SelectPlayFlag == u"1"_s ? SlotKind::Directory : SlotKind::File;
    if (point->kind != kind)
        return false;
    return kind == SlotKind::Directory ? resumeDirectorySlot(*point) : resumeFileSlot(*point);
}

// The file is looked for by name in the slot's play order, as a choice on
// the select-play bar is; one that is gone or changed gives the slot's start.
bool PlayEngine::resumeDirectorySlot(const ResumePoint &point)
{
    PlayState &s = m_state;
    const int k = point.slot;
    const int count = s.DirFileCount[k];
    if (s.DirPlayFlag[k] != u"1"_s || count == 0)
        return false;
    int at = 0;
    qint64 position = 0;
    const QString wanted = fileNamePart(point.file);
    for (int i = 0; i < count; ++i) {
        if (fileNamePart(s.PlayList[k][i]) == wanted) {
            if (fileStamp(s.PlayList[k][i]) == point.stamp) {
                at = i;
                position = point.position;
            }
            break;
        }
    }
    const QString &file = s.PlayList[k][at];
    choose(SlotKind::Directory, k, file);
    setSelectBarCaptionToFile(file);
    s.CurrentDir = k;
    s.PlayPos = at + 1;
    m_startAt = position;
    PlayCurrentFile();
    return true;
}

bool PlayEngine::resumeFileSlot(const ResumePoint &point)
{
    PlayState &s = m_state;
    const int k = point.slot;
    if (s.FilePlayFlag[k] != u"1"_s)
        return false;
    const QString &file = s.FilePath[k];
    choose(SlotKind::File, k, file);
    s.NextFileSlot = k + 1;
    m_startAt = file == point.file && fileStamp(file) == point.stamp ? point.position : 0;
    PlayCurrentFile();
    return true;
}

// A place the file no longer has is no reason not to play it: it plays from
// its start.
void PlayEngine::seekBeforePlay(qint64 position)
{
    try {
        m_player.setTimeFormat(MediaPlayer::TimeFormat::Milliseconds);
        m_player.setPosition(position);
    } catch (...) {
    }
}

} // namespace brookhum
