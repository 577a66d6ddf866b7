// Unattended play from file to file and slot to slot, driven by the fake
// player's end-of-track notifications.

#include "engine/menu_actions.h"
#include "engine/random_order.h"
#include "settings/setting_names.h"
#include "support/engine_rig.h"
#include "support/test_application.h"
#include "support/store_test.h"

#include <QAction>
#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace brookhum;
using namespace brookhum::test;
using settings::SlotKind;
using settings::slotValueNames;

namespace {

class Sequencing : public StoreTest {
protected:
    // Stores directory slot k with the given files and switches it on.
    QString directorySlot(int k, const QStringList &files)
    {
        const QString dir = makeDirectoryWithFiles(media, u"slot %1"_s.arg(k), files);
        const auto names = slotValueNames(SlotKind::Directory, k);
        storeTexts({{names.path, dir}, {names.flag, u"1"_s}});
        return dir;
    }

    QString fileSlot(int k, const QString &name)
    {
        const QString dir = makeDirectoryWithFiles(media, u"files"_s, {name});
        const auto names = slotValueNames(SlotKind::File, k);
        storeTexts({{names.path, dir + u'/' + name}, {names.flag, u"1"_s}});
        return dir + u'/' + name;
    }

    void playAtStartUp(const QString &kind = u"1"_s)
    {
        storeTexts({{settings::PlayFlag(), u"1"_s}, {settings::SelectPlayFlag(), kind}});
    }

    // File names of the plays so far.
    QStringList played() const
    {
        QStringList names;
        for (const QString &path : rig->player.playedFiles)
            names.append(path.section(u'/', -1));
        return names;
    }

    void endTracks(EngineRig &r, int count)
    {
        for (int i = 0; i < count; ++i)
            ASSERT_EQ(r.player.endTrack(), 1) << "track end " << i;
    }

    QTemporaryDir media;
    std::unique_ptr<EngineRig> rig = std::make_unique<EngineRig>();
};

} // namespace

TEST_F(Sequencing, PlaysSlotsTwoAndFiveInTurnAndWrapsToTwo)
{
    directorySlot(2, {u"a1.mp3"_s, u"a2.wav"_s, u"a3.mid"_s});
    directorySlot(5, {u"b1.mp3"_s, u"b2.mp3"_s});
    playAtStartUp();
    rig->formCreate();
    endTracks(*rig, 6);

    EXPECT_EQ(played(), (QStringList{u"a1.mp3"_s, u"a2.wav"_s, u"a3.mid"_s, u"b1.mp3"_s, u"b2.mp3"_s,
                                     u"a1.mp3"_s, u"a2.wav"_s}));
    EXPECT_EQ(rig->state().CurrentDir, 2);
    EXPECT_EQ(rig->state().PlayPos, 2);
    // Every change of file waits 3 seconds before the previous one is closed.
    EXPECT_EQ(rig->waits, QList<int>(6, 3));
    const QStringList tail = rig->player.calls.mid(rig->player.calls.size() - 4);
    EXPECT_EQ(tail, (QStringList{u"Stop"_s, u"Close"_s, u"Open "_s + rig->player.FileName(), u"Play"_s}));
}

TEST_F(Sequencing, DirectoryRepetitionRereadsTheSlotAtTheEndOfItsPass)
{
    const QString dir = directorySlot(3, {u"x1.mp3"_s, u"x2.mp3"_s});
    directorySlot(4, {u"y1.mp3"_s});
    playAtStartUp();
    rig->formCreate();
    rig->actions.NDirRepetition->trigger();

    ASSERT_TRUE(QFile(dir + u"/x0.mp3"_s).open(QIODevice::WriteOnly)); // added during the pass
    endTracks(*rig, 3);
    EXPECT_EQ(played(), (QStringList{u"x1.mp3"_s, u"x2.mp3"_s, u"x0.mp3"_s, u"x1.mp3"_s}));
    EXPECT_EQ(rig->state().DirFileCount[3], 3);
}

