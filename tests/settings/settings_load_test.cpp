// Loading the stored settings into the play state, the tray menu and the
// bars: first-run defaults, the reading rules, directory slots and file slots.

#include "engine/menu_actions.h"
#include "settings/setting_names.h"
#include "support/engine_rig.h"
#include "support/test_application.h"
#include "support/store_test.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QSet>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace brookhum;
using namespace brookhum::test;
using settings::SlotKind;
using settings::slotValueNames;

namespace {

QString dirPath(int k) { return slotValueNames(SlotKind::Directory, k).path; }
QString dirFlag(int k) { return slotValueNames(SlotKind::Directory, k).flag; }
QString filePath(int k) { return slotValueNames(SlotKind::File, k).path; }
QString fileFlag(int k) { return slotValueNames(SlotKind::File, k).flag; }

class SettingsLoadTest : public StoreTest {
protected:
    QTemporaryDir media;
};

} // namespace

TEST_F(SettingsLoadTest, FirstRunWritesEveryValueItReadsAndPlaysNothing)
{
    EngineRig rig;
    rig.formCreate();

    EXPECT_EQ(storedText(settings::PlayFlag()), u"0"_s);
    EXPECT_EQ(storedText(settings::RandPlayFlag()), u"0"_s);
    EXPECT_EQ(storedText(settings::SelectPlayFlag()), u"1"_s);
    for (int k = 1; k <= 10; ++k) {
        EXPECT_EQ(storedText(dirFlag(k)), u"0"_s);
        EXPECT_EQ(storedText(dirPath(k)), QString());
        EXPECT_EQ(storedText(fileFlag(k)), u"0"_s);
        EXPECT_EQ(storedText(filePath(k)), QString());
    }
    // The bar options and positions are read by others, later.
    EXPECT_EQ(storedText(settings::PlayBarBeginFlag()), u"non"_s);

    const MenuActions &a = rig.actions;
    EXPECT_TRUE(a.NPlay->isEnabled());
    EXPECT_TRUE(a.DirsSelectMenu->isVisible());
    EXPECT_FALSE(a.FilesSelectMenu->isVisible());
    for (QAction *entry : a.DirNoSelectMenu)
        EXPECT_FALSE(entry->isVisible());
    EXPECT_EQ(rig.state().AllDirText, u"AllDir:"_s);
    EXPECT_EQ(rig.state().PlayFlag, u"0"_s);
    EXPECT_TRUE(rig.player.calls.isEmpty());
}

TEST_F(SettingsLoadTest, PlayFlagDecidesTheEntriesOfferedWhileNothingPlays)
{
    struct Row {
        const char *name;
        std::optional<QString> stored;
        bool offered;
    };
    const Row rows[] = {
        {"absent", std::nullopt, true},
        {"zero", u"0"_s, true},
        {"one", u"1"_s, false},
        {"empty text counts as play", u""_s, false},
        {"unexpected text counts as play", u"yes"_s, false},
    };
    for (const Row &row : rows) {
        clearSettingsStore();
        if (row.stored)
            storeTexts({{settings::PlayFlag(), *row.stored}});
        EngineRig rig;
        rig.engine.FormCreateSettingsPart();
        const MenuActions &a = rig.actions;
        EXPECT_EQ(a.NPlay->isEnabled(), row.offered) << row.name;
        EXPECT_EQ(a.NSelectPlay->isEnabled(), row.offered) << row.name;
        EXPECT_EQ(a.NSetUp->isEnabled(), row.offered) << row.name;
        EXPECT_EQ(a.NRenew->isEnabled(), row.offered) << row.name;
        EXPECT_EQ(rig.state().PlayFlag, row.stored.value_or(u"0"_s)) << row.name;
    }
}

