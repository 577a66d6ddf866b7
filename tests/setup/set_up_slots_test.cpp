// Filling and emptying the set-up dialog's slots: drops from the dialog's own
// lists, drops from anywhere else, the "X" buttons and the slot hints.

#include "settings/setting_names.h"
#include "setup/directory_list_box.h"
#include "setup/file_list_box.h"
#include "setup/slot_check_box.h"
#include "setup/slot_drag_mime.h"
#include "set_up_rig.h"
#include "support/engine_rig.h"
#include "support/test_application.h"
#include "support/store_test.h"

#include <QApplication>
#include <QCheckBox>
#include <QHelpEvent>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QToolTip>
#include <QLabel>
#include <QTest>
#include <QTextDocument>
#include <QUrl>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace brookhum;
using namespace brookhum::test;

namespace {

// Qt's hint window while it shows.
QWidget *hintWindow()
{
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window->objectName() == u"qtooltip_label"_s && window->isVisible())
            return window;
    }
    return nullptr;
}

// Qt hides a hint after a short fade; waits until it has gone.
bool hintGone()
{
    QToolTip::hideText();
    return QTest::qWaitFor([] { return hintWindow() == nullptr; }, 5000);
}

class SetUpSlotsTest : public StoreTest {
protected:
    void SetUp() override
    {
        StoreTest::SetUp();
        ASSERT_TRUE(hintGone());
        music = makeDirectoryWithFiles(media, u"music"_s, {u"a.mp3"_s, u"b.wav"_s});
        jazz = makeDirectoryWithFiles(media, u"music/jazz"_s, {});
        rock = makeDirectoryWithFiles(media, u"music/rock"_s, {});
    }

    // Selects the row whose path (directory list) or text (file list) is `entry`.
    static void select(DragSourceListBox &list, const QString &entry)
    {
        auto *dirs = qobject_cast<DirectoryListBox *>(&list);
        for (int row = 0; row < list.count(); ++row) {
            if ((dirs ? dirs->itemPath(row) : list.item(row)->text()) == entry) {
                list.setCurrentRow(row);
                return;
            }
        }
        FAIL() << "no entry " << entry.toStdString();
    }

    std::unique_ptr<TForm2> openInMode(SetUpMode mode)
    {
        auto dialog = rig.open();
        if (mode == SetUpMode::Directory)
            dialog->controls().DirSetUpRadioButton->click();
        else if (mode == SetUpMode::File)
            dialog->controls().FileSetUpRadioButton->click();
        dialog->controls().SetUpDirectoryListBox->setDirectory(music);
        return dialog;
    }

    QTemporaryDir media;
    QString music, jazz, rock;
    SetUpRig rig;
};

// --- drops from the dialog's own lists ---

TEST_F(SetUpSlotsTest, ADirectoryDropTakesTheItemSelectedWhenItLands)
{
    auto dialog = openInMode(SetUpMode::Directory);
    DirectoryListBox &dirs = *dialog->controls().SetUpDirectoryListBox;
    SlotCheckBox &slot4 = *dialog->controls().DirNoCheckBox[4];
    slot4.setChecked(true);

    select(dirs, jazz); // where the drag began
    select(dirs, rock); // selected by the time it lands
    ASSERT_TRUE(dialog->SlotCheckBoxDragOver(SlotKind::Directory, &dirs));
    dialog->SlotCheckBoxDragDrop(SlotKind::Directory, 4, &dirs);
    EXPECT_EQ(rig.pending.DirSlotPath[4], rock);
    EXPECT_EQ(slot4.text(), rock);
    EXPECT_TRUE(slot4.isChecked()) << "a drop leaves the tick alone";

    // The same directory may fill several slots; a filled slot is replaced.
    dialog->SlotCheckBoxDragDrop(SlotKind::Directory, 2, &dirs);
    dialog->SlotCheckBoxDragDrop(SlotKind::Directory, 6, &dirs);
    EXPECT_EQ(rig.pending.DirSlotPath[2], rock);
    EXPECT_EQ(rig.pending.DirSlotPath[6], rock);
    EXPECT_FALSE(dialog->controls().DirNoCheckBox[6]->isChecked());
    select(dirs, music);
    dialog->SlotCheckBoxDragDrop(SlotKind::Directory, 4, &dirs);
    EXPECT_EQ(slot4.text(), music);

    // An ancestor listed above the current directory gives its own path.
    select(dirs, u"/"_s);
    dialog->SlotCheckBoxDragDrop(SlotKind::Directory, 10, &dirs);
    EXPECT_EQ(rig.pending.DirSlotPath[10], u"/"_s);
}

