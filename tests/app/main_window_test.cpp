// The hidden main window: the popup menu as designed, the window commands and
// the bar showing routine shared by the menu and the track start.

#include "app/bar_windows.h"
#include "app/form_refs.h"
#include "app/main_window.h"
#include "bars/indication_bar.h"
#include "bars/select_play_bar.h"
#include "engine/menu_actions.h"
#include "settings/setting_names.h"
#include "setup/pending_slot_paths.h"
#include "setup/set_up_dialog.h"
#include "support/engine_rig.h"
#include "support/fake_media_player.h"
#include "support/main_window_parts.h"
#include "support/test_application.h"
#include "support/store_test.h"

#include <QAction>
#include <QMenu>
#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace brookhum;
using namespace brookhum::test;

namespace {

class MainWindowTest : public StoreTest {
protected:
    std::unique_ptr<TForm1> create()
    {
        auto player = std::make_unique<FakeMediaPlayer>();
        fakePlayer = player.get();
        return std::make_unique<TForm1>(mainWindowParts(forms, pending, std::move(player)));
    }

    FormRefs forms;
    PendingSlotPaths pending;
    FakeMediaPlayer *fakePlayer = nullptr;
};

struct MenuRow {
    QString objectName;
    QString caption;
    bool enabled;
    bool visible;
    bool checkable;
    bool hasSubmenu;
};

QList<MenuRow> rowsOf(const QMenu &menu)
{
    QList<MenuRow> rows;
    for (QAction *a : menu.actions())
        rows.append({a->objectName(), a->text(), a->isEnabled(), a->isVisible(), a->isCheckable(), a->menu() != nullptr});
    return rows;
}

} // namespace

TEST_F(MainWindowTest, PopupMenuHasEveryEntryInOrderInItsDesignedState)
{
    auto form1 = create();
    const QList<MenuRow> expected = {
        {u"NPlay"_s, u"再生(&P)"_s, true, true, false, false}, // enabled by the stored play flag "0"
        {u"NStop"_s, u"停止(&S)"_s, false, true, false, false},
        {u"NOneTimeStop"_s, u"一時停止(&O)"_s, false, true, true, false},
        {u"NNext"_s, u"次の曲(&N)"_s, false, true, false, false},
        {u"NDirRepetition"_s, u"ディレクトリ繰り返し(&M)"_s, true, true, true, false},
        {u"NRepetition"_s, u"ファイル繰り返し(&R)"_s, true, true, true, false},
        {u"NRand"_s, u"ランダム再生(&U)"_s, true, true, false, true},
        {u"NSelectPlay"_s, u"選択再生(&C)"_s, true, true, false, true},
        {u"NSetUp"_s, u"初期設定(&I)"_s, true, true, false, false},
        {u"Form4Show"_s, u"選択再生バー(&B)"_s, true, true, false, false},
        {u"NIndication"_s, u"表示バー(&H)"_s, false, false, false, false}, // Qt reports hidden entries disabled
        {u"NRenew"_s, u"更新(&F)"_s, true, true, false, false},
        {u"NClose"_s, u"閉じる(&E)"_s, true, true, false, false},
    };
    const QList<MenuRow> actual = rowsOf(form1->popupMenu());
    ASSERT_EQ(actual.size(), expected.size());
    for (qsizetype i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(expected[i].objectName.toStdString());
        EXPECT_EQ(actual[i].objectName, expected[i].objectName);
        EXPECT_EQ(actual[i].caption, expected[i].caption);
        EXPECT_EQ(actual[i].enabled, expected[i].enabled);
        EXPECT_EQ(actual[i].visible, expected[i].visible);
        EXPECT_EQ(actual[i].checkable, expected[i].checkable);
        EXPECT_EQ(actual[i].hasSubmenu, expected[i].hasSubmenu);
    }
    EXPECT_EQ(form1->popupMenu().objectName(), u"BrookhumPopupMenu"_s);

    MenuActions &a = form1->actions();
    for (QAction *check : {a.NOneTimeStop, a.NDirRepetition, a.NRepetition, a.NRandDirAll})
        EXPECT_FALSE(check->isChecked());
    EXPECT_EQ(a.NRand->menu()->actions(), QList<QAction *>{a.NRandDirAll});
    EXPECT_EQ(a.NRandDirAll->text(), u"フォルダ内全て"_s);

    const QList<QAction *> selectEntries = a.NSelectPlay->menu()->actions();
    ASSERT_EQ(selectEntries.size(), 2);
    EXPECT_EQ(selectEntries[0]->text(), u"ディレクトリ"_s);
    EXPECT_EQ(selectEntries[1]->text(), u"ファイル"_s);
    EXPECT_TRUE(selectEntries[0]->isVisible()); // the directory kind, after the first load
    EXPECT_FALSE(selectEntries[1]->isVisible());
    for (int k = 1; k <= 10; ++k) {
        QAction *dir = a.DirsSelectMenu->menu()->actions().at(k - 1);
        QAction *file = a.FilesSelectMenu->menu()->actions().at(k - 1);
        EXPECT_EQ(dir->objectName(), u"DirNo%1SelectMenu"_s.arg(k));
        EXPECT_EQ(file->objectName(), u"FileNo%1SelectMenu"_s.arg(k));
        EXPECT_FALSE(dir->isVisible());
        EXPECT_FALSE(file->isVisible());
    }
}

