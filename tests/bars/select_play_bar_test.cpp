// The select-play bar driven as the user drives it, with the real engine and
// main window around a fake media player.

#include "bar_rig.h"

#include "bars/bit_button.h"
#include "bars/drop_down_combo_box.h"
#include "bars/select_play_bar.h"
#include "bars/toggle_pictures.h"
#include "engine/menu_actions.h"
#include "engine/play_state.h"
#include "resources/design_font.h"
#include "resources/pictures.h"
#include "settings/setting_names.h"
#include "support/engine_rig.h"
#include "support/test_application.h"
#include "support/store_test.h"

#include <QAction>
#include <QFileInfo>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

using namespace Qt::StringLiterals;
using namespace brookhum;
using namespace brookhum::test;

namespace {

class SelectPlayBarTest : public StoreTest {
protected:
    void TearDown() override
    {
        rig.reset();
        StoreTest::TearDown();
    }

    // Starts the program with what is stored so far and opens the bar from
    // the tray menu.
    TForm4 &start()
    {
        rig = std::make_unique<BarRig>();
        rig->actions().Form4Show->trigger();
        return rig->selectBar();
    }

    void click(BitButton *button) { QTest::mouseClick(button, Qt::LeftButton); }

    // What the button of a toggle shows, as the picture of a state.
    static bool showsChecked(TForm4 &bar, Toggle toggle)
    {
        BitButton *button = toggle == Toggle::Repetition      ? bar.RepetitionBitBtn
                            : toggle == Toggle::DirRepetition ? bar.DirRepetitionBitBtn
                                                              : bar.OnTimeStopBitBtn;
        const QImage shown = comparable(button->glyph());
        const bool checked = shown == comparable(togglePicture(toggle, true));
        const bool unchecked = shown == comparable(togglePicture(toggle, false));
        EXPECT_NE(checked, unchecked) << "the button shows neither picture of its toggle";
        return checked;
    }

    // The three toggle buttons show what the three check marks say.
    void expectPicturesMatchCheckMarks(TForm4 &bar)
    {
        MenuActions &a = rig->actions();
        EXPECT_EQ(showsChecked(bar, Toggle::Repetition), a.NRepetition->isChecked());
        EXPECT_EQ(showsChecked(bar, Toggle::DirRepetition), a.NDirRepetition->isChecked());
        EXPECT_EQ(showsChecked(bar, Toggle::OneTimeStop), a.NOneTimeStop->isChecked());
    }

    MediaLibrary media;
    std::unique_ptr<BarRig> rig;
};

struct ControlRow {
    QString name;
    QRect geometry;
};

} // namespace