TEST_F(SetUpSlotsTest, AFileDropJoinsTheCurrentDirectoryAndTheSelectedName)
{
    auto dialog = openInMode(SetUpMode::File);
    FileListBox &files = *dialog->controls().SetUpFileListBox;
    select(files, u"b.wav"_s);
    ASSERT_TRUE(dialog->SlotCheckBoxDragOver(SlotKind::File, &files));
    dialog->SlotCheckBoxDragDrop(SlotKind::File, 7, &files);
    EXPECT_EQ(rig.pending.FileSlotPath[7], music + u"/b.wav"_s);
    EXPECT_EQ(dialog->controls().FileNoCheckBox[7]->text(), music + u"/b.wav"_s);
}

TEST_F(SetUpSlotsTest, AFileOfTheRootDirectoryGetsADoubledSeparator)
{
    QTemporaryFile atRoot(u"/brookhum-slot-XXXXXX.mp3"_s);
    if (!atRoot.open())
        GTEST_SKIP() << "cannot create a file in the root directory";
    const QString name = atRoot.fileName().mid(1);

    auto dialog = openInMode(SetUpMode::File);
    dialog->controls().SetUpDirectoryListBox->setDirectory(u"/"_s);
    select(*dialog->controls().SetUpFileListBox, name);
    dialog->SlotCheckBoxDragDrop(SlotKind::File, 1, dialog->controls().SetUpFileListBox);
    EXPECT_EQ(rig.pending.FileSlotPath[1], u"//"_s + name);
    EXPECT_EQ(dialog->controls().FileNoCheckBox[1]->text(), u"//"_s + name);

    dialog->controls().SetUpButton->click();
    EXPECT_EQ(storedText(settings::slotValueNames(settings::SlotKind::File, 1).path), u"//"_s + name);
}

TEST_F(SetUpSlotsTest, ADropWithNothingSelectedChangesNothing)
{
    for (SetUpMode mode : {SetUpMode::Directory, SetUpMode::File}) {
        auto dialog = openInMode(mode);
        rig.pending.DirSlotPath[3] = u"/before"_s;
        rig.pending.FileSlotPath[3] = u"/before.mp3"_s;
        dialog->controls().SetUpDirectoryListBox->clearSelection();
        dialog->controls().SetUpFileListBox->clearSelection();
        if (mode == SetUpMode::Directory)
            dialog->SlotCheckBoxDragDrop(SlotKind::Directory, 3, dialog->controls().SetUpDirectoryListBox);
        else
            dialog->SlotCheckBoxDragDrop(SlotKind::File, 3, dialog->controls().SetUpFileListBox);
        EXPECT_EQ(rig.pending.DirSlotPath[3], u"/before"_s);
        EXPECT_EQ(rig.pending.FileSlotPath[3], u"/before.mp3"_s);
        EXPECT_EQ(dialog->controls().DirNoCheckBox[3]->text(), QString());
        EXPECT_EQ(dialog->controls().FileNoCheckBox[3]->text(), QString());
    }
}