TEST_F(Sequencing, DirectoryRepetitionWithRandomOrderReshufflesInsteadOfRereading)
{
    const QString dir = directorySlot(3, numberedNames(u"r"_s, 8));
    storeTexts({{settings::RandPlayFlag(), u"1"_s}});
    playAtStartUp();
    rig->formCreate();
    rig->actions.NDirRepetition->trigger();
    ASSERT_TRUE(QFile(dir + u"/r00.mp3"_s).open(QIODevice::WriteOnly)); // not seen before the next load

    PlayState expected = rig->state();
    rig->now += 1;
    ShuffleDirectory(expected, 3, 8, rig->now);

    endTracks(*rig, 8);
    EXPECT_EQ(rig->player.playedFiles.last(), expected.PlayList[3][0]);
    EXPECT_EQ(rig->state().PlayList[3], expected.PlayList[3]);
    EXPECT_EQ(rig->state().DirFileCount[3], 8);
    EXPECT_EQ(rig->state().DirFiles, expected.DirFiles);
}

TEST_F(Sequencing, WithoutRandomOrderAddedAndDeletedFilesTakeEffectAtTheEndOfThePass)
{
    const QString dir = directorySlot(1, {u"a.mp3"_s, u"b.mp3"_s, u"c.mp3"_s});
    directorySlot(2, {u"z.mp3"_s});
    playAtStartUp();
    rig->formCreate();

    ASSERT_TRUE(QFile::remove(dir + u"/c.mp3"_s));
    ASSERT_TRUE(QFile(dir + u"/b2.mp3"_s).open(QIODevice::WriteOnly));
    // The pass goes on with its old list (the deleted file fails to open in a
    // real player; the fake plays it), then the slot is read again.
    endTracks(*rig, 5);
    EXPECT_EQ(played(), (QStringList{u"a.mp3"_s, u"b.mp3"_s, u"c.mp3"_s, u"z.mp3"_s, u"a.mp3"_s, u"b.mp3"_s}));
    EXPECT_EQ(rig->state().DirFiles[1][2], dir + u"/b2.mp3"_s);
}

TEST_F(Sequencing, ASlotEmptiedDuringItsPassDropsOutAndPlayGoesOn)
{
    const QString dir = directorySlot(1, {u"a.mp3"_s, u"b.mp3"_s});
    directorySlot(6, {u"f.mp3"_s});
    playAtStartUp();
    rig->formCreate();
    QFile::remove(dir + u"/a.mp3"_s);
    QFile::remove(dir + u"/b.mp3"_s);

    endTracks(*rig, 3);
    EXPECT_EQ(played(), (QStringList{u"a.mp3"_s, u"b.mp3"_s, u"f.mp3"_s, u"f.mp3"_s}));
    EXPECT_EQ(rig->state().DirPlayFlag[1], u"0"_s);
    EXPECT_EQ(rig->state().DirFileCount[1], 2) << "the count is left as it was";
}

TEST_F(Sequencing, AVanishedDirectoryKeepsItsOldListAtTheEndOfThePass)
{
    const QString dir = directorySlot(1, {u"a.mp3"_s});
    playAtStartUp();
    rig->formCreate();
    QDir(dir).removeRecursively();
    endTracks(*rig, 1);
    EXPECT_EQ(played(), (QStringList{u"a.mp3"_s, u"a.mp3"_s}));
}

TEST_F(Sequencing, FileSlotsOneAndThreeAlternate)
{
    fileSlot(1, u"one.wav"_s);
    fileSlot(3, u"three.mid"_s);
    playAtStartUp(u"2"_s);
    rig->formCreate();
    endTracks(*rig, 4);
    EXPECT_EQ(played(), (QStringList{u"one.wav"_s, u"three.mid"_s, u"one.wav"_s, u"three.mid"_s, u"one.wav"_s}));
    EXPECT_EQ(rig->state().NextFileSlot, 2);
}

TEST_F(Sequencing, AfterFileSlotTenSlotOneIsExaminedNext)
{
    fileSlot(1, u"one.mp3"_s);
    fileSlot(10, u"ten.mp3"_s);
    storeTexts({{slotValueNames(SlotKind::File, 10).flag, u"0"_s}});
    storeTexts({{settings::SelectPlayFlag(), u"2"_s}});
    rig->formCreate();

    rig->engine.FileNoSelectMenuClick(10); // switches slot 10 on for this run
    EXPECT_EQ(rig->state().NextFileSlot, 11);
    endTracks(*rig, 2);
    EXPECT_EQ(played(), (QStringList{u"ten.mp3"_s, u"one.mp3"_s, u"ten.mp3"_s}));
}