TEST_F(SettingsLoadTest, RandomOrderCheckMarkFollowsTheStoreAtCreationOnly)
{
    struct Row {
        const char *name;
        std::optional<QString> stored;
        bool checked;
    };
    const Row rows[] = {
        {"absent", std::nullopt, false}, {"zero", u"0"_s, false}, {"one", u"1"_s, true}, {"other", u"x"_s, true}};
    for (const Row &row : rows) {
        clearSettingsStore();
        if (row.stored)
            storeTexts({{settings::RandPlayFlag(), *row.stored}});
        EngineRig rig;
        rig.formCreate();
        EXPECT_EQ(rig.actions.NRandDirAll->isChecked(), row.checked) << row.name;
        EXPECT_EQ(storedText(settings::RandPlayFlag()), row.stored.value_or(u"0"_s)) << row.name;

        // A later load leaves the check mark alone.
        storeTexts({{settings::RandPlayFlag(), row.checked ? u"0"_s : u"1"_s}});
        rig.engine.LoadSettings();
        EXPECT_EQ(rig.actions.NRandDirAll->isChecked(), row.checked) << row.name;
    }
}

TEST_F(SettingsLoadTest, PlayKindShowsItsSubmenuAndAnOddTextLeavesBothAlone)
{
    EngineRig rig;
    rig.formCreate();
    MenuActions &a = rig.actions;

    storeTexts({{settings::SelectPlayFlag(), u"2"_s}});
    rig.engine.LoadSettings();
    EXPECT_FALSE(a.DirsSelectMenu->isVisible());
    EXPECT_TRUE(a.FilesSelectMenu->isVisible());

    storeTexts({{settings::SelectPlayFlag(), u"3"_s}});
    rig.engine.LoadSettings();
    EXPECT_FALSE(a.DirsSelectMenu->isVisible());
    EXPECT_TRUE(a.FilesSelectMenu->isVisible());
    EXPECT_EQ(rig.state().SelectPlayFlag, u"3"_s);

    storeTexts({{settings::SelectPlayFlag(), u"1"_s}});
    rig.engine.LoadSettings();
    EXPECT_TRUE(a.DirsSelectMenu->isVisible());
    EXPECT_FALSE(a.FilesSelectMenu->isVisible());
}

TEST_F(SettingsLoadTest, DirectorySlotsLoadTheirFirstTwentyFilesAndSwitchOffWhatCannotPlay)
{
    QStringList many = numberedNames(u"t"_s, 25);
    many << u"cover.jpg"_s << u".hidden.mp3"_s << u"notes.txt"_s;
    const QString big = makeDirectoryWithFiles(media, u"big one"_s, many);
    const QString mixedCase = makeDirectoryWithFiles(media, u"ケース"_s, {u"B.WAV"_s, u"a.Mid"_s, u"c.mP3"_s});
    const QString otherTypes = makeDirectoryWithFiles(media, u"other"_s, {u"a.ogg"_s, u"b.flac"_s});
    QDir().mkpath(media.path() + u"/subdir only/inner.mp3"_s);
    QFile plainFile(media.path() + u"/plain.mp3"_s);
    plainFile.open(QIODevice::WriteOnly);

    storeTexts({
        {dirPath(1), big}, {dirFlag(1), u"1"_s},
        {dirPath(2), mixedCase}, {dirFlag(2), u"yes"_s},           // any text but "0" is on
        {dirPath(3), otherTypes}, {dirFlag(3), u"1"_s},
        {dirPath(4), media.path() + u"/missing"_s}, {dirFlag(4), u"1"_s},
        {dirPath(5), plainFile.fileName()}, {dirFlag(5), u"1"_s}, // a file, not a directory
        {dirPath(6), media.path() + u"/subdir only"_s}, {dirFlag(6), u"1"_s},
        {dirPath(7), big}, {dirFlag(7), u"0"_s},                   // switched off
        {dirPath(8), u""_s}, {dirFlag(8), u"1"_s},                 // ticked but empty
        {dirPath(9), u"non"_s}, {dirFlag(9), u"1"_s},              // "non" is absent
    });
    EngineRig rig;
    rig.formCreate();
    const PlayState &s = rig.state();

    EXPECT_EQ(s.DirFileCount[1], 20);
    EXPECT_EQ(s.DirFiles[1][0], big + u"/t01.mp3"_s);
    EXPECT_EQ(s.DirFiles[1][19], big + u"/t20.mp3"_s);
    EXPECT_EQ(s.PlayList[1], s.DirFiles[1]);
    EXPECT_EQ(s.DirFileCount[2], 3);
    EXPECT_EQ(s.DirFiles[2][0], mixedCase + u"/a.Mid"_s);
    EXPECT_EQ(s.DirFiles[2][1], mixedCase + u"/B.WAV"_s);

    const QStringList expectedFlags = {u"1"_s, u"1"_s, u"0"_s, u"0"_s, u"0"_s, u"0"_s, u"0"_s, u"0"_s, u"0"_s, u"0"_s};
    for (int k = 1; k <= 10; ++k)
        EXPECT_EQ(s.DirPlayFlag[k], expectedFlags[k - 1]) << "slot " << k;
    EXPECT_EQ(s.AllDirText, u"AllDir:,1,2"_s);
    EXPECT_EQ(storedText(dirPath(9)), QString());
    // Switching a slot off for this run never touches its stored flag.
    EXPECT_EQ(storedText(dirFlag(4)), u"1"_s);

    EXPECT_TRUE(rig.actions.DirNoSelectMenu[1]->isVisible());
    EXPECT_EQ(rig.actions.DirNoSelectMenu[1]->text(), big);
    EXPECT_FALSE(rig.actions.DirNoSelectMenu[3]->isVisible());
}