TEST_F(SetUpSlotsTest, OnlyTheListOfTheCurrentModeMayDrop)
{
    struct Row {
        const char *name;
        SetUpMode mode;
        bool directoryListLands;
        bool fileListLands;
    };
    const Row rows[] = {
        {"no mode", SetUpMode::None, false, false},
        {"directory mode", SetUpMode::Directory, true, false},
        {"file mode", SetUpMode::File, false, true},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        rig.pending = {};
        auto dialog = openInMode(row.mode);
        DirectoryListBox *dirs = dialog->controls().SetUpDirectoryListBox;
        FileListBox *files = dialog->controls().SetUpFileListBox;
        select(*dirs, jazz);
        select(*files, u"a.mp3"_s);
        QPushButton other(u"elsewhere"_s);

        EXPECT_EQ(dialog->SlotCheckBoxDragOver(SlotKind::Directory, dirs), row.directoryListLands);
        EXPECT_EQ(dialog->SlotCheckBoxDragOver(SlotKind::File, files), row.fileListLands);
        for (QObject *stranger : QList<QObject *>{files, &other, nullptr})
            EXPECT_FALSE(dialog->SlotCheckBoxDragOver(SlotKind::Directory, stranger));
        for (QObject *stranger : QList<QObject *>{dirs, &other, nullptr})
            EXPECT_FALSE(dialog->SlotCheckBoxDragOver(SlotKind::File, stranger));

        // Drops that may not land change nothing, whatever is selected.
        dialog->SlotCheckBoxDragDrop(SlotKind::Directory, 1, files);
        dialog->SlotCheckBoxDragDrop(SlotKind::Directory, 1, &other);
        dialog->SlotCheckBoxDragDrop(SlotKind::File, 1, dirs);
        dialog->SlotCheckBoxDragDrop(SlotKind::File, 1, nullptr);
        if (!row.directoryListLands)
            dialog->SlotCheckBoxDragDrop(SlotKind::Directory, 1, dirs);
        if (!row.fileListLands)
            dialog->SlotCheckBoxDragDrop(SlotKind::File, 1, files);
        EXPECT_EQ(rig.pending.DirSlotPath[1], QString());
        EXPECT_EQ(rig.pending.FileSlotPath[1], QString());
    }
}

// --- drag and drop events ---

struct DropAttempt {
    bool entered;
    bool dropped;
};

DropAttempt dragOnto(QWidget &target, QMimeData &mime)
{
    const QPoint at(5, 5);
    QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&target, &enter);
    QDropEvent drop(at, Qt::CopyAction | Qt::MoveAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&target, &drop);
    return {enter.isAccepted(), drop.isAccepted()};
}

TEST_F(SetUpSlotsTest, ASlotBoxTakesOnlyItsOwnKindOfDragAndAsksTheDialog)
{
    SlotCheckBox box(nullptr);
    QList<QObject *> asked;
    QList<QObject *> dropped;
    bool accept = true;
    box.setDragHandlers(
        [&](QObject *source) {
            asked << source;
            return accept;
        },
        [&](QObject *source) { dropped << source; });

    QMimeData ours;
    ours.setData(slotDragMimeType(), "jazz");
    const DropAttempt landed = dragOnto(box, ours);
    EXPECT_TRUE(landed.entered);
    EXPECT_TRUE(landed.dropped);
    EXPECT_EQ(dropped.size(), 1);

    accept = false;
    const DropAttempt refused = dragOnto(box, ours);
    EXPECT_FALSE(refused.entered);
    EXPECT_FALSE(refused.dropped);
    EXPECT_EQ(dropped.size(), 1);

    accept = true;
    asked.clear();
    QMimeData text;
    text.setText(u"/music/jazz"_s);
    QMimeData files;
    files.setUrls({QUrl::fromLocalFile(jazz)});
    for (QMimeData *foreign : {&text, &files}) {
        const DropAttempt attempt = dragOnto(box, *foreign);
        EXPECT_FALSE(attempt.entered);
        EXPECT_FALSE(attempt.dropped);
    }
    EXPECT_TRUE(asked.isEmpty()) << "a foreign kind of drag never reaches the dialog";
    EXPECT_EQ(dropped.size(), 1);
}

TEST_F(SetUpSlotsTest, DropsFromOtherProgramsChangeNoSlot)
{
    auto dialog = openInMode(SetUpMode::Directory);
    select(*dialog->controls().SetUpDirectoryListBox, jazz);
    select(*dialog->controls().SetUpFileListBox, u"a.mp3"_s);

    QMimeData files;
    files.setUrls({QUrl::fromLocalFile(rock)});
    QMimeData text;
    text.setText(rock);
    // Our own type, but not from one of this dialog's lists.
    QMimeData lookalike;
    lookalike.setData(slotDragMimeType(), rock.toUtf8());
    for (QMimeData *mime : {&files, &text, &lookalike}) {
        for (SlotCheckBox *box : {dialog->controls().DirNoCheckBox[1], dialog->controls().FileNoCheckBox[1]}) {
            const DropAttempt attempt = dragOnto(*box, *mime);
            EXPECT_FALSE(attempt.entered);
            EXPECT_FALSE(attempt.dropped);
            EXPECT_EQ(box->text(), QString());
        }
    }
    EXPECT_EQ(rig.pending.DirSlotPath[1], QString());
    EXPECT_EQ(rig.pending.FileSlotPath[1], QString());
    EXPECT_TRUE(testApp().shownErrors.isEmpty());
}