TEST_F(SelectPlayBarTest, FreshBarIsInItsDesignedState)
{
    TForm4 &bar = start();

    EXPECT_TRUE(bar.isVisible());
    EXPECT_EQ(bar.objectName(), u"Form4"_s);
    EXPECT_EQ(bar.windowTitle(), u"Brookhum"_s);
    EXPECT_EQ(bar.size(), QSize(369, 28));
    EXPECT_EQ(bar.minimumSize(), bar.maximumSize());
    EXPECT_EQ(bar.windowType(), Qt::Tool);
    EXPECT_TRUE(bar.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(bar.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(bar.testAttribute(Qt::WA_ShowWithoutActivating));
    EXPECT_EQ(comparable(bar.windowIcon().pixmap(16, 16)), comparable(selectBarIcon().pixmap(16, 16)));
    EXPECT_EQ(bar.font(), designFont());
    EXPECT_EQ(bar.parentWidget(), &rig->form1());

    const QList<ControlRow> controls = {
        {u"DirSelectComboBox"_s, {0, 0, 39, 20}},     {u"SelectPlayComboBox"_s, {40, 0, 181, 20}},
        {u"PlayBitBtn"_s, {224, 0, 25, 25}},          {u"NextBitBtn"_s, {248, 0, 25, 25}},
        {u"StopBitBtn"_s, {272, 0, 25, 25}},          {u"OnTimeStopBitBtn"_s, {296, 0, 25, 25}},
        {u"RepetitionBitBtn"_s, {321, 0, 25, 25}},    {u"DirRepetitionBitBtn"_s, {345, 0, 25, 25}},
    };
    for (const ControlRow &row : controls) {
        SCOPED_TRACE(row.name.toStdString());
        const QWidget *control = bar.findChild<QWidget *>(row.name);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(control->geometry(), row.geometry);
    }

    // Tab order: the file list first, then the slot list and the buttons
    // from right to left, with play, next and directory repetition last.
    const QList<QWidget *> tabOrder = {bar.SelectPlayComboBox, bar.DirSelectComboBox, bar.RepetitionBitBtn,
                                       bar.OnTimeStopBitBtn,   bar.StopBitBtn,        bar.PlayBitBtn,
                                       bar.NextBitBtn,         bar.DirRepetitionBitBtn};
    for (qsizetype i = 1; i < tabOrder.size(); ++i)
        EXPECT_EQ(tabOrder[i - 1]->nextInFocusChain(), tabOrder[i]) << "after " << i;

    EXPECT_EQ(itemsOf(*bar.DirSelectComboBox),
              QStringList({u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s, u"6"_s, u"7"_s, u"8"_s, u"9"_s, u"10"_s}));
    EXPECT_EQ(bar.DirSelectComboBox->currentText(), u"1"_s);
    EXPECT_EQ(bar.SelectPlayComboBox->count(), 0);
    EXPECT_EQ(bar.SelectedDir, 1);
    EXPECT_TRUE(bar.SelectedFile.isEmpty());

    EXPECT_EQ(comparable(bar.PlayBitBtn->glyph()), comparable(playButtonPicture()));
    EXPECT_EQ(comparable(bar.NextBitBtn->glyph()), comparable(nextButtonPicture()));
    EXPECT_EQ(comparable(bar.StopBitBtn->glyph()), comparable(stopButtonPicture()));
    expectPicturesMatchCheckMarks(bar);
}

TEST_F(SelectPlayBarTest, ChoosingAFileOfTheFreshSlotOnePlaysItAfterTheWaitAndGoesOnFromThere)
{
    const QStringList files = media.addDirectorySlot(1, numberedNames(u"歌 \"a\" "_s, 5));
    TForm4 &bar = start();

    chooseFromList(*bar.SelectPlayComboBox, 2);

    EXPECT_EQ(rig->waits, QList<int>{2});
    EXPECT_EQ(bar.SelectedDir, 1);
    EXPECT_EQ(bar.SelectedFile, files[2]);
    EXPECT_EQ(rig->player().playedFiles, QStringList{files[2]});
    EXPECT_EQ(bar.windowTitle(), QFileInfo(files[2]).fileName());
    EXPECT_EQ(rig->state().SelectPlayRequest, 0);
    EXPECT_EQ(bar.SelectPlayComboBox->currentIndex(), -1);

    rig->player().endTrack();
    EXPECT_EQ(rig->player().playedFiles, QStringList({files[2], files[3]}));
    EXPECT_EQ(bar.windowTitle(), QFileInfo(files[3]).fileName());
    EXPECT_TRUE(testApp().shownErrors.isEmpty());
}

TEST_F(SelectPlayBarTest, FileListOffersTheSlotInListingOrderWhileRandomOrderPlaysAnother)
{
    storeTexts({{settings::RandPlayFlag(), u"1"_s}});
    const QStringList files = media.addDirectorySlot(3, numberedNames(u"t"_s, 12));
    TForm4 &bar = start();
    const PlayState &s = rig->state();
    ASSERT_NE(QStringList(s.PlayList[3].begin(), s.PlayList[3].begin() + 12), files) << "not shuffled";

    openAndCloseList(*bar.DirSelectComboBox);
    chooseFromList(*bar.DirSelectComboBox, 0);
    ASSERT_EQ(bar.DirSelectComboBox->currentText(), u"3"_s);
    chooseFromList(*bar.SelectPlayComboBox, 6);

    QStringList names;
    for (const QString &path : files)
        names.append(QFileInfo(path).fileName());
    EXPECT_EQ(itemsOf(*bar.SelectPlayComboBox), names);
    EXPECT_EQ(bar.SelectedDir, 3);
    EXPECT_EQ(bar.SelectedFile, files[6]);
    ASSERT_EQ(rig->player().playedFiles, QStringList{files[6]});

    // Play goes on with the file after the chosen one in the play order.
    const int chosenAt = rig->state().PlayPos;
    rig->player().endTrack();
    EXPECT_EQ(rig->player().playedFiles.last(), s.PlayList[3][chosenAt]);
}

TEST_F(SelectPlayBarTest, DirectoryListOffersOnlyTheLoadedSlotsOnceOpened)
{
    media.addDirectorySlot(2, {u"a.mp3"_s});
    media.addDirectorySlot(5, {u"b.mp3"_s});
    TForm4 &bar = start();
    EXPECT_EQ(bar.DirSelectComboBox->count(), 10) << "the designed list, before its first opening";

    chooseFromList(*bar.DirSelectComboBox, 1);
    EXPECT_EQ(itemsOf(*bar.DirSelectComboBox), QStringList({u"2"_s, u"5"_s}));
    EXPECT_EQ(bar.DirSelectComboBox->currentText(), u"5"_s);
}

TEST_F(SelectPlayBarTest, DirectoryListClosedWithoutAChoiceLeavesNothingToPlay)
{
    const QStringList files = media.addDirectorySlot(2, numberedNames(u"a"_s, 3));
    TForm4 &bar = start();
    rig->actions().NPlay->trigger();
    ASSERT_EQ(rig->state().PlayerOpen, 1);

    openAndCloseList(*bar.DirSelectComboBox);
    EXPECT_EQ(bar.DirSelectComboBox->currentIndex(), -1);
    EXPECT_TRUE(bar.DirSelectComboBox->currentText().isEmpty());
    EXPECT_EQ(itemsOf(*bar.DirSelectComboBox), QStringList{u"2"_s});

    // The file list offers nothing, but opening it still stops the file.
    openAndCloseList(*bar.SelectPlayComboBox);
    EXPECT_EQ(bar.SelectPlayComboBox->count(), 0);
    EXPECT_EQ(rig->state().PlayerOpen, 0);
    EXPECT_FALSE(rig->player().isOpen());

    // Play has no slot to start.
    const QString caption = bar.windowTitle();
    const QStringList callsBefore = rig->player().calls;
    click(bar.PlayBitBtn);
    EXPECT_EQ(bar.windowTitle(), caption);
    EXPECT_EQ(rig->player().calls, callsBefore);
}

TEST_F(SelectPlayBarTest, OpeningTheFileListStopsPlayAndRecordsWhetherRepetitionWasOn)
{
    for (const bool repetitionOn : {false, true}) {
        SCOPED_TRACE(repetitionOn ? "repetition on" : "repetition off");
        clearSettingsStore();
        const QStringList files = media.addDirectorySlot(1, numberedNames(u"a"_s, 3));
        TForm4 &bar = start();
        rig->actions().NPlay->trigger();
        if (repetitionOn)
            click(bar.RepetitionBitBtn);

        openAndCloseList(*bar.SelectPlayComboBox);

        EXPECT_EQ(rig->state().RepeatRestartSkip, repetitionOn ? 1 : 0);
        // What the stop command does: file closed, play flag off, the menu
        // stopped, repetition off with its picture.
        EXPECT_EQ(rig->state().PlayerOpen, 0);
        EXPECT_EQ(rig->state().PlayFlag, u"0"_s);
        EXPECT_FALSE(rig->player().isOpen());
        EXPECT_TRUE(rig->actions().NPlay->isEnabled());
        EXPECT_FALSE(rig->actions().NStop->isEnabled());
        EXPECT_FALSE(rig->actions().NRepetition->isChecked());
        expectPicturesMatchCheckMarks(bar);
        EXPECT_EQ(itemsOf(*bar.SelectPlayComboBox).size(), 3);

        rig->player().deliverNotifications();
        EXPECT_EQ(rig->player().playedFiles, QStringList{files[0]}) << "nothing restarts after the stop";
    }
}

TEST_F(SelectPlayBarTest, OpeningTheFileListWhileNothingPlaysStopsNothing)
{
    media.addDirectorySlot(1, numberedNames(u"a"_s, 2));
    TForm4 &bar = start();

    openAndCloseList(*bar.SelectPlayComboBox);

    EXPECT_TRUE(rig->player().calls.isEmpty());
    EXPECT_EQ(rig->state().RepeatRestartSkip, 0);
    EXPECT_EQ(itemsOf(*bar.SelectPlayComboBox), QStringList({u"a01.mp3"_s, u"a02.mp3"_s}));
}

TEST_F(SelectPlayBarTest, PlayButtonStartsTheSlotOrSaysWhyNot)
{
    struct Row {
        const char *name;
        bool playing;
        int slot;               // the slot chosen in the directory list; 0: the designed "1"
        bool hideMenuEntry;
        QString caption;        // empty: the first file's name
        bool plays;
    };
    const QList<Row> rows = {
        {"a file is open", true, 0, false, u"他の曲を再生中です"_s, false},
        {"the slot holds no pieces", false, 3, false, u"曲が入っていません"_s, false},
        {"the slot has files", false, 2, false, QString(), true},
        {"its menu entry is hidden and disabled", false, 2, true, QString(), true},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        clearSettingsStore();
        media.addDirectorySlot(1, numberedNames(u"one"_s, 2));
        const QStringList files = media.addDirectorySlot(2, numberedNames(u"two"_s, 4));
        TForm4 &bar = start();
        if (row.playing)
            rig->actions().NPlay->trigger();
        if (row.slot != 0) {
            bar.DirSelectComboBox->setCurrentText(QString::number(row.slot));
            ASSERT_EQ(bar.DirSelectComboBox->currentText(), QString::number(row.slot));
        }
        if (row.hideMenuEntry) {
            rig->actions().DirNoSelectMenu[row.slot]->setVisible(false);
            rig->actions().DirNoSelectMenu[row.slot]->setEnabled(false);
        }
        const QStringList playedBefore = rig->player().playedFiles;

        click(bar.PlayBitBtn);

        EXPECT_EQ(bar.windowTitle(), row.caption.isEmpty() ? QFileInfo(files[0]).fileName() : row.caption);
        if (row.plays)
            EXPECT_EQ(rig->player().playedFiles, QStringList{files[0]});
        else
            EXPECT_EQ(rig->player().playedFiles, playedBefore);
        EXPECT_EQ(rig->state().CurrentDir, row.plays ? row.slot : (row.playing ? 1 : 0));
    }
    EXPECT_TRUE(testApp().shownErrors.isEmpty());
}

TEST_F(SelectPlayBarTest, PlayButtonReportsAFileThatCannotBeOpened)
{
    const QStringList files = media.addDirectorySlot(1, numberedNames(u"a"_s, 2));
    TForm4 &bar = start();
    rig->player().failingFiles.insert(files[0]);

    click(bar.PlayBitBtn);

    EXPECT_EQ(testApp().shownErrors.size(), 1);
    EXPECT_EQ(rig->state().PlayerOpen, 0);
    EXPECT_TRUE(rig->actions().NPlay->isEnabled()) << "the user can try again";
}

TEST_F(SelectPlayBarTest, NextAndPauseActOnlyWhileAFileIsOpen)
{
    const QStringList files = media.addDirectorySlot(1, numberedNames(u"a"_s, 3));
    TForm4 &bar = start();

    click(bar.NextBitBtn);
    click(bar.OnTimeStopBitBtn);
    EXPECT_TRUE(rig->player().calls.isEmpty());
    EXPECT_FALSE(rig->actions().NOneTimeStop->isChecked());

    rig->actions().NPlay->trigger();
    click(bar.NextBitBtn);
    rig->player().deliverNotifications();
    EXPECT_EQ(rig->player().playedFiles, QStringList({files[0], files[1]}));

    click(bar.OnTimeStopBitBtn);
    rig->player().deliverNotifications();
    EXPECT_TRUE(rig->actions().NOneTimeStop->isChecked());
    EXPECT_FALSE(rig->player().isPlaying());
    click(bar.OnTimeStopBitBtn);
    EXPECT_FALSE(rig->actions().NOneTimeStop->isChecked());
    EXPECT_TRUE(rig->player().isPlaying());
}

TEST_F(SelectPlayBarTest, StopWithRepetitionOnSwitchesRepetitionOffFirst)
{
    const QStringList files = media.addDirectorySlot(1, numberedNames(u"a"_s, 3));
    TForm4 &bar = start();
    rig->actions().NPlay->trigger();
    click(bar.RepetitionBitBtn);
    ASSERT_TRUE(rig->actions().NRepetition->isChecked());

    click(bar.StopBitBtn);

    EXPECT_FALSE(rig->actions().NRepetition->isChecked());
    EXPECT_FALSE(showsChecked(bar, Toggle::Repetition));
    EXPECT_EQ(rig->state().PlayerOpen, 0);
    rig->player().deliverNotifications();
    EXPECT_EQ(rig->player().playedFiles, QStringList{files[0]}) << "nothing restarts";

    // Stopped already: the button still switches repetition off.
    click(bar.RepetitionBitBtn);
    click(bar.StopBitBtn);
    EXPECT_FALSE(rig->actions().NRepetition->isChecked());
    EXPECT_FALSE(showsChecked(bar, Toggle::Repetition));
}

TEST_F(SelectPlayBarTest, PicturesFollowEveryToggleFromTheMenuAndFromTheBar)
{
    media.addDirectorySlot(1, numberedNames(u"a"_s, 3));
    TForm4 &bar = start();
    MenuActions &a = rig->actions();
    rig->actions().NPlay->trigger();

    struct Step {
        const char *name;
        std::function<void()> act;
    };
    const QList<Step> steps = {
        {"menu: file repetition on", [&] { a.NRepetition->trigger(); }},
        {"menu: file repetition off", [&] { a.NRepetition->trigger(); }},
        {"bar: file repetition on", [&] { click(bar.RepetitionBitBtn); }},
        {"bar: file repetition off", [&] { click(bar.RepetitionBitBtn); }},
        {"menu: directory repetition on", [&] { a.NDirRepetition->trigger(); }},
        {"bar: directory repetition off", [&] { click(bar.DirRepetitionBitBtn); }},
        {"bar: directory repetition on", [&] { click(bar.DirRepetitionBitBtn); }},
        {"menu: pause", [&] { a.NOneTimeStop->trigger(); }},
        {"bar: resume", [&] { click(bar.OnTimeStopBitBtn); }},
        {"bar: pause", [&] { click(bar.OnTimeStopBitBtn); }},
        {"menu: resume", [&] { a.NOneTimeStop->trigger(); }},
        {"menu: file repetition on again", [&] { a.NRepetition->trigger(); }},
        {"bar: pause again", [&] { click(bar.OnTimeStopBitBtn); }},
        {"menu: stop while paused with repetition on", [&] { a.NStop->trigger(); }},
    };
    for (const Step &step : steps) {
        SCOPED_TRACE(step.name);
        const bool before[] = {a.NRepetition->isChecked(), a.NDirRepetition->isChecked(), a.NOneTimeStop->isChecked()};
        step.act();
        rig->player().deliverNotifications();
        const bool after[] = {a.NRepetition->isChecked(), a.NDirRepetition->isChecked(), a.NOneTimeStop->isChecked()};
        EXPECT_FALSE(std::equal(std::begin(before), std::end(before), std::begin(after))) << "the step changed nothing";
        expectPicturesMatchCheckMarks(bar);
    }
    EXPECT_TRUE(a.NDirRepetition->isChecked());
    EXPECT_TRUE(testApp().shownErrors.isEmpty());
}

TEST_F(SelectPlayBarTest, EngineWritesIntoTheCurrentBarAlsoWhileItIsHidden)
{
    const QStringList files = media.addDirectorySlot(1, numberedNames(u"a"_s, 3));
    start();
    QPointer<TForm4> first = rig->forms.Form4;
    first->close();
    ASSERT_FALSE(first->isVisible());

    rig->actions().NPlay->trigger();
    rig->actions().NDirRepetition->trigger();
    EXPECT_EQ(first->windowTitle(), QFileInfo(files[0]).fileName());
    EXPECT_TRUE(showsChecked(*first, Toggle::DirRepetition));
    EXPECT_FALSE(first->isVisible()) << "a track start with the begin flag off shows no bar";

    // The next showing is a fresh bar whose pictures follow the check marks
    // and whose title is the designed one.
    rig->actions().NRepetition->trigger();
    rig->actions().NOneTimeStop->trigger();
    rig->actions().Form4Show->trigger();
    TForm4 &fresh = rig->selectBar();
    ASSERT_NE(&fresh, first.data());
    EXPECT_EQ(fresh.windowTitle(), u"Brookhum"_s);
    expectPicturesMatchCheckMarks(fresh);
    EXPECT_TRUE(showsChecked(fresh, Toggle::OneTimeStop));

    // The engine reads the choice of the fresh bar.
    rig->player().deliverNotifications();
    click(fresh.StopBitBtn);
    rig->player().deliverNotifications();
    chooseFromList(*fresh.SelectPlayComboBox, 1);
    EXPECT_EQ(rig->player().playedFiles.last(), files[1]);
}

TEST_F(SelectPlayBarTest, ShownAtEachTrackStartWhenItsBeginFlagIsSet)
{
    storeTexts({{settings::PlayBarBeginFlag(), u"1"_s},
                {settings::DirSelectXPointPlayFlag(), u"210"_s},
                {settings::DirSelectYPointPlayFlag(), u"120"_s}});
    const QStringList files = media.addDirectorySlot(1, numberedNames(u"a"_s, 3));
    rig = std::make_unique<BarRig>();
    QPointer<TForm4> atStartUp = rig->forms.Form4;

    rig->actions().NPlay->trigger();
    QPointer<TForm4> shown = rig->forms.Form4;
    ASSERT_NE(shown, atStartUp);
    EXPECT_TRUE(shown->isVisible());
    EXPECT_EQ(shown->pos(), QPoint(210, 120));
    EXPECT_EQ(shown->windowTitle(), QFileInfo(files[0]).fileName());

    // Closed by the user: the next track start opens a fresh one where the
    // closed one was.
    shown->move(300, 140);
    shown->close();
    rig->player().endTrack();
    ASSERT_NE(rig->forms.Form4, shown);
    EXPECT_TRUE(rig->selectBar().isVisible());
    EXPECT_EQ(rig->selectBar().pos(), QPoint(300, 140));
    EXPECT_EQ(rig->selectBar().windowTitle(), QFileInfo(files[1]).fileName());

    // Showing, it stays the same bar.
    QPointer<TForm4> current = rig->forms.Form4;
    rig->player().endTrack();
    EXPECT_EQ(rig->forms.Form4, current);
}