TEST_F(SettingsLoadTest, AllDirTextListsLoadedSlotsInOrder)
{
    const QString dir = makeDirectoryWithFiles(media, u"d"_s, {u"a.mp3"_s});
    storeTexts({{dirPath(10), dir}, {dirFlag(10), u"1"_s}, {dirPath(2), dir}, {dirFlag(2), u"1"_s},
                {dirPath(5), dir}, {dirFlag(5), u"1"_s}});
    EngineRig rig;
    rig.formCreate();
    EXPECT_EQ(rig.state().AllDirText, u"AllDir:,2,5,10"_s);
    rig.engine.LoadSettings();
    EXPECT_EQ(rig.state().AllDirText, u"AllDir:,2,5,10"_s);
}

TEST_F(SettingsLoadTest, ARemovedSlotKeepsItsMenuEntryAndOldFilesButStopsTakingPart)
{
    const QString dir = makeDirectoryWithFiles(media, u"R&B"_s, {u"a.mp3"_s, u"b.mp3"_s});
    storeTexts({{dirPath(3), dir}, {dirFlag(3), u"1"_s}});
    EngineRig rig;
    rig.formCreate();
    EXPECT_EQ(rig.actions.DirNoSelectMenu[3]->text(), menuTextForPath(dir));

    storeTexts({{dirPath(3), u""_s}, {dirFlag(3), u"0"_s}});
    rig.engine.LoadSettings();
    EXPECT_TRUE(rig.actions.DirNoSelectMenu[3]->isVisible());
    EXPECT_EQ(rig.actions.DirNoSelectMenu[3]->text(), menuTextForPath(dir));
    EXPECT_EQ(rig.state().DirPlayFlag[3], u"0"_s);
    EXPECT_EQ(rig.state().DirFileCount[3], 2);
    EXPECT_EQ(rig.state().DirFiles[3][1], dir + u"/b.mp3"_s);
}

TEST_F(SettingsLoadTest, RandomOrderShufflesThePlayListButNotTheListing)
{
    const QString dir = makeDirectoryWithFiles(media, u"d"_s, numberedNames(u"s"_s, 20));
    storeTexts({{dirPath(1), dir}, {dirFlag(1), u"1"_s}, {settings::RandPlayFlag(), u"1"_s}});
    EngineRig rig;
    rig.formCreate();
    const PlayState &s = rig.state();
    const QStringList listing(s.DirFiles[1].begin(), s.DirFiles[1].end());
    const QStringList order(s.PlayList[1].begin(), s.PlayList[1].end());
    EXPECT_NE(order, listing);
    EXPECT_EQ(QSet<QString>(order.begin(), order.end()), QSet<QString>(listing.begin(), listing.end()));
    EXPECT_TRUE(std::is_sorted(listing.begin(), listing.end()));
}

