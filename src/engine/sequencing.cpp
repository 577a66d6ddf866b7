// Going from file to file without the user: the start of each file, the two
// start routines and the end-of-track handler.

#include "engine/play_engine.h"

#include "base/directory_listing.h"
#include "base/media_player.h"
#include "base/path_text.h"
#include "engine/menu_actions.h"

#include <QAction>

#include <algorithm>
#include <QScopedValueRollback>

#include <utility>

using namespace Qt::StringLiterals;

namespace brookhum {

namespace {

const QString One = u"1"_s;
const QString Zero = u"0"_s;

} // namespace

// Stops and closes the file still open before another one starts, after the
// 3 seconds of silence between two files. A failure here must not keep the
// next file from starting, so it is swallowed.
void PlayEngine::closePreviousFile()
{
    if (m_state.PlayerOpen != 1)
        return;
    try {
        m_wait(3);
        // A file still playing here is being replaced, not ending: the
        // notification its stop raises must not move play on past the file
        // that starts now.
        m_supersededNotifications += m_unnotifiedPlays;
        m_player.Stop();
        m_player.Close();
        m_state.PlayerOpen = 0;
    } catch (...) {
    }
}

void PlayEngine::PlayCurrentFile()
{
    closePreviousFile();

    const qint64 startAt = std::exchange(m_startAt, 0);
    m_player.Open();
    if (startAt > 0)
        seekBeforePlay(startAt);
    startPlayback();

    ShowBeginBars();

    m_state.PlayerOpen = 1;
    updateBarsForStartedFile();
    m_actions.apply(MenuState::Playing);
    noteTrackStart();
}

void PlayEngine::updateBarsForStartedFile()
{
    const QString name = fileNamePart(m_player.FileName());
    m_windows.setBarCaption(Bar::Select, name);
    m_windows.setBarCaption(Bar::Indication, name);
    m_windows.setIndicationLabel(IndicationLabel::Dir, u"Dir:"_s + QString::number(m_state.CurrentDir));
    m_windows.setIndicationLabel(IndicationLabel::AllDir, m_state.AllDirText);

    const int k = m_state.CurrentDir;
    if (k < 1 || k > SlotCount)
        return;
    const int count = m_state.DirFileCount[k];
    const int pos = m_state.PlayPos;
    if (pos > FilesPerDirectory || pos > count)
        return;
    m_windows.setIndicationLabel(IndicationLabel::Count,
                                  u"File:%1/%2"_s.arg(QString::number(pos), QString::number(count)));
    m_windows.setIndicationLabel(IndicationLabel::Next,
                                  pos < count ? fileNamePart(m_state.PlayList[k][pos]) : QString());
}

void PlayEngine::StartDirectoryPlay()
{
    PlayState &s = m_state;
    if (s.SelectPlayRequest == 0) {
        for (int k = 1; k <= SlotCount; ++k) {
            if (s.DirPlayFlag[k] == One && s.DirFileCount[k] != 0) {
                const QString &first = s.PlayList[k][0];
                choose(SlotKind::Directory, k, first);
                setSelectBarCaptionToFile(first);
                s.CurrentDir = k;
                s.PlayPos = 1;
                PlayCurrentFile();
                return;
            }
        }
        return;
    }

    // A file chosen on the select-play bar: found by name in the slot's play
    // order, so play goes on with the files that follow it there.
    const int selectedDir = m_selectedDir;
    const QString &selectedFile = m_selectedFile;
    s.CurrentDir = selectedDir;
    const int count = (selectedDir >= 1 && selectedDir <= SlotCount) ? s.DirFileCount[selectedDir] : 0;
    bool found = false;
    const QString wanted = fileNamePart(selectedFile);
    for (int i = 0; i < count; ++i) {
        if (fileNamePart(s.PlayList[selectedDir][i]) == wanted) {
            choose(SlotKind::Directory, selectedDir, selectedFile);
            setSelectBarCaptionToFile(selectedFile);
            s.PlayPos = i + 1;
            found = true;
            break;
        }
    }
    s.SelectPlayRequest = 0;
    if (found)
        PlayCurrentFile();
}

void PlayEngine::StartFilePlay()
{
    PlayState &s = m_state;
    for (int k = 1; k <= SlotCount; ++k) {
        if (s.FilePlayFlag[k] == One) {
            choose(SlotKind::File, k, s.FilePath[k]);
            s.NextFileSlot = k + 1;
            PlayCurrentFile();
            return;
        }
    }
}

void PlayEngine::startPlayback()
{
    m_player.Play();
    ++m_unnotifiedPlays;
}

void PlayEngine::noteTrackStart()
{
    ++m_trackStarts;
    followPlayForResume();
    Q_EMIT trackStarted(m_movingOn);
}

void PlayEngine::BrookhumMediaPlayerNotify()
{
    PlayState &s = m_state;
    if (m_unnotifiedPlays > 0)
        --m_unnotifiedPlays;
    if (m_supersededNotifications > 0) {
        --m_supersededNotifications;
        return;
    }
    const QScopedValueRollback movingOn(m_movingOn, !std::exchange(m_nextRequested, false));
    if (m_actions.NOneTimeStop->isChecked())
        return;

    if (m_actions.NRepetition->isChecked()) {
        closePreviousFile();
        if (s.RepeatRestartSkip != 0) {
            s.RepeatRestartSkip = 0;
            return;
        }
        m_player.Open();
        startPlayback();
        s.PlayerOpen = 1;
        noteTrackStart();
        return;
    }

    if (s.PlayFlag == Zero)
        return;
    if (s.SelectPlayFlag == One)
        directorySequencing();
    else
        fileSequencing();
}

QString PlayEngine::upcomingFile() const
{
    const PlayState &s = m_state;
    if (m_actions.NRepetition->isChecked())
        return m_player.FileName();
    if (s.SelectPlayFlag != One) {
        for (int step = 0; step < SlotCount; ++step) {
            const int k = (s.NextFileSlot - 1 + step) % SlotCount + 1;
            if (s.FilePlayFlag[k] == One)
                return s.FilePath[k];
        }
        return {};
    }
    const int current = std::clamp(s.CurrentDir, 0, SlotCount);
    if (current >= 1 && s.PlayPos < s.DirFileCount[current])
        return s.PlayList[current][s.PlayPos];
    const int first = current >= 1 && m_actions.NDirRepetition->isChecked() ? 0 : 1;
    for (int step = first; step <= SlotCount; ++step) {
        const int k = (current - 1 + step + SlotCount) % SlotCount + 1;
        if (s.DirPlayFlag[k] == One && s.DirFileCount[k] > 0)
            return s.PlayList[k][0];
    }
    return {};
}

// Reads a slot's directory again at the end of its pass, so that files added
// or removed meanwhile take effect. Returns false when the directory is gone,
// in which case the old lists stay.
bool PlayEngine::rereadDirectory(int slot)
{
    PlayState &s = m_state;
    const auto listing = listPlayableFiles(s.DirPath[slot], FilesPerDirectory);
    if (!listing)
        return false;
    if (listing->isEmpty()) {
        s.DirPlayFlag[slot] = Zero;
        return true;
    }
    takeListing(slot, *listing);
    return true;
}

// A listing becomes the slot's files, in listing order and in play order.
void PlayEngine::takeListing(int slot, const QStringList &listing)
{
    PlayState &s = m_state;
    const int count = static_cast<int>(listing.size());
    s.DirFileCount[slot] = count;
    for (int i = 0; i < count; ++i) {
        s.DirFiles[slot][i] = listing[i];
        s.PlayList[slot][i] = listing[i];
    }
}

// Ten steps, one per slot, each acting only while CurrentDir names its slot,
// so a step that moves CurrentDir on hands over to the next. Wraps after slot
// 10. When no slot takes part any more, the search ends as after a stop
// instead of going round for ever: two full rounds after the first wrap are
// enough for any slot that can play to have played.
void PlayEngine::directorySequencing()
{
    PlayState &s = m_state;
    int wraps = 0;
    for (;;) {
        bool restartAtFirstStep = false;
        for (int k = 1; k <= SlotCount && !restartAtFirstStep; ++k) {
            if (s.CurrentDir != k)
                continue;
            const int count = s.DirFileCount[k];
            if (s.DirPlayFlag[k] != One || count == 0) {
                ++s.CurrentDir;
                continue;
            }
            if (s.PlayPos < count) {
                const QString &next = s.PlayList[k][s.PlayPos];
                choose(SlotKind::Directory, k, next);
                setSelectBarCaptionToFile(next);
                ++s.PlayPos;
                PlayCurrentFile();
                return;
            }
            // The slot's pass is over.
            if (m_actions.NRandDirAll->isChecked())
                ShuffleDirectory(k, count);
            else
                rereadDirectory(k);
            s.PlayPos = 0;
            if (m_actions.NDirRepetition->isChecked())
                restartAtFirstStep = true;
            else
                ++s.CurrentDir;
        }
        if (restartAtFirstStep)
            continue;
        if (s.CurrentDir < SlotCount + 1)
            return;
        if (++wraps > 2) {
            NStopClick();
            return;
        }
        s.CurrentDir = 1;
    }
}

// Ten steps, one per file slot, acting only while NextFileSlot names their
// slot; after the last step NextFileSlot moves past the slot that plays, or
// wraps from 11 to 1. A full round after a wrap without a slot that takes part
// ends as after a stop.
void PlayEngine::fileSequencing()
{
    PlayState &s = m_state;
    int wraps = 0;
    for (;;) {
        for (int k = 1; k <= SlotCount; ++k) {
            if (s.NextFileSlot != k)
                continue;
            if (s.FilePlayFlag[k] == One) {
                choose(SlotKind::File, k, s.FilePath[k]);
                PlayCurrentFile();
            } else {
                ++s.NextFileSlot;
            }
        }
        if (s.NextFileSlot < SlotCount + 1) {
            ++s.NextFileSlot;
            return;
        }
        if (++wraps > 1) {
            NStopClick();
            return;
        }
        s.NextFileSlot = 1;
    }
}

} // namespace brookhum
