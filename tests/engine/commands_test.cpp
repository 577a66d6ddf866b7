// The transport and mode commands and the select-play menu, as the tray menu
// runs them.

#include "engine/menu_actions.h"
#include "settings/setting_names.h"
#include "support/engine_rig.h"
#include "support/test_application.h"
#include "support/store_test.h"

#include <QAction>
#include <QSet>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace brookhum;
using namespace brookhum::test;
using settings::SlotKind;
using settings::slotValueNames;

namespace {

class Commands : public StoreTest {
protected:
    void SetUp() override
    {
        StoreTest::SetUp();
        rig.windows.createHiddenBars();
    }

    QString directorySlot(int k, const QStringList &files, bool on = true)
    {
        const QString dir = makeDirectoryWithFiles(media, u"slot %1"_s.arg(k), files);
        const auto names = slotValueNames(SlotKind::Directory, k);
        storeTexts({{names.path, dir}, {names.flag, on ? u"1"_s : u"0"_s}});
        return dir;
    }

    QString lastPlayed() const { return rig.player.playedFiles.value(rig.player.playedFiles.size() - 1).section(u'/', -1); }

    QTemporaryDir media;
    EngineRig rig;
};

struct MenuState {
    bool play, stop, next, pause, pauseChecked, selectPlay, setUp, renew;
    bool operator==(const MenuState &) const = default;
};

MenuState menuState(const MenuActions &a)
{
    return {a.NPlay->isEnabled(), a.NStop->isEnabled(), a.NNext->isEnabled(), a.NOneTimeStop->isEnabled(),
            a.NOneTimeStop->isChecked(), a.NSelectPlay->isEnabled(), a.NSetUp->isEnabled(), a.NRenew->isEnabled()};
}

const MenuState Playing{false, true, true, true, false, false, false, false};
const MenuState Stopped{true, false, false, false, false, true, true, true};

} // namespace

TEST_F(Commands, PlayAndStopSwitchTheMenuBetweenItsTwoStates)
{
    directorySlot(1, {u"a.mp3"_s});
    rig.formCreate();
    rig.actions.NPlay->trigger();
    EXPECT_EQ(menuState(rig.actions), Playing);
    EXPECT_EQ(rig.state().PlayFlag, u"1"_s);
    EXPECT_EQ(rig.state().PlayerOpen, 1);

    rig.actions.NStop->trigger();
    EXPECT_EQ(menuState(rig.actions), Stopped);
    EXPECT_EQ(rig.state().PlayFlag, u"0"_s);
    EXPECT_EQ(rig.state().PlayerOpen, 0);
    EXPECT_FALSE(rig.player.isOpen());
    EXPECT_EQ(rig.player.deliverNotifications(), 1);
    EXPECT_EQ(rig.player.playedFiles.size(), 1) << "the stop's notification plays nothing";
}

TEST_F(Commands, PlayWithNoSlotOfTheKindKeepsThePlayFlagAndStartsNothing)
{
    rig.formCreate();
    rig.actions.NPlay->trigger();
    EXPECT_EQ(rig.state().PlayFlag, u"1"_s);
    EXPECT_TRUE(rig.player.playedFiles.isEmpty());
    EXPECT_TRUE(rig.actions.NPlay->isEnabled());
}

TEST_F(Commands, StopWithFileRepetitionClearsItAndItsPicture)
{
    directorySlot(1, {u"a.mp3"_s});
    rig.formCreate();
    rig.actions.NPlay->trigger();
    rig.actions.NRepetition->trigger();
    EXPECT_TRUE(rig.windows.pictures[Toggle::Repetition]);

    rig.actions.NStop->trigger();
    EXPECT_FALSE(rig.actions.NRepetition->isChecked());
    EXPECT_FALSE(rig.windows.pictures[Toggle::Repetition]);
    rig.player.deliverNotifications();
    EXPECT_EQ(rig.player.playedFiles.size(), 1);
}