TEST_F(SettingsLoadTest, FileSlotsOfferEveryExistingFileWhateverItsFlag)
{
    const QString dir = makeDirectoryWithFiles(media, u"files"_s, {u"on.mp3"_s, u"off.wav"_s});
    storeTexts({
        {filePath(1), dir + u"/on.mp3"_s}, {fileFlag(1), u"1"_s},
        {filePath(2), dir + u"/off.wav"_s}, {fileFlag(2), u"0"_s},
        {filePath(3), dir + u"/deleted.mid"_s}, {fileFlag(3), u"1"_s},
        {filePath(4), dir}, {fileFlag(4), u"1"_s}, // a directory is not a file
        {fileFlag(5), u"1"_s},                      // flag without a path
    });
    EngineRig rig;
    rig.formCreate();
    const PlayState &s = rig.state();
    const MenuActions &a = rig.actions;

    EXPECT_EQ(s.FilePlayFlag[1], u"1"_s);
    EXPECT_TRUE(a.FileNoSelectMenu[1]->isVisible());
    EXPECT_EQ(a.FileNoSelectMenu[1]->text(), u"on.mp3"_s);
    EXPECT_EQ(s.FilePlayFlag[2], u"0"_s);
    EXPECT_TRUE(a.FileNoSelectMenu[2]->isVisible());
    EXPECT_EQ(s.FilePath[2], dir + u"/off.wav"_s);
    EXPECT_EQ(s.FilePlayFlag[3], u"0"_s);
    EXPECT_FALSE(a.FileNoSelectMenu[3]->isVisible());
    EXPECT_EQ(s.FilePlayFlag[4], u"0"_s);
    // A flag whose path was absent keeps the flag it read.
    EXPECT_EQ(s.FilePlayFlag[5], u"1"_s);
    EXPECT_EQ(storedText(filePath(5)), QString());
}

TEST_F(SettingsLoadTest, PlayAtStartUpBeginsWithTheFirstSlotThatTakesPart)
{
    const QString dir = makeDirectoryWithFiles(media, u"seven"_s, {u"x.wav"_s, u"y.wav"_s});
    storeTexts({{settings::PlayFlag(), u"1"_s}, {dirPath(7), dir}, {dirFlag(7), u"1"_s}});
    EngineRig rig;
    rig.formCreate();

    EXPECT_EQ(rig.player.playedFiles, QStringList{dir + u"/x.wav"_s});
    EXPECT_EQ(rig.state().CurrentDir, 7);
    EXPECT_EQ(rig.state().PlayPos, 1);
    const MenuActions &a = rig.actions;
    EXPECT_FALSE(a.NPlay->isEnabled());
    EXPECT_TRUE(a.NStop->isEnabled());
    EXPECT_TRUE(a.NNext->isEnabled());
    EXPECT_TRUE(a.NOneTimeStop->isEnabled());
    EXPECT_TRUE(a.NRepetition->isEnabled());
    EXPECT_FALSE(a.NSetUp->isEnabled());
}

TEST_F(SettingsLoadTest, ShowBeginBarsOpensOnlyExistingHiddenBarsWhoseFlagIsExactlyOne)
{
    EngineRig rig;
    rig.formCreate();

    // No bar yet (play during the main window's creation): nothing is read.
    rig.engine.ShowBeginBars();
    EXPECT_EQ(storedText(settings::PlayBarBeginFlag()), u"non"_s);

    rig.windows.createHiddenBars();
    rig.engine.ShowBeginBars();
    EXPECT_EQ(storedText(settings::PlayBarBeginFlag()), u"0"_s);
    EXPECT_EQ(storedText(settings::IndicationBarBeginFlag()), u"0"_s);
    EXPECT_EQ(rig.windows.select.freshShowings + rig.windows.indication.freshShowings, 0);

    storeTexts({{settings::PlayBarBeginFlag(), u"yes"_s}, {settings::IndicationBarBeginFlag(), u"1"_s}});
    rig.engine.ShowBeginBars();
    EXPECT_EQ(rig.windows.select.freshShowings, 0);
    EXPECT_EQ(rig.windows.indication.freshShowings, 1);

    // Showing already: not replaced. Closed by the user: opened afresh.
    rig.engine.ShowBeginBars();
    EXPECT_EQ(rig.windows.indication.freshShowings, 1);
    rig.windows.indication.showing = false;
    rig.engine.ShowBeginBars();
    EXPECT_EQ(rig.windows.indication.freshShowings, 2);
}
