// The set-up dialog as designed: its controls, its two modes, loading the
// store into the controls, saving them back and closing without saving.

#include "app/form_refs.h"
#include "app/main_window.h"
#include "engine/menu_actions.h"
#include "base/native_path.h"
#include "settings/reg_ini_file.h"
#include "settings/setting_names.h"
#include "setup/directory_list_box.h"
#include "setup/drive_combo_box.h"
#include "setup/file_list_box.h"
#include "setup/set_up_writes.h"
#include "setup/slot_check_box.h"
#include "set_up_rig.h"
#include "support/engine_rig.h"
#include "support/fake_media_player.h"
#include "support/main_window_parts.h"
#include "support/test_application.h"
#include "support/store_test.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdio>
#include <sys/stat.h>

using namespace Qt::StringLiterals;
using namespace brookhum;
using namespace brookhum::test;
using settings::SlotKind;
using settings::slotValueNames;

namespace {

class SetUpDialogTest : public StoreTest {
protected:
    void TearDown() override
    {
        QFile::remove(storeFile());
        QDir(storeFile()).removeRecursively();
        clearSettingsStore();
    }

    SetUpRig rig;
};

QString dirPath(int slot) { return slotValueNames(SlotKind::Directory, slot).path; }
QString dirFlag(int slot) { return slotValueNames(SlotKind::Directory, slot).flag; }
QString filePath(int slot) { return slotValueNames(SlotKind::File, slot).path; }
QString fileFlag(int slot) { return slotValueNames(SlotKind::File, slot).flag; }

int rowTop(int slot) { return 40 + 20 * (slot - 1); }

QString captionOf(const QWidget *widget)
{
    if (auto *button = qobject_cast<const QAbstractButton *>(widget))
        return button->text();
    if (auto *box = qobject_cast<const QGroupBox *>(widget))
        return box->title();
    if (auto *label = qobject_cast<const QLabel *>(widget))
        return label->text();
    return {};
}

} // namespace

// --- layout ---

TEST_F(SetUpDialogTest, EveryControlSitsAtItsDesignPlaceWithItsCaption)
{
    auto dialog = rig.open();
    struct Placed {
        QString name;
        QString parent;
        QRect geometry;
        QString caption;
    };
    QList<Placed> rows{
        {u"SetUpButton"_s, u"ClientArea"_s, {380, 20, 57, 25}, u"設定保存"_s},
        {u"GroupBox1"_s, u"ClientArea"_s, {16, 8, 185, 49}, u"再生種類"_s},
        {u"DirSetUpRadioButton"_s, u"GroupBox1"_s, {16, 16, 89, 17}, u"ディレクトリ"_s},
        {u"FileSetUpRadioButton"_s, u"GroupBox1"_s, {104, 16, 73, 17}, u"ファイル"_s},
        {u"SetUpDirPanel"_s, u"ClientArea"_s, {160, 120, 336, 289}, {}},
        {u"SetUpFilePanel"_s, u"ClientArea"_s, {160, 120, 281, 289}, {}},
        {u"SetUpDirectoryListBox"_s, u"ClientArea"_s, {16, 88, 137, 161}, {}},
        {u"SetUpDriveComboBox"_s, u"ClientArea"_s, {16, 64, 137, 18}, {}},
        {u"SetUpFileListBox"_s, u"ClientArea"_s, {16, 256, 137, 105}, {}},
        {u"SetUpCloseBitBtn"_s, u"ClientArea"_s, {16, 368, 33, 33}, {}},
        {u"FirstPlayCheckBox"_s, u"ClientArea"_s, {204, 8, 105, 17}, u"起動時に再生"_s},
        {u"CloseButton"_s, u"ClientArea"_s, {440, 20, 65, 25}, u"キャンセル"_s},
        {u"PlayBarBeginCheckBox"_s, u"ClientArea"_s, {204, 48, 157, 17}, u"起動時に再生バー表示"_s},
        {u"IndicationBarBeginCheckBox"_s, u"ClientArea"_s, {204, 28, 157, 17}, u"再生時にファイル名表示"_s},
        {u"PointReButton"_s, u"ClientArea"_s, {380, 60, 121, 25}, u"表示位置初期化"_s},
        {u"Image2"_s, u"SetUpDirPanel"_s, {0, 0, 105, 33}, {}},
        {u"Image1"_s, u"SetUpFilePanel"_s, {0, 0, 105, 33}, {}},
    };
    for (int k = 1; k <= 10; ++k) {
        rows.append({u"DirNo%1CheckBox"_s.arg(k), u"SetUpDirPanel"_s, {60, rowTop(k), 209, 17}, {}});
        rows.append({u"SetUpDirDelNo%1Button"_s.arg(k), u"SetUpDirPanel"_s, {280, rowTop(k), 17, k == 7 ? 15 : 17}, u"X"_s});
        rows.append({u"FileNo%1CheckBox"_s.arg(k), u"SetUpFilePanel"_s, {20, rowTop(k), 217, 17}, {}});
        rows.append({u"SetUpFileDelNo%1Button"_s.arg(k), u"SetUpFilePanel"_s, {240, rowTop(k), 17, 17}, u"X"_s});
    }
    for (const Placed &row : rows) {
        SCOPED_TRACE(row.name.toStdString());
        auto *widget = dialog->findChild<QWidget *>(row.name);
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget->parentWidget()->objectName(), row.parent);
        EXPECT_EQ(widget->geometry(), row.geometry);
        EXPECT_EQ(captionOf(widget), row.caption);
    }

    // The labels size themselves to their text but start where designed.
    for (int k = 1; k <= 10; ++k) {
        SCOPED_TRACE(k);
        auto *label = dialog->findChild<QLabel *>(u"Label%1"_s.arg(k));
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->parentWidget(), dialog->controls().SetUpDirPanel);
        EXPECT_EQ(label->text(), u"No.%1"_s.arg(k));
        EXPECT_EQ(label->pos(), QPoint(20, rowTop(k)));
        EXPECT_GE(label->width(), k == 10 ? 28 : 22);
    }
    EXPECT_FALSE(dialog->controls().Image1->pixmap().isNull());
    EXPECT_FALSE(dialog->controls().Image2->pixmap().isNull());
    EXPECT_FALSE(dialog->controls().SetUpCloseBitBtn->icon().isNull());
    EXPECT_EQ(dialog->controls().SetUpCloseBitBtn->iconSize(), QSize(30, 30));
}