TEST_F(Commands, PauseKeepsThePositionAndResumeGoesOnFromIt)
{
    directorySlot(1, {u"a.mp3"_s, u"b.mp3"_s});
    rig.formCreate();
    rig.actions.NPlay->trigger();
    rig.player.setPlayingPosition(83'000);

    rig.actions.NOneTimeStop->trigger();
    EXPECT_TRUE(rig.actions.NOneTimeStop->isChecked());
    EXPECT_TRUE(rig.windows.pictures[Toggle::OneTimeStop]);
    EXPECT_EQ(rig.state().PausePosition, 83'000);
    EXPECT_EQ(rig.state().PlayerOpen, 1);
    EXPECT_EQ(rig.player.deliverNotifications(), 1);
    EXPECT_EQ(lastPlayed(), u"a.mp3"_s) << "no file change while paused";

    rig.actions.NNext->trigger(); // next while paused: nothing plays
    EXPECT_EQ(rig.player.deliverNotifications(), 0);

    rig.actions.NOneTimeStop->trigger();
    EXPECT_FALSE(rig.actions.NOneTimeStop->isChecked());
    EXPECT_FALSE(rig.windows.pictures[Toggle::OneTimeStop]);
    EXPECT_EQ(rig.player.calls.mid(rig.player.calls.size() - 2), (QStringList{u"Position 83000"_s, u"Play"_s}));
    EXPECT_EQ(rig.player.playedFiles.size(), 2);
    EXPECT_EQ(lastPlayed(), u"a.mp3"_s);
}

TEST_F(Commands, StopWhilePausedClosesTheFileAndClearsThePause)
{
    directorySlot(1, {u"a.mp3"_s});
    rig.formCreate();
    rig.actions.NPlay->trigger();
    rig.actions.NOneTimeStop->trigger();
    rig.actions.NStop->trigger();
    EXPECT_EQ(menuState(rig.actions), Stopped);
    EXPECT_FALSE(rig.player.isOpen());
    EXPECT_FALSE(rig.windows.pictures[Toggle::OneTimeStop]);
}

TEST_F(Commands, NextPlaysTheFollowingFileOrWithRepetitionTheSameOne)
{
    directorySlot(1, {u"a.mp3"_s, u"b.mp3"_s, u"c.mp3"_s});
    rig.formCreate();
    rig.actions.NPlay->trigger();
    rig.actions.NNext->trigger();
    EXPECT_EQ(rig.player.deliverNotifications(), 1);
    EXPECT_EQ(lastPlayed(), u"b.mp3"_s);

    rig.actions.NRepetition->trigger();
    rig.actions.NNext->trigger();
    rig.player.deliverNotifications();
    EXPECT_EQ(lastPlayed(), u"b.mp3"_s);
}

TEST_F(Commands, RepetitionTogglesFlipTheirCheckMarksAndPictures)
{
    rig.formCreate();
    for (bool expected : {true, false, true}) {
        rig.actions.NRepetition->trigger();
        rig.actions.NDirRepetition->trigger();
        EXPECT_EQ(rig.actions.NRepetition->isChecked(), expected);
        EXPECT_EQ(rig.windows.pictures[Toggle::Repetition], expected);
        EXPECT_EQ(rig.actions.NDirRepetition->isChecked(), expected);
        EXPECT_EQ(rig.windows.pictures[Toggle::DirRepetition], expected);
    }
}

TEST_F(Commands, RandomOrderIsSavedAtOnceOnEveryToggle)
{
    rig.formCreate();
    rig.actions.NRandDirAll->trigger();
    EXPECT_EQ(storedText(settings::RandPlayFlag()), u"1"_s);
    EngineRig restarted;
    restarted.engine.FormCreateSettingsPart();
    EXPECT_TRUE(restarted.actions.NRandDirAll->isChecked());

    rig.actions.NRandDirAll->trigger();
    EXPECT_EQ(storedText(settings::RandPlayFlag()), u"0"_s);
}

TEST_F(Commands, SelectPlayOfADirectoryStartsAtItsFirstFileAndGoesOnToTheNextSlot)
{
    directorySlot(4, {u"d1.mp3"_s, u"d2.mp3"_s});
    directorySlot(6, {u"e1.mp3"_s});
    rig.formCreate();
    rig.actions.DirNoSelectMenu[4]->trigger();
    EXPECT_EQ(lastPlayed(), u"d1.mp3"_s);
    EXPECT_EQ(rig.windows.select.caption, u"d1.mp3"_s);
    EXPECT_EQ(menuState(rig.actions), Playing);
    rig.player.endTrack();
    rig.player.endTrack();
    EXPECT_EQ(lastPlayed(), u"e1.mp3"_s);
}

TEST_F(Commands, SelectPlayOfASwitchedOffDirectoryTurnsItOnForThisRun)
{
    directorySlot(3, {u"c1.mp3"_s}, false);
    directorySlot(5, {u"e1.mp3"_s});
    rig.formCreate();
    // Only a slot that loaded once has files; an off slot never loaded.
    EXPECT_FALSE(rig.actions.DirNoSelectMenu[3]->isVisible());
    storeTexts({{slotValueNames(SlotKind::Directory, 3).flag, u"1"_s}});
    rig.engine.LoadSettings();
    storeTexts({{slotValueNames(SlotKind::Directory, 3).flag, u"0"_s}});
    rig.engine.LoadSettings();
    ASSERT_EQ(rig.state().DirPlayFlag[3], u"0"_s);

    rig.engine.DirNoSelectMenuClick(3);
    EXPECT_EQ(rig.state().DirPlayFlag[3], u"1"_s);
    rig.player.endTrack();
    rig.player.endTrack();
    EXPECT_EQ(lastPlayed(), u"c1.mp3"_s) << "slot 3 takes part in the next pass";
    EXPECT_EQ(storedText(slotValueNames(SlotKind::Directory, 3).flag), u"0"_s);
}

TEST_F(Commands, SelectPlayWithRandomOrderReshufflesBeforeTheFirstFile)
{
    directorySlot(4, numberedNames(u"q"_s, 12));
    storeTexts({{settings::RandPlayFlag(), u"1"_s}});
    rig.formCreate();
    QSet<QString> firsts;
    for (int run = 0; run < 6; ++run) {
        rig.now += 1;
        rig.engine.DirNoSelectMenuClick(4);
        firsts.insert(lastPlayed());
        EXPECT_EQ(rig.player.playedFiles.last(), rig.state().PlayList[4][0]);
        rig.engine.NStopClick();
    }
    EXPECT_GT(firsts.size(), 1) << "not always the same first file";
}

TEST_F(Commands, SelectPlayOfADirectoryDoesNothingWhileAFileIsOpenOrForAnEmptySlot)
{
    directorySlot(1, {u"a.mp3"_s});
    directorySlot(2, {u"b.mp3"_s});
    rig.formCreate();
    rig.engine.DirNoSelectMenuClick(7);
    EXPECT_TRUE(rig.player.playedFiles.isEmpty());
    rig.engine.DirNoSelectMenuClick(1);
    rig.engine.DirNoSelectMenuClick(2);
    EXPECT_EQ(rig.player.playedFiles.size(), 1);
}

TEST_F(Commands, SelectPlayOfAFileThatVanishedIsReportedAndLeavesThePlayerIdle)
{
    const QString dir = makeDirectoryWithFiles(media, u"f"_s, {u"gone.wav"_s});
    const auto names = slotValueNames(SlotKind::File, 2);
    storeTexts({{names.path, dir + u"/gone.wav"_s}, {names.flag, u"1"_s}});
    rig.formCreate();
    rig.player.failingFiles.insert(dir + u"/gone.wav"_s);

    rig.actions.FileNoSelectMenu[2]->trigger();
    EXPECT_EQ(testApp().shownErrors.size(), 1);
    EXPECT_EQ(rig.state().PlayFlag, u"1"_s);
    EXPECT_EQ(menuState(rig.actions), Stopped);
}

TEST_F(Commands, OpeningTheSelectPlaySubmenuReloadsTheSettings)
{
    rig.formCreate();
    const QString dir = directorySlot(9, {u"n.mp3"_s});
    rig.engine.NSelectPlayClick();
    EXPECT_TRUE(rig.actions.DirNoSelectMenu[9]->isVisible());
    EXPECT_EQ(rig.actions.DirNoSelectMenu[9]->text(), dir);
    EXPECT_TRUE(rig.player.playedFiles.isEmpty());
}