// --- deleting ---

TEST_F(SetUpSlotsTest, DeletingEmptiesPathAndCaptionButKeepsTheTick)
{
    storeTexts({{settings::slotValueNames(settings::SlotKind::Directory, 3).path, jazz},
                {settings::slotValueNames(settings::SlotKind::Directory, 3).flag, u"1"_s},
                {settings::slotValueNames(settings::SlotKind::File, 9).path, music + u"/a.mp3"_s}});
    auto dialog = openInMode(SetUpMode::Directory);
    const SetUpControls &ui = dialog->controls();
    ASSERT_EQ(ui.DirNoCheckBox[3]->text(), jazz);

    ui.SetUpDirDelNoButton[3]->click();
    EXPECT_EQ(rig.pending.DirSlotPath[3], QString());
    EXPECT_EQ(ui.DirNoCheckBox[3]->text(), QString());
    EXPECT_TRUE(ui.DirNoCheckBox[3]->isChecked());

    ui.SetUpFileDelNoButton[9]->click();
    EXPECT_EQ(rig.pending.FileSlotPath[9], QString());
    EXPECT_EQ(ui.FileNoCheckBox[9]->text(), QString());
    EXPECT_FALSE(ui.FileNoCheckBox[9]->isChecked());

    // Deleting an empty slot is harmless; every other slot is untouched.
    ui.SetUpDirDelNoButton[3]->click();
    for (int slot = 1; slot <= SlotCount; ++slot) {
        EXPECT_EQ(ui.DirNoCheckBox[slot]->text(), QString());
        EXPECT_EQ(ui.FileNoCheckBox[slot]->text(), QString());
    }
}

TEST_F(SetUpSlotsTest, AnAmpersandInAPathIsShownAsItIs)
{
    auto dialog = openInMode(SetUpMode::Directory);
    const QString blues = makeDirectoryWithFiles(media, u"music/R&B"_s, {});
    dialog->controls().SetUpDirectoryListBox->setDirectory(music);
    select(*dialog->controls().SetUpDirectoryListBox, blues);
    dialog->SlotCheckBoxDragDrop(SlotKind::Directory, 1, dialog->controls().SetUpDirectoryListBox);
    EXPECT_EQ(rig.pending.DirSlotPath[1], blues);
    EXPECT_EQ(dialog->controls().DirNoCheckBox[1]->caption(), blues);
    EXPECT_TRUE(dialog->controls().DirNoCheckBox[1]->shortcut().isEmpty());
}

// --- hints ---

// Sends the hint request that pointing at `control` makes.
void pointAt(QWidget &control, const QPoint &globalPos)
{
    QHelpEvent event(QEvent::ToolTip, QPoint(4, 4), globalPos);
    QApplication::sendEvent(&control, &event);
}