TEST_F(Sequencing, FileRepetitionRestartsTheSameFileAndLeavesTheBarsAlone)
{
    directorySlot(1, {u"a.mp3"_s, u"b.mp3"_s});
    playAtStartUp();
    rig->windows.createHiddenBars();
    rig->formCreate();
    rig->actions.NRepetition->trigger();
    rig->windows.select.caption = u"marker"_s;

    endTracks(*rig, 2);
    EXPECT_EQ(played(), (QStringList{u"a.mp3"_s, u"a.mp3"_s, u"a.mp3"_s}));
    EXPECT_EQ(rig->windows.select.caption, u"marker"_s);
    EXPECT_EQ(rig->state().PlayPos, 1);
    EXPECT_EQ(rig->waits, (QList<int>{3, 3}));
}

TEST_F(Sequencing, NotificationsWhilePausedOrAfterStopStartNothing)
{
    directorySlot(1, {u"a.mp3"_s, u"b.mp3"_s});
    playAtStartUp();
    rig->formCreate();

    rig->engine.NOneTimeStopClick();
    EXPECT_EQ(rig->player.deliverNotifications(), 1) << "the pause's own stop";
    rig->engine.NOneTimeStopClick();
    rig->engine.NStopClick();
    EXPECT_EQ(rig->player.deliverNotifications(), 1) << "the stop's";
    EXPECT_EQ(played(), (QStringList{u"a.mp3"_s, u"a.mp3"_s}));
    EXPECT_FALSE(rig->player.isOpen());
}

TEST_F(Sequencing, SelectPlayRequestPlaysTheChosenFileAndGoesOnInPlayOrder)
{
    const QString dir = directorySlot(4, numberedNames(u"n"_s, 12));
    rig->windows.createHiddenBars();
    rig->formCreate();
    rig->engine.requestSelectedFile(4, dir + u"/n07.mp3"_s);

    EXPECT_EQ(played(), QStringList{u"n07.mp3"_s});
    EXPECT_EQ(rig->state().SelectPlayRequest, 0);
    EXPECT_EQ(rig->windows.labels[IndicationLabel::Count], u"File:7/12"_s);
    EXPECT_EQ(rig->windows.labels[IndicationLabel::Next], u"n08.mp3"_s);
    EXPECT_EQ(rig->windows.select.caption, u"n07.mp3"_s);
    endTracks(*rig, 1);
    EXPECT_EQ(played().last(), u"n08.mp3"_s);
}

TEST_F(Sequencing, ASelectPlayRequestForAFileNotInThePlayListPlaysNothingAndIsCleared)
{
    directorySlot(4, {u"a.mp3"_s});
    rig->windows.createHiddenBars();
    rig->formCreate();
    rig->engine.requestSelectedFile(4, u"/elsewhere/zz.mp3"_s);
    EXPECT_TRUE(played().isEmpty());
    EXPECT_EQ(rig->state().SelectPlayRequest, 0);
    EXPECT_TRUE(rig->actions.NPlay->isEnabled()) << "the player is left idle, not stuck";
}

TEST_F(Sequencing, PlayAtStartUpWorksBeforeTheBarsExistInBothKinds)
{
    for (const QString &kind : {u"1"_s, u"2"_s}) {
        clearSettingsStore();
        rig = std::make_unique<EngineRig>();
        directorySlot(3, {u"d.mp3"_s});
        fileSlot(2, u"f.mp3"_s);
        playAtStartUp(kind);
        rig->formCreate();
        EXPECT_EQ(played(), QStringList{kind == u"1"_s ? u"d.mp3"_s : u"f.mp3"_s});
        EXPECT_FALSE(rig->actions.NPlay->isEnabled());
        EXPECT_TRUE(rig->actions.NStop->isEnabled());
        EXPECT_TRUE(rig->windows.select.caption.isEmpty());
        EXPECT_EQ(rig->windows.select.freshShowings, 0);
    }
}

TEST_F(Sequencing, InFilePlayTheDirectoryLabelsKeepWhatTheyHad)
{
    fileSlot(1, u"f.mp3"_s);
    playAtStartUp(u"2"_s);
    rig->windows.createHiddenBars();
    rig->windows.labels[IndicationLabel::Count] = u"File:"_s;
    rig->formCreate();
    EXPECT_EQ(rig->windows.labels[IndicationLabel::Dir], u"Dir:0"_s);
    EXPECT_EQ(rig->windows.labels[IndicationLabel::Count], u"File:"_s);
    EXPECT_EQ(rig->windows.indication.caption, u"f.mp3"_s);
}