TEST_F(MainWindowTest, ADisabledEntryDoesNothingWhenActivated)
{
    auto form1 = create();
    MenuActions &a = form1->actions();
    ASSERT_FALSE(a.NStop->isEnabled());
    a.NStop->trigger();
    EXPECT_TRUE(fakePlayer->calls.isEmpty());
    EXPECT_EQ(form1->engine().state().PlayFlag, u"0"_s);
}

TEST_F(MainWindowTest, CheckMarksChangeOnlyThroughTheirCommands)
{
    auto form1 = create();
    MenuActions &a = form1->actions();
    a.NRepetition->trigger();
    EXPECT_TRUE(a.NRepetition->isChecked());
    a.NRepetition->trigger();
    EXPECT_FALSE(a.NRepetition->isChecked());
    a.NRandDirAll->trigger();
    EXPECT_TRUE(a.NRandDirAll->isChecked());
    EXPECT_EQ(storedText(settings::RandPlayFlag()), u"1"_s);
}

TEST_F(MainWindowTest, SetUpCommandOpensOneDialogAtATime)
{
    auto form1 = create();
    form1->createSetUpDialog(); // the hidden one of start-up
    QPointer<TForm2> atStartUp = forms.Form2;

    form1->NSetUpClick();
    QPointer<TForm2> opened = forms.Form2;
    EXPECT_NE(opened, atStartUp);
    EXPECT_TRUE(opened->isVisible());
    EXPECT_FALSE(atStartUp->isVisible());

    form1->NSetUpClick();
    EXPECT_EQ(forms.Form2, opened);

    opened->close();
    form1->NSetUpClick();
    EXPECT_NE(forms.Form2, opened);
    EXPECT_TRUE(forms.Form2->isVisible());
}

TEST_F(MainWindowTest, SelectPlayBarOpensFreshAtTheStoredPlaceOnceAtATime)
{
    auto form1 = create();
    form1->bars().createBar(Bar::Select);

    // No stored place: 50 is written, the bar stays where its design puts it.
    form1->Form4ShowClick();
    QPointer<TForm4> first = forms.Form4;
    ASSERT_TRUE(first);
    EXPECT_TRUE(first->isVisible());
    EXPECT_EQ(storedText(settings::DirSelectXPointPlayFlag()), u"50"_s);
    EXPECT_EQ(storedText(settings::DirSelectYPointPlayFlag()), u"50"_s);

    form1->Form4ShowClick();
    EXPECT_EQ(forms.Form4, first);

    storeTexts({{settings::DirSelectXPointPlayFlag(), u"321"_s}, {settings::DirSelectYPointPlayFlag(), u"123"_s}});
    first->hide();
    form1->Form4ShowClick();
    ASSERT_NE(forms.Form4, first);
    EXPECT_EQ(forms.Form4->pos(), QPoint(321, 123));
    EXPECT_EQ(forms.Form4->SelectedDir, 1);
}

TEST_F(MainWindowTest, IndicationEntryIsHiddenButItsCommandShowsTheBar)
{
    auto form1 = create();
    EXPECT_FALSE(form1->actions().NIndication->isVisible());
    form1->NIndicationClick();
    ASSERT_TRUE(forms.Form5);
    EXPECT_TRUE(forms.Form5->isVisible());
    EXPECT_EQ(storedText(settings::IndicationXPointPlayFlag()), u"50"_s);
}

TEST_F(MainWindowTest, CloseCommandAsksTheProgramToEnd)
{
    auto form1 = create();
    QSignalSpy closing(form1.get(), &TForm1::closeRequested);
    form1->actions().NClose->trigger();
    EXPECT_EQ(closing.count(), 1);
}

TEST_F(MainWindowTest, RenewReloadsTheSettings)
{
    auto form1 = create();
    QTemporaryDir media;
    const QString dir = makeDirectoryWithFiles(media, u"d"_s, {u"a.mp3"_s});
    storeTexts({{settings::slotValueNames(settings::SlotKind::Directory, 4).path, dir},
                {settings::slotValueNames(settings::SlotKind::Directory, 4).flag, u"1"_s}});
    form1->actions().NRenew->trigger();
    EXPECT_TRUE(form1->actions().DirNoSelectMenu[4]->isVisible());
    EXPECT_EQ(form1->engine().state().DirFileCount[4], 1);
}

TEST_F(MainWindowTest, TrayIconTakesItsTipFromTheApplicationTitle)
{
    TForm1::Parts parts = mainWindowParts(forms, pending);
    parts.trayIcon = true;
    TForm1 form1(std::move(parts));
    ASSERT_NE(form1.trayIcon(), nullptr);
    EXPECT_EQ(QCoreApplication::applicationName(), u"Brookhum"_s);
    EXPECT_EQ(form1.trayIcon()->toolTip(), u"Brookhum"_s);
    EXPECT_FALSE(form1.trayIcon()->icon().isNull());
    EXPECT_EQ(form1.trayIcon()->contextMenu(), &form1.popupMenu());
}
