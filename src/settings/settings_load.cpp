#include "settings/settings_load.h"

#include "base/directory_listing.h"
#include "engine/menu_actions.h"
#include "base/native_path.h"
#include "base/path_text.h"
#include "engine/play_engine.h"
#include "settings/read_or_init.h"
#include "settings/reg_ini_file.h"
#include "settings/setting_names.h"

#include <QAction>
#include <QDebug>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace brookhum {

namespace {

const QString One = u"1"_s;
const QString Zero = u"0"_s;

// Slot flags: "0" or absent is off, any other text is on.
QString slotFlag(const settings::StoredText &stored)
{
    return stored.text == Zero ? Zero : One;
}

bool anySlotOn(const SlotTexts &flags)
{
    return std::any_of(flags.begin(), flags.end(), [](const QString &flag) { return flag == One; });
}

} // namespace

SettingsLoad::SettingsLoad(PlayEngine &engine, WindowsPort &windows, RegIniFile &store)
    : m_engine(engine), m_windows(windows), m_store(store)
{
}

void SettingsLoad::FormCreateSettingsPart()
{
    MenuActions &a = m_engine.actions();
    PlayState &s = m_engine.state();

    const auto play = settings::readTextOrInit(m_store, settings::PlayFlag());
    s.PlayFlag = play.text;
    if (play.absent) {
        a.NPlay->setEnabled(true);
    } else if (play.text == Zero) {
        for (QAction *entry : {a.NPlay, a.NSelectPlay, a.NSetUp, a.NRenew})
            entry->setEnabled(true);
    } else {
        // Play is about to start: these are offered only while nothing plays.
        for (QAction *entry : {a.NPlay, a.NSelectPlay, a.NSetUp, a.NRenew})
            entry->setEnabled(false);
    }

    const auto random = settings::readTextOrInit(m_store, settings::RandPlayFlag());
    a.NRandDirAll->setChecked(!random.absent && random.text != Zero);
}

void SettingsLoad::LoadSettings()
{
    m_engine.state().AllDirText = u"AllDir:"_s;
    loadPlayKind();
    for (int k = 1; k <= SlotCount; ++k)
        loadDirectorySlot(k);
    for (int k = 1; k <= SlotCount; ++k)
        loadFileSlot(k);
    startPlayWhenAsked();
}

void SettingsLoad::loadPlayKind()
{
    MenuActions &a = m_engine.actions();
    const auto kind = settings::readTextOrInit(m_store, settings::SelectPlayFlag());
    m_engine.state().SelectPlayFlag = kind.text;
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
void SettingsLoad::loadDirectorySlot(int slot)
{
    PlayState &s = m_engine.state();
    const int i = slot - 1;
    const settings::SlotValueNames names = settings::slotValueNames(settings::SlotKind::Directory, slot);

    s.DirPlayFlag[i] = slotFlag(settings::readTextOrInit(m_store, names.flag));
    const auto path = settings::readTextOrInit(m_store, names.path);
    if (path.absent) {
        s.DirPlayFlag[i] = Zero;
        return;
    }
    if (s.DirPlayFlag[i] != One)
        return;

    const auto listing = listPlayableFiles(path.text, FilesPerDirectory);
    if (!listing) {
        s.DirPlayFlag[i] = Zero;
        return;
    }
    s.DirPath[i] = path.text;
    if (listing->isEmpty()) {
        s.DirPlayFlag[i] = Zero;
        return;
    }

    const int count = static_cast<int>(listing->size());
    s.DirFileCount[i] = count;
    for (int f = 0; f < count; ++f) {
        s.DirFiles[i][f] = listing->at(f);
        s.PlayList[i][f] = listing->at(f);
    }
    if (m_engine.actions().NRandDirAll->isChecked())
        m_engine.ShuffleDirectory(slot, count);
    s.AllDirText += u',' + QString::number(slot);

    QAction *entry = m_engine.actions().DirNoSelectMenu[i];
    entry->setVisible(true);
    entry->setText(menuTextForPath(s.DirPath[i]));
}

void SettingsLoad::loadFileSlot(int slot)
{
    PlayState &s = m_engine.state();
    const int i = slot - 1;
    const settings::SlotValueNames names = settings::slotValueNames(settings::SlotKind::File, slot);

    s.FilePlayFlag[i] = slotFlag(settings::readTextOrInit(m_store, names.flag));
    const auto path = settings::readTextOrInit(m_store, names.path);
    if (path.absent)
        return;

    if (isRegularFile(path.text)) {
        // Every existing configured file is offered, whatever its flag says.
        s.FilePath[i] = path.text;
        QAction *entry = m_engine.actions().FileNoSelectMenu[i];
        entry->setVisible(true);
        entry->setText(menuTextForPath(fileNamePart(path.text)));
    } else {
        s.FilePlayFlag[i] = Zero;
    }
}

void SettingsLoad::startPlayWhenAsked()
{
    PlayState &s = m_engine.state();
    if (s.PlayFlag != Zero) {
        MenuActions &a = m_engine.actions();
        try {
            const bool directoryKind = s.SelectPlayFlag == One;
            if (anySlotOn(directoryKind ? s.DirPlayFlag : s.FilePlayFlag)) {
                for (QAction *entry : {a.NNext, a.NRepetition, a.NDirRepetition, a.NOneTimeStop})
                    entry->setEnabled(true);
                if (directoryKind)
                    m_engine.StartDirectoryPlay();
                else
                    m_engine.StartFilePlay();
            }
        } catch (const std::exception &e) {
            // Play simply does not start; the user sees the player stopped.
            qWarning().noquote() << "Brookhum: play did not start:" << QString::fromUtf8(e.what());
        } catch (...) {
        }
    }
    m_engine.offerCommandsWhenIdle();
}

void SettingsLoad::ShowBeginBars()
{
    // Play started inside the main window's creation: no bar exists yet.
    if (!m_windows.barExists(Bar::Select))
        return;
    try {
        if (!m_windows.barShowing(Bar::Select))
            showBarWhenAsked(Bar::Select, settings::PlayBarBeginFlag());
        if (!m_windows.barShowing(Bar::Indication))
            showBarWhenAsked(Bar::Indication, settings::IndicationBarBeginFlag());
    } catch (...) {
        // A bar that cannot be shown must not stop the file that just started.
    }
}

void SettingsLoad::showBarWhenAsked(Bar bar, const QString &beginFlag)
{
    const auto flag = settings::readTextOrInit(m_store, beginFlag);
    if (!flag.absent && flag.text == One)
        m_windows.showFreshBar(bar);
}

void SettingsLoad::writeRandPlayFlag(const QString &flag)
{
    m_store.WriteString(settings::section(), settings::RandPlayFlag(), flag);
}

} // namespace brookhum
