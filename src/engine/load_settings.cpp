// What the stored settings mean for play: the settings part of the main
// window's creation, the settings load that every reload runs, and the bars
// opened at each file start.

#include "engine/play_engine.h"

#include "base/directory_listing.h"
#include "base/error_display.h"
#include "base/native_path.h"
#include "base/path_text.h"
#include "engine/menu_actions.h"

#include <QAction>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace brookhum {

namespace {

const QString One = u"1"_s;
const QString Zero = u"0"_s;

// Slot flags: "0" or absent is off, any other text is on.
QString slotFlag(const StoredText &stored)
{
    return stored.text == Zero ? Zero : One;
}

bool anySlotOn(const SlotArray<QString> &flags)
{
    return std::any_of(flags.begin(), flags.end(), [](const QString &flag) { return flag == One; });
}

} // namespace

void PlayEngine::FormCreateSettingsPart()
{
    const StoredText play = m_settings.readPlayFlag();
    m_state.PlayFlag = play.text;
    // Play about to start offers nothing that is offered only while nothing
    // plays.
    m_actions.apply(play.absent || play.text == Zero ? MenuState::Idle : MenuState::Starting);

    const StoredText random = m_settings.readRandPlayFlag();
    m_actions.NRandDirAll->setChecked(!random.absent && random.text != Zero);

    // Before anything can play, also with play at start-up.
    m_volume.load();
}

void PlayEngine::LoadSettings()
{
    m_state.AllDirText = u"AllDir:"_s;
    loadPlayKind();
    for (int k = 1; k <= SlotCount; ++k)
        loadDirectorySlot(k);
    for (int k = 1; k <= SlotCount; ++k)
        loadFileSlot(k);
    loadOptions();
    startPlayWhenAsked();
}

// The option ticks count only "1" as on, as the dialog's options do.
void PlayEngine::loadOptions()
{
    const auto on = [this](PlayOption option) {
        const StoredText flag = m_settings.readOptionFlag(option);
        return !flag.absent && flag.text == One;
    };
    m_options.resume = on(PlayOption::Resume);
    m_options.notify = on(PlayOption::Notify);
    m_options.level = on(PlayOption::Level);
    followPlayForResume();
    Q_EMIT optionsLoaded();
}

void PlayEngine::loadPlayKind()
{
    MenuActions &a = m_actions;
    const StoredText kind = m_settings.readSelectPlayFlag();
    m_state.SelectPlayFlag = kind.text;
    if (kind.absent) {
        a.DirsSelectMenu->setVisible(true);
    } else if (kind.text == One) {
        a.DirsSelectMenu->setVisible(true);
        a.FilesSelectMenu->setVisible(false);
    } else if (kind.text == u"2"_s) {
        a.DirsSelectMenu->setVisible(false);
        a.FilesSelectMenu->setVisible(true);
    }
    // Any other text leaves both submenus as they are.
}

// A slot that cannot load only loses its flag for this run: its lists, path
// and menu entry stay, so a select-play of it still finds its old files.
void PlayEngine::loadDirectorySlot(int slot)
{
    PlayState &s = m_state;
    const StoredSlot stored = m_settings.readSlot(SlotKind::Directory, slot);
    s.DirPlayFlag[slot] = slotFlag(stored.flag);
    if (stored.path.absent) {
        s.DirPlayFlag[slot] = Zero;
        return;
    }
    if (s.DirPlayFlag[slot] != One)
        return;

    const auto listing = listPlayableFiles(stored.path.text, FilesPerDirectory);
    if (!listing) {
        s.DirPlayFlag[slot] = Zero;
        return;
    }
    s.DirPath[slot] = stored.path.text;
    if (listing->isEmpty()) {
        s.DirPlayFlag[slot] = Zero;
        return;
    }

    takeListing(slot, *listing);
    if (m_actions.NRandDirAll->isChecked())
        ShuffleDirectory(slot, s.DirFileCount[slot]);
    s.AllDirText += u',' + QString::number(slot);

    QAction *entry = m_actions.DirNoSelectMenu[slot];
    entry->setVisible(true);
    entry->setText(menuTextForPath(s.DirPath[slot]));
}

void PlayEngine::loadFileSlot(int slot)
{
    PlayState &s = m_state;
    const StoredSlot stored = m_settings.readSlot(SlotKind::File, slot);
    s.FilePlayFlag[slot] = slotFlag(stored.flag);
    if (stored.path.absent)
        return;

    if (isRegularFile(stored.path.text)) {
        // Every existing configured file is offered, whatever its flag says.
        s.FilePath[slot] = stored.path.text;
        QAction *entry = m_actions.FileNoSelectMenu[slot];
        entry->setVisible(true);
        entry->setText(menuTextForPath(fileNamePart(stored.path.text)));
    } else {
        s.FilePlayFlag[slot] = Zero;
    }
}

void PlayEngine::startPlayWhenAsked()
{
    PlayState &s = m_state;
    if (s.PlayFlag != Zero) {
        try {
            const bool directoryKind = s.SelectPlayFlag == One;
            if (anySlotOn(directoryKind ? s.DirPlayFlag : s.FilePlayFlag)) {
                m_actions.apply(MenuState::ModesOffered);
                const bool resumed = startFromResumePoint();
                if (!resumed && directoryKind)
                    StartDirectoryPlay();
                else if (!resumed)
                    StartFilePlay();
            }
        } catch (...) {
            // Play does not start, and the user is told why (a broken file, a
            // missing soundfont, no sound server), as for any file that fails.
            m_errors.showException(exceptionMessage(std::current_exception()));
        }
    }
    offerCommandsWhenIdle();
}

void PlayEngine::ShowBeginBars()
{
    // Play started inside the main window's creation: no bar exists yet.
    if (!m_windows.barExists(Bar::Select))
        return;
    try {
        for (const Bar bar : {Bar::Select, Bar::Indication}) {
            if (m_windows.barShowing(bar))
                continue;
            const StoredText flag = m_settings.readBeginFlag(bar);
            if (!flag.absent && flag.text == One)
                m_windows.showFreshBar(bar);
        }
    } catch (...) {
        // A bar that cannot be shown must not stop the file that just started.
    }
}

} // namespace brookhum