TEST_F(Sequencing, WhenNoSlotTakesPartAnyMorePlayStopsInsteadOfSearchingForEver)
{
    for (const QString &kind : {u"1"_s, u"2"_s}) {
        clearSettingsStore();
        rig = std::make_unique<EngineRig>();
        directorySlot(2, {u"d.mp3"_s});
        fileSlot(2, u"f.mp3"_s);
        playAtStartUp(kind);
        rig->formCreate();
        // The set-up dialog, opened before play, is closed after every
        // slot was switched off.
        storeTexts({{slotValueNames(SlotKind::Directory, 2).flag, u"0"_s},
                    {slotValueNames(SlotKind::File, 2).flag, u"0"_s}});
        rig->engine.LoadSettings();
        endTracks(*rig, 1);
        EXPECT_EQ(played().size(), 1) << kind.toStdString();
        EXPECT_EQ(rig->state().PlayFlag, u"0"_s);
        EXPECT_FALSE(rig->player.isOpen());
        EXPECT_TRUE(rig->actions.NPlay->isEnabled());
        EXPECT_FALSE(rig->actions.NStop->isEnabled());
    }
}

TEST_F(Sequencing, AStartUpThatStartsNothingLeavesTheCommandsToStartAgain)
{
    struct Row {
        const char *name;
        bool slotOn;
        bool fileFails;
    };
    for (const Row row : {Row{"no slot takes part", false, false}, Row{"the first file cannot be opened", true, true}}) {
        clearSettingsStore();
        rig = std::make_unique<EngineRig>();
        const QString dir = directorySlot(1, {u"a.mp3"_s});
        if (!row.slotOn)
            storeTexts({{slotValueNames(SlotKind::Directory, 1).flag, u"0"_s}});
        if (row.fileFails)
            rig->player.failingFiles.insert(dir + u"/a.mp3"_s);
        playAtStartUp();
        rig->formCreate();

        const MenuActions &a = rig->actions;
        for (QAction *entry : {a.NPlay, a.NSelectPlay, a.NSetUp, a.NRenew})
            EXPECT_TRUE(entry->isEnabled()) << row.name << " " << entry->objectName().toStdString();
        EXPECT_EQ(rig->state().PlayFlag, u"1"_s) << row.name;
        EXPECT_TRUE(testApp().shownErrors.isEmpty()) << row.name;
    }
}

TEST_F(Sequencing, AFileThatFailsToOpenDuringPlayIsReportedAndPlayRests)
{
    const QString dir = directorySlot(1, {u"a.mp3"_s, u"b.mp3"_s, u"c.mp3"_s});
    playAtStartUp();
    rig->formCreate();
    rig->player.failingFiles.insert(dir + u"/b.mp3"_s);

    endTracks(*rig, 1);
    ASSERT_EQ(testApp().shownErrors.size(), 1);
    EXPECT_TRUE(testApp().shownErrors.first().contains(u"b.mp3"_s));
    EXPECT_EQ(rig->state().PlayerOpen, 0);
    EXPECT_EQ(rig->player.pendingNotifications(), 0);
    EXPECT_TRUE(rig->actions.NStop->isEnabled()) << "stop is still offered";
}

TEST_F(Sequencing, AStartWhileAFilePlaysDoesNotSkipTheFileItStarts)
{
    // The set-up dialog, opened before play began, is closed while a file
    // plays: the reload starts play again over the playing file.
    directorySlot(1, {u"a.mp3"_s, u"b.mp3"_s, u"c.mp3"_s});
    playAtStartUp();
    rig->formCreate();
    rig->engine.LoadSettings();
    EXPECT_EQ(played(), (QStringList{u"a.mp3"_s, u"a.mp3"_s}));

    // The replaced play's notification arrives, then the new play's own end.
    EXPECT_EQ(rig->player.deliverNotifications(5), 1);
    EXPECT_EQ(played(), (QStringList{u"a.mp3"_s, u"a.mp3"_s}));
    endTracks(*rig, 1);
    EXPECT_EQ(played(), (QStringList{u"a.mp3"_s, u"a.mp3"_s, u"b.mp3"_s}));
}