TEST_F(SetUpSlotsTest, PointingAtAFilledSlotShowsItsPathInAWhiteHintMovedFivePixels)
{
    auto dialog = openInMode(SetUpMode::Directory);
    dialog->show();
    const QPoint at(200, 200);

    // Where Qt puts an ordinary hint for the same place.
    QPushButton plain(u"plain"_s);
    plain.setToolTip(u"ordinary"_s);
    QToolTip::showText(at, u"ordinary"_s, &plain);
    QWidget *ordinary = hintWindow();
    ASSERT_NE(ordinary, nullptr);
    const QPoint usualPlace = ordinary->pos();
    const QColor usualColour = ordinary->palette().color(QPalette::ToolTipBase);

    select(*dialog->controls().SetUpDirectoryListBox, jazz);
    dialog->SlotCheckBoxDragDrop(SlotKind::Directory, 4, dialog->controls().SetUpDirectoryListBox);
    pointAt(*dialog->controls().DirNoCheckBox[4], at);
    QWidget *hint = hintWindow();
    ASSERT_NE(hint, nullptr);
    EXPECT_EQ(QToolTip::text(), jazz);
    EXPECT_EQ(hint->pos(), usualPlace + QPoint(5, 5));
    EXPECT_EQ(hint->palette().color(QPalette::ToolTipBase), QColor(255, 255, 255));

    // The hint follows a new drop at once.
    select(*dialog->controls().SetUpDirectoryListBox, rock);
    dialog->SlotCheckBoxDragDrop(SlotKind::Directory, 4, dialog->controls().SetUpDirectoryListBox);
    pointAt(*dialog->controls().DirNoCheckBox[4], at);
    EXPECT_EQ(QToolTip::text(), rock);

    // Another control's hint keeps Qt's colours.
    EXPECT_FALSE(dialog->slotHint(&plain).has_value());
    pointAt(plain, at);
    ASSERT_NE(hintWindow(), nullptr);
    EXPECT_EQ(QToolTip::text(), u"ordinary"_s);
    EXPECT_EQ(hintWindow()->palette().color(QPalette::ToolTipBase), usualColour);
}

TEST_F(SetUpSlotsTest, EveryFilledSlotHasItsHintAndAnEmptyOneNone)
{
    auto dialog = openInMode(SetUpMode::None);
    for (int k = 1; k <= 10; ++k) {
        rig.pending.DirSlotPath[k] = u"/dir/%1"_s.arg(k);
        rig.pending.FileSlotPath[k] = k == 7 ? QString() : u"/file %1.mp3"_s.arg(k);
    }
    for (int k = 1; k <= 10; ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(dialog->slotHint(dialog->controls().DirNoCheckBox[k]), u"/dir/%1"_s.arg(k));
        EXPECT_EQ(dialog->slotHint(dialog->controls().FileNoCheckBox[k]), rig.pending.FileSlotPath[k]);
    }
    EXPECT_FALSE(dialog->slotHint(dialog->controls().SetUpDirDelNoButton[1]).has_value());
    EXPECT_FALSE(dialog->slotHint(dialog->controls().SetUpDirectoryListBox).has_value());

    dialog->show();
    pointAt(*dialog->controls().FileNoCheckBox[3], QPoint(100, 100));
    EXPECT_EQ(QToolTip::text(), u"/file 3.mp3"_s);
    pointAt(*dialog->controls().FileNoCheckBox[7], QPoint(100, 100));
    EXPECT_TRUE(QTest::qWaitFor([] { return hintWindow() == nullptr; }, 5000)) << "an empty slot shows no hint";
}

TEST_F(SetUpSlotsTest, APathThatLooksLikeMarkupIsShownAsItIs)
{
    auto dialog = openInMode(SetUpMode::Directory);
    dialog->show();
    rig.pending.DirSlotPath[1] = u"/music/<b>loud</b> &amp; clear"_s;
    pointAt(*dialog->controls().DirNoCheckBox[1], QPoint(100, 100));
    auto *hint = qobject_cast<QLabel *>(hintWindow());
    ASSERT_NE(hint, nullptr);
    QTextDocument shown;
    shown.setHtml(hint->text());
    EXPECT_EQ(shown.toPlainText(), rig.pending.DirSlotPath[1]);
}

TEST_F(SetUpSlotsTest, OnlyTheNewestDialogAnswersHints)
{
    auto older = openInMode(SetUpMode::Directory);
    auto newer = openInMode(SetUpMode::Directory);
    rig.pending.DirSlotPath[1] = u"/shared/path"_s;
    older->show();
    pointAt(*older->controls().DirNoCheckBox[1], QPoint(100, 100));
    EXPECT_EQ(hintWindow(), nullptr);

    newer->show();
    pointAt(*newer->controls().DirNoCheckBox[1], QPoint(100, 100));
    ASSERT_NE(hintWindow(), nullptr);
    EXPECT_EQ(QToolTip::text(), u"/shared/path"_s);

    // With the newest dialog gone, nothing answers for any of them.
    newer.reset();
    ASSERT_TRUE(hintGone());
    pointAt(*older->controls().DirNoCheckBox[1], QPoint(100, 100));
    EXPECT_EQ(hintWindow(), nullptr);
}

} // namespace