TEST_F(SetUpDialogTest, WindowIsAFixedTitledWindowWithItsMenuAboveTheClientArea)
{
    auto dialog = rig.open();
    const SetUpControls &ui = dialog->controls();
    EXPECT_EQ(dialog->windowTitle(), u"初期設定"_s);
    EXPECT_EQ(dialog->pos(), QPoint(388, 208));
    const int menuHeight = ui.SetUpMainMenu->height();
    EXPECT_GT(menuHeight, 0);
    EXPECT_EQ(ui.ClientArea->geometry(), QRect(0, menuHeight, 518, 476));
    EXPECT_EQ(dialog->minimumSize(), QSize(518, 476 + menuHeight));
    EXPECT_EQ(dialog->maximumSize(), dialog->minimumSize());
    EXPECT_TRUE(dialog->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_TRUE(dialog->windowFlags().testFlag(Qt::WindowSystemMenuHint));
    EXPECT_FALSE(dialog->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_EQ(QFontInfo(dialog->font()).pixelSize(), 12);

    ASSERT_EQ(ui.SetUpMainMenu->actions().size(), 1);
    EXPECT_EQ(ui.SetUpMainMenu->actions().first()->text(), u"ヘルプ"_s);
    const QList<QAction *> items = ui.Help->actions();
    ASSERT_EQ(items.size(), 2);
    EXPECT_EQ(items[0], ui.Ver);
    EXPECT_EQ(items[0]->text(), u"バージョン情報"_s);
    EXPECT_EQ(items[1], ui.Help1);
    EXPECT_EQ(items[1]->text(), u"Help"_s);
}

TEST_F(SetUpDialogTest, TabOrderFollowsTheDesignIncludingItsIrregularSteps)
{
    auto dialog = rig.open();
    QStringList expected{u"SetUpButton"_s, u"DirSetUpRadioButton"_s, u"FileSetUpRadioButton"_s};
    for (int k : {1, 2, 3, 4, 5})
        expected << u"DirNo%1CheckBox"_s.arg(k);
    for (int k : {1, 2, 3, 5, 4})
        expected << u"SetUpDirDelNo%1Button"_s.arg(k);
    for (int k : {6, 7, 8, 9, 10})
        expected << u"DirNo%1CheckBox"_s.arg(k);
    for (int k : {6, 7, 8, 9, 10})
        expected << u"SetUpDirDelNo%1Button"_s.arg(k);
    for (int k : {2, 3, 4, 5, 6, 7, 8, 9, 10, 1})
        expected << u"FileNo%1CheckBox"_s.arg(k);
    for (int k : {1, 2, 3, 4, 6, 5, 8, 7, 9, 10})
        expected << u"SetUpFileDelNo%1Button"_s.arg(k);
    expected << u"SetUpDirectoryListBox"_s << u"SetUpDriveComboBox"_s << u"SetUpFileListBox"_s
             << u"SetUpCloseBitBtn"_s << u"FirstPlayCheckBox"_s << u"CloseButton"_s << u"PlayBarBeginCheckBox"_s
             << u"IndicationBarBeginCheckBox"_s << u"PointReButton"_s;

    QStringList chain;
    QWidget *start = dialog->controls().SetUpButton;
    QWidget *widget = start;
    do {
        if (expected.contains(widget->objectName()))
            chain << widget->objectName();
        widget = widget->nextInFocusChain();
    } while (widget != start && chain.size() <= expected.size());
    EXPECT_EQ(chain, expected);
}

// --- modes ---

TEST_F(SetUpDialogTest, WithNoModeBothPanelsShowAndNothingDrags)
{
    storeTexts({{settings::SelectPlayFlag(), u"3"_s}});
    auto dialog = rig.open();
    const SetUpControls &ui = dialog->controls();

    EXPECT_EQ(dialog->mode(), SetUpMode::None);
    EXPECT_FALSE(ui.DirSetUpRadioButton->isChecked());
    EXPECT_FALSE(ui.FileSetUpRadioButton->isChecked());
    EXPECT_FALSE(ui.SetUpDirPanel->isHidden());
    EXPECT_FALSE(ui.SetUpFilePanel->isHidden());
    const QObjectList stack = ui.ClientArea->children();
    EXPECT_GT(stack.indexOf(ui.SetUpFilePanel), stack.indexOf(ui.SetUpDirPanel)) << "file panel in front";
    EXPECT_FALSE(ui.SetUpFileListBox->isHidden());
    EXPECT_FALSE(ui.SetUpCloseBitBtn->isHidden());
    EXPECT_FALSE(ui.SetUpCloseBitBtn->isEnabled());
    EXPECT_FALSE(ui.SetUpDirectoryListBox->isDragSource());
    EXPECT_FALSE(ui.SetUpFileListBox->isDragSource());
    EXPECT_TRUE(ui.PlayBarBeginCheckBox->isHidden());
    EXPECT_FALSE(ui.PlayBarBeginCheckBox->isEnabled());
    EXPECT_EQ(storedText(settings::SelectPlayFlag()), u"3"_s);
}

TEST_F(SetUpDialogTest, RadioButtonsSwitchVisibilityAndTheDraggingList)
{
    auto dialog = rig.open();
    const SetUpControls &ui = dialog->controls();
    for (int round = 0; round < 2; ++round) {
        ui.FileSetUpRadioButton->click();
        EXPECT_EQ(dialog->mode(), SetUpMode::File);
        EXPECT_FALSE(ui.SetUpFilePanel->isHidden());
        EXPECT_FALSE(ui.SetUpFileListBox->isHidden());
        EXPECT_FALSE(ui.SetUpCloseBitBtn->isHidden());
        EXPECT_TRUE(ui.SetUpDirPanel->isHidden());
        EXPECT_FALSE(ui.SetUpDirectoryListBox->isHidden());
        EXPECT_FALSE(ui.SetUpDriveComboBox->isHidden());
        EXPECT_TRUE(ui.SetUpFileListBox->isDragSource());
        EXPECT_FALSE(ui.SetUpDirectoryListBox->isDragSource());

        ui.DirSetUpRadioButton->click();
        EXPECT_EQ(dialog->mode(), SetUpMode::Directory);
        EXPECT_FALSE(ui.SetUpDirPanel->isHidden());
        EXPECT_TRUE(ui.SetUpFilePanel->isHidden());
        EXPECT_TRUE(ui.SetUpFileListBox->isHidden());
        EXPECT_TRUE(ui.SetUpCloseBitBtn->isHidden());
        EXPECT_FALSE(ui.SetUpDirectoryListBox->isHidden());
        EXPECT_FALSE(ui.SetUpDriveComboBox->isHidden());
        EXPECT_TRUE(ui.SetUpDirectoryListBox->isDragSource());
        EXPECT_FALSE(ui.SetUpFileListBox->isDragSource());
    }
}

// --- loading ---

TEST_F(SetUpDialogTest, FirstRunStoresTheInitialTextOfEveryValueTheDialogReads)
{
    auto dialog = rig.open();
    EXPECT_EQ(storedText(settings::PlayFlag()), u"0"_s);
    EXPECT_EQ(storedText(settings::PlayBarBeginFlag()), u"0"_s);
    EXPECT_EQ(storedText(settings::IndicationBarBeginFlag()), u"0"_s);
    EXPECT_EQ(storedText(settings::SelectPlayFlag()), u"1"_s);
    for (int k = 1; k <= 10; ++k) {
        EXPECT_EQ(storedText(dirPath(k)), QString());
        EXPECT_EQ(storedText(dirFlag(k)), u"0"_s);
        EXPECT_EQ(storedText(filePath(k)), QString());
        EXPECT_EQ(storedText(fileFlag(k)), u"0"_s);
    }
    EXPECT_FALSE(storeSnapshot().contains(u"Brookhum/"_s + settings::RandPlayFlag()));
    // "1" was stored for the absent play kind, yet no mode is picked.
    EXPECT_EQ(dialog->mode(), SetUpMode::None);
    EXPECT_EQ(rig.reloads, 0);
}

TEST_F(SetUpDialogTest, OptionsCountOnlyOneAsOnWhileSlotFlagsCountAllButZero)
{
    struct Row {
        const char *stored; // nullptr: absent
        bool optionTicked;
        bool slotTicked;
    };
    const Row rows[] = {
        {"1", true, true}, {"0", false, false}, {"", false, true}, {"2", false, true},
        {"yes", false, true}, {" 1", false, true}, {nullptr, false, false},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.stored ? row.stored : "absent");
        clearSettingsStore();
        if (row.stored) {
            const QString text = QString::fromUtf8(row.stored);
            storeTexts({{settings::PlayFlag(), text}, {settings::PlayBarBeginFlag(), text},
                        {settings::IndicationBarBeginFlag(), text}, {dirFlag(3), text}, {fileFlag(4), text}});
        }
        auto dialog = rig.open();
        const SetUpControls &ui = dialog->controls();
        EXPECT_EQ(ui.FirstPlayCheckBox->isChecked(), row.optionTicked);
        EXPECT_EQ(ui.PlayBarBeginCheckBox->isChecked(), row.optionTicked);
        EXPECT_EQ(ui.IndicationBarBeginCheckBox->isChecked(), row.optionTicked);
        EXPECT_EQ(ui.DirNoCheckBox[3]->isChecked(), row.slotTicked);
        EXPECT_EQ(ui.FileNoCheckBox[4]->isChecked(), row.slotTicked);
        EXPECT_FALSE(ui.DirNoCheckBox[2]->isChecked());
        const QString expectedStored = row.stored ? QString::fromUtf8(row.stored) : u"0"_s;
        EXPECT_EQ(storedText(fileFlag(4)), expectedStored);
        EXPECT_EQ(storedText(settings::PlayFlag()), expectedStored);
    }
}

TEST_F(SetUpDialogTest, PlayKindPicksTheModeOnlyWhenItIsOneOrTwo)
{
    struct Row {
        const char *stored;
        SetUpMode mode;
        const char *storedAfter;
    };
    const Row rows[] = {
        {"1", SetUpMode::Directory, "1"}, {"2", SetUpMode::File, "2"}, {"3", SetUpMode::None, "3"},
        {"", SetUpMode::None, ""},         {"non", SetUpMode::None, "1"}, {nullptr, SetUpMode::None, "1"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.stored ? row.stored : "absent");
        clearSettingsStore();
        if (row.stored)
            storeTexts({{settings::SelectPlayFlag(), QString::fromUtf8(row.stored)}});
        auto dialog = rig.open();
        EXPECT_EQ(dialog->mode(), row.mode);
        EXPECT_EQ(dialog->controls().DirSetUpRadioButton->isChecked(), row.mode == SetUpMode::Directory);
        EXPECT_EQ(dialog->controls().FileSetUpRadioButton->isChecked(), row.mode == SetUpMode::File);
        EXPECT_EQ(dialog->controls().SetUpDirPanel->isHidden(), row.mode == SetUpMode::File);
        EXPECT_EQ(dialog->controls().SetUpFilePanel->isHidden(), row.mode == SetUpMode::Directory);
        EXPECT_EQ(storedText(settings::SelectPlayFlag()), QString::fromUtf8(row.storedAfter));
    }
}

TEST_F(SetUpDialogTest, StoredPathsFillCaptionsAndPendingPathsWhileAbsentOnesLeaveThemAlone)
{
    rig.pending.DirSlotPath[1] = u"/left/over/by/an/earlier/dialog"_s;
    rig.pending.DirSlotPath[2] = u"/also/left/over"_s;
    rig.pending.FileSlotPath[6] = u"/left/over.mp3"_s;
    storeTexts({{dirPath(1), u"non"_s}, {dirPath(2), QString()}, {dirPath(3), u"/music/jazz"_s},
                {filePath(6), u"non"_s}, {filePath(7), u"/music/a.mp3"_s}});
    auto dialog = rig.open();
    const SetUpControls &ui = dialog->controls();

    // "non" counts as absent: the empty text is stored, nothing else changes.
    EXPECT_EQ(storedText(dirPath(1)), QString());
    EXPECT_EQ(ui.DirNoCheckBox[1]->text(), QString());
    EXPECT_EQ(rig.pending.DirSlotPath[1], u"/left/over/by/an/earlier/dialog"_s);
    EXPECT_EQ(storedText(filePath(6)), QString());
    EXPECT_EQ(rig.pending.FileSlotPath[6], u"/left/over.mp3"_s);

    // A stored empty text empties the slot.
    EXPECT_EQ(ui.DirNoCheckBox[2]->text(), QString());
    EXPECT_EQ(rig.pending.DirSlotPath[2], QString());

    EXPECT_EQ(ui.DirNoCheckBox[3]->text(), u"/music/jazz"_s);
    EXPECT_EQ(rig.pending.DirSlotPath[3], u"/music/jazz"_s);
    EXPECT_EQ(ui.FileNoCheckBox[7]->text(), u"/music/a.mp3"_s);
    EXPECT_EQ(rig.pending.FileSlotPath[7], u"/music/a.mp3"_s);
}

TEST_F(SetUpDialogTest, AnUnsavedDropOutlivesItsDialogWhereTheStoreHasNoPath)
{
    QTemporaryDir media;
    const QString dropped = makeDirectoryWithFiles(media, u"dropped"_s, {});
    auto first = rig.open();
    first->controls().DirSetUpRadioButton->click();
    dropDirectory(*first, 5, dropped);
    dropDirectory(*first, 6, dropped);
    first->close();

    // Slot 5's path has gone from the store, slot 6's is there.
    QSettings(QSettings::NativeFormat, QSettings::UserScope, u"Tarnwick"_s).remove(u"Brookhum/"_s + dirPath(5));
    auto second = rig.open();
    EXPECT_EQ(second->controls().DirNoCheckBox[5]->text(), QString());
    EXPECT_EQ(rig.pending.DirSlotPath[5], dropped);
    EXPECT_EQ(rig.pending.DirSlotPath[6], QString());
    EXPECT_EQ(second->slotHint(second->controls().DirNoCheckBox[5]), dropped);

    second->controls().DirSetUpRadioButton->click();
    second->controls().SetUpButton->click();
    EXPECT_EQ(storedText(dirPath(5)), dropped);
    EXPECT_EQ(storedText(dirPath(6)), QString());
}

// --- saving ---

TEST_F(SetUpDialogTest, SaveWritesOptionsThenTheModeThenEachSlotAsPathThenFlag)
{
    SetUpChoices choices;
    choices.firstPlay = true;
    choices.indicationBarBegin = true;
    choices.mode = SetUpMode::Directory;
    choices.slotPaths[1] = u"/a"_s;
    choices.slotTicks[1] = true;
    choices.slotTicks[10] = true;
    QList<StoreWrite> expected{
        {settings::PlayFlag(), u"1"_s},
        {settings::PlayBarBeginFlag(), u"0"_s},
        {settings::IndicationBarBeginFlag(), u"1"_s},
        {settings::SelectPlayFlag(), u"1"_s},
    };
    for (int k = 1; k <= 10; ++k) {
        expected.append({dirPath(k), k == 1 ? u"/a"_s : QString()});
        expected.append({dirFlag(k), (k == 1 || k == 10) ? u"1"_s : u"0"_s});
    }
    EXPECT_EQ(setUpWrites(choices), expected);

    choices.mode = SetUpMode::File;
    const QList<StoreWrite> fileWrites = setUpWrites(choices);
    ASSERT_EQ(fileWrites.size(), 24);
    EXPECT_EQ(fileWrites[3], (StoreWrite{settings::SelectPlayFlag(), u"2"_s}));
    EXPECT_EQ(fileWrites[4], (StoreWrite{filePath(1), u"/a"_s}));
    EXPECT_EQ(fileWrites[5], (StoreWrite{fileFlag(1), u"1"_s}));
    EXPECT_EQ(fileWrites[23], (StoreWrite{fileFlag(10), u"1"_s}));

    choices.mode = SetUpMode::None;
    EXPECT_EQ(setUpWrites(choices), expected.mid(0, 3));
}

TEST_F(SetUpDialogTest, WithNoModeSavingChangesOnlyTheThreeOptions)
{
    storeTexts({{settings::SelectPlayFlag(), u"3"_s}, {dirPath(2), u"/kept"_s}, {dirFlag(2), u"1"_s},
                {filePath(2), u"/kept.mp3"_s}});
    auto dialog = rig.open();
    const QMap<QString, QVariant> before = storeSnapshot();
    dialog->controls().FirstPlayCheckBox->click();
    dialog->controls().IndicationBarBeginCheckBox->click();
    dialog->SetUpDelNoButtonClick(SlotKind::Directory, 2);
    dialog->controls().SetUpButton->click();

    QMap<QString, QVariant> after = storeSnapshot();
    EXPECT_EQ(after.value(u"Brookhum/"_s + settings::PlayFlag()).toString(), u"1"_s);
    EXPECT_EQ(after.value(u"Brookhum/"_s + settings::IndicationBarBeginFlag()).toString(), u"1"_s);
    EXPECT_EQ(after.value(u"Brookhum/"_s + settings::PlayBarBeginFlag()).toString(), u"0"_s);
    for (const QString &option : {settings::PlayFlag(), settings::IndicationBarBeginFlag()})
        after.insert(u"Brookhum/"_s + option, before.value(u"Brookhum/"_s + option));
    EXPECT_EQ(after, before);
}

TEST_F(SetUpDialogTest, SavingInFileModeLeavesTheDirectorySlotsAsStored)
{
    QTemporaryDir media;
    const QString dir = makeDirectoryWithFiles(media, u"songs"_s, {u"b.wav"_s});
    storeTexts({{settings::SelectPlayFlag(), u"1"_s}, {dirPath(1), u"/stored/one"_s}, {dirFlag(1), u"1"_s},
                {dirPath(10), u"/stored/ten"_s}});
    auto dialog = rig.open();
    dialog->SetUpDelNoButtonClick(SlotKind::Directory, 1); // an unsaved edit of the other kind
    dialog->controls().FileSetUpRadioButton->click();
    dropFile(*dialog, 3, dir, u"b.wav"_s);
    dialog->controls().FileNoCheckBox[3]->click();
    const QMap<QString, QVariant> before = storeSnapshot();
    dialog->controls().SetUpButton->click();

    EXPECT_EQ(storedText(settings::SelectPlayFlag()), u"2"_s);
    EXPECT_EQ(storedText(filePath(3)), dir + u"/b.wav"_s);
    EXPECT_EQ(storedText(fileFlag(3)), u"1"_s);
    const QMap<QString, QVariant> after = storeSnapshot();
    for (int k = 1; k <= 10; ++k) {
        for (const QString &name : {dirPath(k), dirFlag(k)})
            EXPECT_EQ(after.value(u"Brookhum/"_s + name), before.value(u"Brookhum/"_s + name)) << name.toStdString();
    }
    EXPECT_EQ(storedText(dirPath(1)), u"/stored/one"_s);
}

TEST_F(SetUpDialogTest, FilesDroppedThenDirectoryModeSavedStoreNoFiles)
{
    QTemporaryDir media;
    const QString dir = makeDirectoryWithFiles(media, u"songs"_s, {u"a.mp3"_s});
    storeTexts({{filePath(1), u"/stored/file.mid"_s}});
    auto dialog = rig.open();
    dialog->controls().FileSetUpRadioButton->click();
    dropFile(*dialog, 1, dir, u"a.mp3"_s);
    dialog->controls().DirSetUpRadioButton->click();
    dialog->controls().SetUpButton->click();

    EXPECT_EQ(storedText(settings::SelectPlayFlag()), u"1"_s);
    EXPECT_EQ(storedText(filePath(1)), u"/stored/file.mid"_s);
    EXPECT_EQ(storedText(dirFlag(1)), u"0"_s);
}

TEST_F(SetUpDialogTest, ADeletedTickedSlotIsSavedAsAnEmptyPathWithFlagOne)
{
    storeTexts({{settings::SelectPlayFlag(), u"1"_s}, {dirPath(4), u"/music/old"_s}, {dirFlag(4), u"1"_s}});
    auto dialog = rig.open();
    ASSERT_TRUE(dialog->controls().DirNoCheckBox[4]->isChecked());
    dialog->controls().SetUpDirDelNoButton[4]->click();
    dialog->controls().SetUpButton->click();
    EXPECT_EQ(storedText(dirPath(4)), QString());
    EXPECT_EQ(storedText(dirFlag(4)), u"1"_s);
}

TEST_F(SetUpDialogTest, HiddenPlayBarOptionIsSavedAsItWasLoaded)
{
    for (const auto &[stored, saved] : {std::pair{u"1"_s, u"1"_s}, {u"2"_s, u"0"_s}, {u"0"_s, u"0"_s}}) {
        SCOPED_TRACE(stored.toStdString());
        storeTexts({{settings::PlayBarBeginFlag(), stored}});
        auto dialog = rig.open();
        dialog->controls().SetUpButton->click();
        EXPECT_EQ(storedText(settings::PlayBarBeginFlag()), saved);
    }
}

TEST_F(SetUpDialogTest, SavingClosesTheDialogAndReloadsBeforeTheClickReturns)
{
    auto dialog = rig.open();
    dialog->show();
    dialog->controls().DirSetUpRadioButton->click();
    dialog->controls().DirNoCheckBox[10]->click();
    dialog->controls().FirstPlayCheckBox->click();
    // The reload sees the last value written.
    QStringList seenByReload;
    rig.onReload = [&] { seenByReload << storedText(settings::PlayFlag()) << storedText(dirFlag(10)); };
    dialog->controls().SetUpButton->click();
    EXPECT_EQ(seenByReload, (QStringList{u"1"_s, u"1"_s}));
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_TRUE(testApp().shownErrors.isEmpty());
}

TEST_F(SetUpDialogTest, CancelAndTheCloseBoxWriteNothingButReload)
{
    QTemporaryDir media;
    const QString dir = makeDirectoryWithFiles(media, u"new"_s, {});
    storeTexts({{settings::SelectPlayFlag(), u"1"_s}, {dirPath(5), u"/stored/five"_s}});
    for (int way = 0; way < 2; ++way) {
        SCOPED_TRACE(way == 0 ? "キャンセル" : "close box");
        auto dialog = rig.open();
        dialog->show();
        const QMap<QString, QVariant> before = storeSnapshot();
        rig.reloads = 0;
        dropDirectory(*dialog, 5, dir);
        dialog->controls().FirstPlayCheckBox->click();
        if (way == 0)
            dialog->controls().CloseButton->click();
        else
            dialog->close();
        EXPECT_FALSE(dialog->isVisible());
        EXPECT_EQ(rig.reloads, 1);
        EXPECT_EQ(storeSnapshot(), before);

        auto next = rig.open();
        EXPECT_EQ(next->controls().DirNoCheckBox[5]->text(), u"/stored/five"_s);
    }
}

TEST_F(SetUpDialogTest, AWriteThatFailsStopsTheSaveAndKeepsTheDialogOpen)
{
    auto dialog = rig.open();
    dialog->show();
    rig.reloads = 0;
    // A directory where the store's file should be: no write can reach it.
    QFile::remove(storeFile());
    ASSERT_TRUE(QDir().mkpath(storeFile() + u"/blocked"_s));

    dialog->controls().SetUpButton->click();
    EXPECT_EQ(testApp().shownErrors.size(), 1);
    EXPECT_TRUE(testApp().shownErrors.value(0).contains(settings::PlayFlag()));
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(rig.reloads, 0);
}

TEST_F(SetUpDialogTest, PathsWithSpacesQuotesAndNonAsciiSurviveSaveAndReload)
{
    QTemporaryDir media;
    const QStringList names{
        u"with space"_s,  u"it's \"quoted\""_s, u"日本語 ü ß"_s,     u"comma, semi; hash # eq ="_s,
        u"@at back\\slash"_s, u"%percent%20"_s,  u"  lead and trail  "_s, u"<i>tag & amp"_s,
    };
    auto dialog = rig.open();
    dialog->controls().DirSetUpRadioButton->click();
    QStringList dirs;
    for (int k = 1; k <= names.size(); ++k) {
        dirs << makeDirectoryWithFiles(media, names[k - 1], {u"\"a\" 'b' 日本.mp3"_s});
        dropDirectory(*dialog, k, dirs.last());
    }
    dialog->controls().SetUpButton->click();

    auto reloaded = rig.open();
    for (int k = 1; k <= names.size(); ++k) {
        SCOPED_TRACE(names[k - 1].toStdString());
        EXPECT_EQ(storedText(dirPath(k)).toUtf8(), dirs[k - 1].toUtf8());
        EXPECT_EQ(rig.pending.DirSlotPath[k].toUtf8(), dirs[k - 1].toUtf8());
        EXPECT_EQ(reloaded->controls().DirNoCheckBox[k]->caption().toUtf8(), dirs[k - 1].toUtf8());
    }

    reloaded->controls().FileSetUpRadioButton->click();
    dropFile(*reloaded, 2, dirs[2], u"\"a\" 'b' 日本.mp3"_s);
    reloaded->controls().SetUpButton->click();
    auto third = rig.open();
    EXPECT_EQ(storedText(filePath(2)).toUtf8(), (dirs[2] + u"/\"a\" 'b' 日本.mp3"_s).toUtf8());
    EXPECT_EQ(third->controls().FileNoCheckBox[2]->caption(), dirs[2] + u"/\"a\" 'b' 日本.mp3"_s);
}

TEST_F(SetUpDialogTest, ShiftJisNamesFromAnOldDiskSurviveSaveAndReloadByteForByte)
{
    QTemporaryDir media;
    const QByteArray directory = QFile::encodeName(media.path()) + "/\x89\xb9\x8a\x79"; // 音楽
    const QByteArray file = directory + "/\x93\xfa\x96\x7b.mid";                       // 日本.mid
    ASSERT_EQ(::mkdir(directory.constData(), 0700), 0);
    std::fclose(std::fopen(file.constData(), "w"));

    auto dialog = rig.open();
    dialog->controls().DirSetUpRadioButton->click();
    dropDirectory(*dialog, 1, pathFromNative(directory));
    dialog->controls().SetUpButton->click();
    auto again = rig.open();
    again->controls().FileSetUpRadioButton->click();
    dropFile(*again, 1, pathFromNative(directory), pathFromNative("\x93\xfa\x96\x7b.mid"));
    again->controls().SetUpButton->click();

    EXPECT_EQ(nativePath(storedText(dirPath(1))), directory);
    EXPECT_EQ(nativePath(storedText(filePath(1))), file);
    auto shown = rig.open();
    EXPECT_TRUE(shown->controls().FileNoCheckBox[1]->text().endsWith(u"/音楽/日本.mid"_s));
}

// --- with the main window ---

// The hidden main window with fake players, as the program builds it.
std::unique_ptr<TForm1> mainWindow(FormRefs &forms, PendingSlotPaths &pending)
{
    auto form1 = std::make_unique<TForm1>(mainWindowParts(forms, pending));
    form1->createSetUpDialog();
    return form1;
}

TEST_F(SetUpDialogTest, AfterSavingThePlayerUsesTheNewSettingsAtOnce)
{
    QTemporaryDir media;
    const QString dir = makeDirectoryWithFiles(media, u"tracks"_s, {u"one.mp3"_s, u"two.mp3"_s});
    FormRefs forms;
    PendingSlotPaths pending;
    auto form1 = mainWindow(forms, pending);

    form1->NSetUpClick();
    ASSERT_TRUE(forms.Form2);
    TForm2 &dialog = *forms.Form2;
    ASSERT_TRUE(dialog.isVisible());
    dialog.controls().FileSetUpRadioButton->click();
    dropFile(dialog, 2, dir, u"two.mp3"_s);
    dialog.controls().FileNoCheckBox[2]->click();
    dialog.controls().SetUpButton->click();

    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(form1->engine().state().SelectPlayFlag, u"2"_s);
    EXPECT_EQ(form1->engine().state().FilePath[2], dir + u"/two.mp3"_s);
    EXPECT_TRUE(form1->actions().FilesSelectMenu->isVisible());
    EXPECT_FALSE(form1->actions().DirsSelectMenu->isVisible());
    EXPECT_TRUE(testApp().shownErrors.isEmpty());
}

TEST_F(SetUpDialogTest, EndingTheProgramWithTheDialogOpenLoadsNoSettings)
{
    FormRefs forms;
    PendingSlotPaths pending;
    auto form1 = mainWindow(forms, pending);
    form1->NSetUpClick();
    QPointer<TForm2> dialog = forms.Form2;
    ASSERT_TRUE(dialog && dialog->isVisible());

    // A value that the settings load writes back whenever it runs.
    QSettings(QSettings::NativeFormat, QSettings::UserScope, u"Tarnwick"_s).remove(u"Brookhum/"_s + dirFlag(1));
    form1->actions().NClose->trigger();
    dialog->close(); // as Qt closes the windows that show when the program quits
    EXPECT_EQ(storedText(dirFlag(1)), u"non"_s);
    EXPECT_FALSE(dialog->isVisible());

    // Otherwise every close loads them.
    form1->NSetUpClick();
    forms.Form2->close();
    EXPECT_EQ(storedText(dirFlag(1)), u"0"_s);
}
