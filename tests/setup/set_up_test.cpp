// The set-up dialog as the user drives it: what it loads, drops, deletions
// and hints on its slots, saving and closing, its small services, and the
// file-system lists it browses.

#include "base/native_path.h"
#include "settings/setting_names.h"
#include "setup/directory_list_box.h"
#include "setup/drive_combo_box.h"
#include "setup/file_list_box.h"
#include "setup/help_file.h"
#include "setup/login_start.h"
#include "setup/pending_slot_paths.h"
#include "setup/set_up_dialog.h"
#include "setup/set_up_hint_handler.h"
#include "setup/slot_check_box.h"
#include "setup/slot_drag_mime.h"
#include "setup/version_dialog.h"
#include "support/event_wait.h"
#include "support/fake_media_player.h"
#include "support/file_watch.h"
#include "support/media_fixtures.h"
#include "support/test_application.h"

#include <QAction>
#include <QCheckBox>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>

using namespace Qt::StringLiterals;

namespace brookhum::test {
namespace {

constexpr SlotKind Dir = SlotKind::Directory, File = SlotKind::File;
QString pathName(SlotKind kind, int slot) { return settings::slotValueNames(kind, slot).path; }
QString flagName(SlotKind kind, int slot) { return settings::slotValueNames(kind, slot).flag; }

// Whether a dialog shows a mode: its radio button, its panel, and its list as the only drag source.
bool shows(const TForm2 &dialog, bool dirs, bool files)
{
    const SetUpControls &ui = dialog.controls();
    return ui.DirSetUpRadioButton->isChecked() == dirs && ui.FileSetUpRadioButton->isChecked() == files && ui.SetUpDirPanel->isHidden() == files
        && ui.SetUpFilePanel->isHidden() == dirs && ui.SetUpFileListBox->isHidden() == dirs && ui.SetUpCloseBitBtn->isHidden() == dirs
        && ui.SetUpDirectoryListBox->isDragSource() == dirs && ui.SetUpFileListBox->isDragSource() == files;
}

// The entries of a list: full paths in the directory list, names as the file system has them in the file list.
QStringList listed(const DragSourceListBox &list)
{
    QStringList entries;
    for (int row = 0; row < list.count(); ++row)
        entries << (qobject_cast<const DirectoryListBox *>(&list) ? static_cast<const DirectoryListBox &>(list).itemPath(row) : static_cast<const FileListBox &>(list).itemName(row));
    return entries;
}

void select(DragSourceListBox &list, const QString &entry)
{
    ASSERT_TRUE(listed(list).contains(entry)) << entry.toStdString();
    list.setCurrentRow(static_cast<int>(listed(list).indexOf(entry)));
}

// Dialogs opened as the program opens them, around pending paths of the
// test's own, a count of the main window's settings loads and fake preview players.
class SetUpTest : public StoreTest {
protected:
    std::unique_ptr<TForm2> open(SetUpMode mode = SetUpMode::None)
    {
        auto dialog = std::make_unique<TForm2>(nullptr, SetUpEnvironment{&pending, &testStore(), &testApp(), &hints, &loginStart, [this] { ++reloads; },
                                                                         [this] { return std::unique_ptr<MediaPlayer>(preview = new FakeMediaPlayer); },
                                                                         [this](TForm3 *version) { versions << version; }});
        if (mode != SetUpMode::None)
            (mode == SetUpMode::Directory ? dialog->controls().DirSetUpRadioButton : dialog->controls().FileSetUpRadioButton)->click();
        return dialog;
    }

    PendingSlotPaths pending;
    int reloads = 0;
    FakeMediaPlayer *preview = nullptr;
    QList<QPointer<TForm3>> versions;
    SetUpHintHandler hints;
    QTemporaryDir media;
    LoginStart loginStart{media.filePath(u"autostart/com.tarnwick.Brookhum.desktop"_s), u"/opt/My \"Player\" 100%/brookhum"_s};
};

TEST_F(SetUpTest, LoadsTheStoreByItsRules)
{
    storeTexts({{settings::PlayFlag(), u"1"_s}, {settings::PlayBarBeginFlag(), u"1"_s}, {settings::IndicationBarBeginFlag(), u"1"_s}, {pathName(Dir, 10), u"/d"_s},
                {flagName(Dir, 10), u"2"_s}, {pathName(File, 10), u"/f"_s}, {flagName(File, 10), u"0"_s}, {settings::ResumeFlag(), u"1"_s}, {settings::NotifyFlag(), u"2"_s}});
    auto dialog = open();
    const SetUpControls &ui = dialog->controls();
    EXPECT_EQ(QList<bool>({ui.FirstPlayCheckBox->isChecked(), ui.PlayBarBeginCheckBox->isChecked(), ui.IndicationBarBeginCheckBox->isChecked(),
                           ui.DirNoCheckBox[10]->isChecked(), ui.FileNoCheckBox[10]->isChecked(), ui.ResumeCheckBox->isChecked(), ui.NotifyCheckBox->isChecked(),
                           ui.LevelCheckBox->isChecked()}), QList<bool>({true, true, true, true, false, true, false, false}))
        << "an option is on at 1, a slot at all but 0";
    EXPECT_EQ(storedText(settings::LevelFlag()), u"0"_s);
    EXPECT_EQ(QStringList({ui.DirNoCheckBox[10]->caption(), pending.DirSlotPath[10], ui.FileNoCheckBox[10]->caption(), pending.FileSlotPath[10]}),
              QStringList({u"/d"_s, u"/d"_s, u"/f"_s, u"/f"_s}));
    EXPECT_TRUE(shows(*dialog, false, false) && storedText(settings::SelectPlayFlag()) == u"1"_s) << "an absent play kind picks none and is stored as 1";
    const struct { const char *name; QString playKind; SetUpMode click; bool dirs, files; } rows[] = {
        {"play kind 1 picks the directories", u"1"_s, SetUpMode::None, true, false}, {"play kind 2 picks the files", u"2"_s, SetUpMode::None, false, true},
        {"the file button leaves the directories", u"1"_s, SetUpMode::File, false, true}, {"the directory button leaves the files", u"2"_s, SetUpMode::Directory, true, false}};
    for (const auto &row : rows) {
        storeTexts({{settings::SelectPlayFlag(), row.playKind}});
        EXPECT_TRUE(shows(*open(row.click), row.dirs, row.files)) << row.name;
    }
}

// Made hidden, as at start-up, a dialog measures no text until it shows.
TEST_F(SetUpTest, ADialogMadeHiddenFitsItsTextsWhenItShows)
{
    auto dialog = open();
    dialog->show();
    const SetUpControls &ui = dialog->controls();
    EXPECT_EQ(ui.GroupBox1->title(), u"再生種類"_s);
    EXPECT_TRUE(ui.SetUpMainMenu->height() > 0 && ui.ClientArea->y() == ui.SetUpMainMenu->height()) << "the menu bar covers the controls";
    for (const QLabel *label : dialog->findChildren<QLabel *>())
        EXPECT_GE(label->width(), label->sizeHint().width()) << label->objectName().toStdString() << " is cut off";
    for (const QAbstractButton *caption : {static_cast<QAbstractButton *>(ui.DirSetUpRadioButton), static_cast<QAbstractButton *>(ui.FileSetUpRadioButton),
                                           static_cast<QAbstractButton *>(ui.FirstPlayCheckBox), static_cast<QAbstractButton *>(ui.IndicationBarBeginCheckBox),
                                           static_cast<QAbstractButton *>(ui.LoginStartCheckBox), static_cast<QAbstractButton *>(ui.ResumeCheckBox),
                                           static_cast<QAbstractButton *>(ui.NotifyCheckBox), static_cast<QAbstractButton *>(ui.LevelCheckBox)}) {
        EXPECT_GE(caption->width(), caption->sizeHint().width()) << caption->objectName().toStdString() << " overruns its button";
        for (const QWidget *other : ui.ClientArea->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
            EXPECT_TRUE(other == caption || other->isHidden() || caption->parentWidget() != ui.ClientArea
                        || !other->geometry().intersects(caption->geometry()))
                << caption->objectName().toStdString() << " lies over " << other->objectName().toStdString();
    }
    EXPECT_TRUE(ui.PlayBarBeginCheckBox->isHidden()) << "the option the dialog keeps hidden shows";
}

TEST_F(SetUpTest, SavingWritesOnlyTheModesSlotsWhileOtherClosesWriteNothing)
{
    // A name from an old disk in Shift-JIS, among characters that trip up quoting.
    const QString odd = pathFromNative("/ it's \"q\" R&B %20 @a\\b \x89\xb9\x8a\x79");
    const auto save = [](TForm2 &d) { d.controls().SetUpButton->click(); };
    // An empty play kind means that nothing may be written.
    const struct { const char *name; SetUpMode mode; std::function<void(TForm2 &)> close; QString playKind; int reloads; } rows[] = {
        {"no mode saves only the options", SetUpMode::None, save, u"3"_s, 1},
        {"directory mode saves only the directory slots", SetUpMode::Directory, save, u"1"_s, 1},
        {"file mode saves only the file slots", SetUpMode::File, save, u"2"_s, 1},
        {"cancel writes nothing but reloads", SetUpMode::File, [](TForm2 &d) { d.controls().CloseButton->click(); }, {}, 1},
        {"the program's end closes it without a reload", SetUpMode::File, [](TForm2 &d) { d.programEnding(), d.close(); }, {}, 0},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        storeTexts({{settings::SelectPlayFlag(), u"3"_s}, {settings::PlayFlag(), u"0"_s}, {settings::ResumeFlag(), u"0"_s}, {settings::NotifyFlag(), u"0"_s},
                    {settings::LevelFlag(), u"0"_s}});
        for (const SlotKind kind : {Dir, File})
            storeTexts({{pathName(kind, 4), u"/stored 4"_s}, {flagName(kind, 4), u"0"_s}, {pathName(kind, 10), u"/stored 10"_s}, {flagName(kind, 10), u"1"_s}});
        reloads = 0;
        const auto dialog = open(row.mode);
        dialog->show();
        for (const SlotKind kind : {Dir, File}) {
            pending.of(kind)[4] = odd;
            dialog->controls().checkBoxes(kind)[4]->setChecked(true);
            dialog->controls().deleteButtons(kind)[10]->click();
            EXPECT_TRUE(dialog->controls().checkBoxes(kind)[10]->caption().isEmpty() && pending.of(kind)[10].isEmpty());
        }
        for (QCheckBox *option : {dialog->controls().FirstPlayCheckBox, dialog->controls().ResumeCheckBox, dialog->controls().NotifyCheckBox, dialog->controls().LevelCheckBox})
            option->click();
        FileWatch watch(storeFilePath());
        row.close(*dialog);
        // A save of many values replaced the file for each, seconds each with a large shared file.
        EXPECT_EQ(QList<int>({dialog->isVisible(), reloads, watch.replacements()}),
                  QList<int>({false, row.reloads, row.playKind.isEmpty() ? 0 : 1}));
        EXPECT_EQ(QStringList({storedText(settings::PlayFlag()), storedText(settings::SelectPlayFlag()), storedText(settings::ResumeFlag()),
                               storedText(settings::NotifyFlag()), storedText(settings::LevelFlag())}),
                  row.playKind.isEmpty() ? QStringList({u"0"_s, u"3"_s, u"0"_s, u"0"_s, u"0"_s}) : QStringList({u"1"_s, row.playKind, u"1"_s, u"1"_s, u"1"_s}));
        const auto shown = open();
        for (const SlotKind kind : {Dir, File}) {
            const bool saved = !row.playKind.isEmpty() && row.mode == (kind == Dir ? SetUpMode::Directory : SetUpMode::File);
            EXPECT_EQ(QStringList({storedText(pathName(kind, 4)), shown->controls().checkBoxes(kind)[4]->caption(), storedText(flagName(kind, 4)),
                                   storedText(pathName(kind, 10)), storedText(flagName(kind, 10))}),
                      saved ? QStringList({odd, odd, u"1"_s, QString(), u"1"_s}) : QStringList({u"/stored 4"_s, u"/stored 4"_s, u"0"_s, u"/stored 10"_s, u"1"_s}))
                << "deleting keeps the tick";
        }
    }
}

TEST_F(SetUpTest, ADropTakesTheItemSelectedWhenItLandsFromTheListOfTheMode)
{
    const QString music = makeDirectoryWithFiles(media, u"music"_s, {u"a.mp3"_s, u"b.wav"_s}), jazz = music + u"/jazz"_s, rock = music + u"/rock"_s;
    QDir().mkpath(jazz), QDir().mkpath(rock);
    QPushButton elsewhere;
    enum Source { Dirs, Files, Elsewhere };
    // An empty selection means none; an empty result means the slot stays as it was.
    const struct { const char *name; SetUpMode mode; SlotKind kind; Source source; QString selected, filled; } rows[] = {
        {"the directory list fills a directory slot", SetUpMode::Directory, Dir, Dirs, rock, rock},
        {"an ancestor above the directory gives its own path", SetUpMode::Directory, Dir, Dirs, u"/"_s, u"/"_s},
        {"the file list joins the directory and the name", SetUpMode::File, File, Files, u"a.mp3"_s, music + u"/a.mp3"_s},
        {"nothing selected changes nothing", SetUpMode::File, File, Files, {}, {}},
        {"with no mode no list may drop", SetUpMode::None, Dir, Dirs, jazz, {}},
        {"the directory list may not drop in file mode", SetUpMode::File, Dir, Dirs, jazz, {}},
        {"the file list may not drop in directory mode", SetUpMode::Directory, File, Files, u"a.mp3"_s, {}},
        {"a drop from elsewhere changes nothing", SetUpMode::Directory, Dir, Elsewhere, jazz, {}},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        pending = {};
        storeTexts({{settings::SelectPlayFlag(), u"3"_s}});
        auto dialog = open(row.mode);
        const SetUpControls &ui = dialog->controls();
        ui.SetUpDirectoryListBox->setDirectory(music);
        ui.checkBoxes(row.kind)[4]->setChecked(true);
        // The drag began on another entry than the one selected when it lands.
        select(*ui.SetUpDirectoryListBox, jazz);
        DragSourceListBox *list = row.source == Files ? static_cast<DragSourceListBox *>(ui.SetUpFileListBox) : ui.SetUpDirectoryListBox;
        row.selected.isEmpty() ? list->clearSelection() : select(*list, row.selected);
        dialog->SlotCheckBoxDragDrop(row.kind, 4, row.source == Elsewhere ? static_cast<QObject *>(&elsewhere) : list);
        EXPECT_EQ(QStringList({pending.of(row.kind)[4], ui.checkBoxes(row.kind)[4]->caption()}), QStringList({row.filled, row.filled}));
        EXPECT_TRUE(ui.checkBoxes(row.kind)[4]->isChecked()) << "a drop leaves the tick alone";
    }
}

TEST_F(SetUpTest, ASlotBoxTakesOnlyDragsFromTheDialogsListsWhenTheDialogAgrees)
{
    QMimeData ours, text, files;
    ours.setData(slotDragMimeType(), "jazz");
    text.setText(u"/music/jazz"_s);
    files.setUrls({QUrl::fromLocalFile(u"/music/jazz"_s)});
    const struct { const char *name; QMimeData *mime; bool dialogAgrees, lands; } rows[] = {
        {"a drag of a list lands when the dialog agrees", &ours, true, true}, {"a drag of a list is refused when the dialog does not", &ours, false, false},
        {"text from another program never lands", &text, true, false}, {"files from a file manager never land", &files, true, false}};
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        SlotCheckBox box(nullptr);
        int asked = 0, dropped = 0;
        box.setDragHandlers([&](QObject *) { return ++asked, row.dialogAgrees; }, [&](QObject *) { ++dropped; });
        QDragEnterEvent enter({5, 5}, Qt::CopyAction, row.mime, Qt::LeftButton, {});
        QDragMoveEvent move({6, 6}, Qt::CopyAction, row.mime, Qt::LeftButton, {});
        QDropEvent release({6, 6}, Qt::CopyAction, row.mime, Qt::LeftButton, {});
        for (QDropEvent *event : {static_cast<QDropEvent *>(&enter), static_cast<QDropEvent *>(&move), &release})
            EXPECT_EQ(QApplication::sendEvent(&box, event) && event->isAccepted(), row.lands);
        EXPECT_EQ(dropped, row.lands ? 1 : 0);
        EXPECT_TRUE(asked > 0 || row.mime != &ours) << "a foreign drag never reaches the dialog";
    }
}

TEST_F(SetUpTest, HintsShowThePendingPathsOfTheDialogsSlots)
{
    const auto hint = [] {
        for (QWidget *window : QApplication::topLevelWidgets())
            if (window->objectName() == u"qtooltip_label"_s && window->isVisible())
                return qobject_cast<QLabel *>(window);
        return static_cast<QLabel *>(nullptr);
    };
    const auto pointAt = [](QWidget *control) { QHelpEvent event(QEvent::ToolTip, {4, 4}, {200, 200}); QApplication::sendEvent(control, &event); };
    auto dialog = open();
    QPushButton plain(u"plain"_s);
    plain.setToolTip(u"ordinary"_s);
    dialog->show(), plain.show();
    // Qt hides a hint when a window is activated, so the activations of the showing come first.
    ASSERT_TRUE(waitUntil([&] { return QApplication::activeWindow() == &plain; }));
    pointAt(&plain);
    ASSERT_TRUE(hint());
    pending.DirSlotPath[1] = u"/music/jazz"_s;
    pending.FileSlotPath[10] = u"/music/<b>loud</b> &amp; clear.mp3"_s;
    // An empty text means no hint at all.
    const struct { const char *name; QWidget *control; QString shown; } rows[] = {
        {"a slot shows its pending path", dialog->controls().DirNoCheckBox[1], pending.DirSlotPath[1]},
        {"another control keeps its own hint", &plain, u"ordinary"_s},
        {"a path that looks like markup is shown as it is", dialog->controls().FileNoCheckBox[10], pending.FileSlotPath[10]},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        pointAt(&plain), pointAt(row.control);
        ASSERT_TRUE(hint());
        QTextDocument shown;
        shown.setHtml(hint()->text());
        EXPECT_EQ(shown.toPlainText(), row.shown);
    }
}

TEST_F(SetUpTest, APreviewLocksTheFileListUntilThePlayerSaysItHasEnded)
{
    const QString songs = makeDirectoryWithFiles(media, u"試聴 \"x\""_s, {u"a.mp3"_s, u"b.mp3"_s}), openA = u"Open "_s + songs + u"/a.mp3"_s;
    auto dialog = open(SetUpMode::File);
    dialog->controls().SetUpDirectoryListBox->setDirectory(songs);
    dialog->show();
    FileListBox &files = *dialog->controls().SetUpFileListBox;
    const auto doubleClick = [&](const QString &name) { select(files, name), QTest::mouseDClick(files.viewport(), Qt::LeftButton, {}, files.visualItemRect(files.currentItem()).center()); };
    // The look is: the list enabled, the list in 3-D, the stop button enabled.
    const struct { const char *name; std::function<void()> act; QStringList calls; QList<bool> look; } steps[] = {
        {"a fresh dialog is idle", [] {}, {}, {true, true, false}},
        {"a double click plays the file and locks the list", [&] { doubleClick(u"a.mp3"_s); }, {openA, u"Play"_s}, {false, false, true}},
        {"the file's end gives the list back", [&] { preview->endTrack(); }, {}, {true, true, false}},
        {"another double click plays it again", [&] { doubleClick(u"a.mp3"_s); }, {openA, u"Play"_s}, {false, false, true}},
        {"stop ends the play but keeps the list locked", [&] { dialog->controls().SetUpCloseBitBtn->click(); }, {u"Stop"_s, u"Close"_s}, {false, false, false}},
        {"the player's notification gives the list back", [&] { preview->deliverNotifications(); }, {}, {true, true, false}},
        {"a file that cannot be opened is reported", [&] { preview->failingFiles << songs + u"/b.mp3"_s, doubleClick(u"b.mp3"_s); },
         {u"Open "_s + songs + u"/b.mp3"_s}, {true, true, false}},
        {"closing the dialog ends its preview", [&] { doubleClick(u"a.mp3"_s), dialog->close(); }, {openA, u"Play"_s, u"Stop"_s, u"Close"_s},
         {false, false, false}},
    };
    for (const auto &step : steps) {
        SCOPED_TRACE(step.name);
        preview->calls.clear();
        step.act();
        EXPECT_EQ(preview->calls, step.calls);
        EXPECT_EQ(QList<bool>({files.isEnabled(), files.ctl3D(), dialog->controls().SetUpCloseBitBtn->isEnabled()}), step.look);
    }
    EXPECT_EQ(testApp().shownErrors.size(), 1);
}

TEST_F(SetUpTest, PositionResetHelpAndVersion)
{
    storeTexts({{settings::IndicationXPointPlayFlag(), u"700"_s}, {settings::DirSelectYPointPlayFlag(), u"-1"_s}});
    auto dialog = open();
    dialog->show();
    dialog->controls().PointReButton->click();
    for (const QString &name : {settings::IndicationXPointPlayFlag(), settings::IndicationYPointPlayFlag(), settings::DirSelectXPointPlayFlag(),
                                settings::DirSelectYPointPlayFlag()})
        EXPECT_EQ(storedText(name), u"50"_s) << name.toStdString();
    EXPECT_EQ(reloads, 0);

    // A browser stands in for the desktop's handler of local files. From
    // build/bin the build tree's page is found as an installed program finds its own.
    QTextBrowser desktop;
    QDesktopServices::setUrlHandler(u"file"_s, &desktop, "setSource");
    dialog->controls().Help1->trigger();
    QDesktopServices::unsetUrlHandler(u"file"_s);
    const QString page = QDir::cleanPath(QCoreApplication::applicationDirPath() + u"/../share/brookhum/help/index.html"_s);
    EXPECT_EQ(desktop.source(), QUrl::fromLocalFile(page));
    // The offscreen platform, like a desktop without xdg-open, opens nothing:
    // the user is told where the page is.
    dialog->controls().Help1->trigger();
    EXPECT_TRUE(testApp().shownErrors.size() == 1 && testApp().shownErrors[0].contains(page)) << testApp().shownErrors.join(u'\n').toStdString();

    dialog->controls().Ver->trigger(), dialog->controls().Ver->trigger();
    ASSERT_TRUE(versions.size() == 2 && versions[0] && versions[1] && versions[0] != versions[1] && versions[0]->isVisible() && versions[1]->isVisible());
    EXPECT_GE(versions[1]->Label2->width(), versions[1]->Label2->sizeHint().width()) << "the version is cut off";
    versions[1]->Button1->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(versions[0] && versions[0]->isVisible() && !versions[1]) << "OK closes and frees its own window only";
    versions[0]->close();
}

// Where "Help" looks, in program layouts made for the test.
TEST(HelpFile, AHelpFileBesideTheProgramElseTheInstalledPageElseAMessageNamingWhereItBelongs)
{
    const QString chm = u"bin/Brookhum.chm"_s, page = u"share/brookhum/help/index.html"_s;
    const struct { const char *name; QStringList present; QString opened; } rows[] = {
        {"TheInstalledPageWinsOverAHelpFileBesideTheProgram", {chm, page}, chm},
        {"TheInstalledPageIsMissedFromTheBinDirectory", {page}, page},
        {"NoHelpGoesUnreportedOrTheMessageNamesNoPlace", {}, {}}};
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        const QTemporaryDir prefix;
        ASSERT_TRUE(QDir().mkpath(prefix.filePath(u"bin"_s)));
        for (const QString &file : row.present) {
            QFile help(prefix.filePath(file));
            ASSERT_TRUE(QDir().mkpath(QFileInfo(help).path()) && help.open(QIODevice::WriteOnly));
        }
        try {
            EXPECT_EQ(helpFile(prefix.filePath(u"bin"_s)), prefix.filePath(row.opened));
            EXPECT_FALSE(row.opened.isEmpty());
        } catch (const std::runtime_error &e) {
            EXPECT_TRUE(row.opened.isEmpty() && QString::fromUtf8(e.what()).contains(prefix.filePath(page))) << e.what();
        }
    }
}

// The entry's Exec key quotes the path and escapes it twice, as desktop
// entries want; the tick shows whether the entry is there.
TEST_F(SetUpTest, TheLoginTickWritesOrRemovesTheUsersOwnAutostartEntry)
{
    for (const bool on : {true, false}) {
        auto dialog = open();
        EXPECT_NE(dialog->controls().LoginStartCheckBox->isChecked(), on);
        dialog->controls().LoginStartCheckBox->click();
        dialog->controls().SetUpButton->click();
        QFile entry(loginStart.entryPath());
        EXPECT_EQ(entry.open(QIODevice::ReadOnly), on);
        EXPECT_EQ(entry.readAll().contains(R"(Exec="/opt/My \\"Player\\" 100%%/brookhum")"), on);
    }
    QDir().mkpath(loginStart.entryPath());
    EXPECT_THROW(loginStart.set(true), std::runtime_error) << "a directory in the entry's place";
}

TEST_F(SetUpTest, FileSystemListsFollowTheDirectoryAndOfferOnlyWhatTheyShould)
{
    const QString music = makeDirectoryWithFiles(media, u"Music"_s, {u"b.mp3"_s, u"A.MID"_s, u"c.Wav"_s, u"d.mP3"_s, u"notes.txt"_s, u".hidden.mp3"_s, u"x.mp3.bak"_s});
    QDir().mkpath(music + u"/zeta"_s), QDir().mkpath(music + u"/Alpha"_s);
    // The directory list starts with the current directory's ancestors from the root down.
    QStringList chain{u"/"_s};
    for (qsizetype at = music.indexOf(u'/', 1); at > 0; at = music.indexOf(u'/', at + 1))
        chain << music.left(at);
    DirectoryListBox dirs(nullptr);
    FileListBox files(nullptr);
    dirs.setFileList(&files);
    DriveComboBox drives(nullptr, {{u"/"_s, u"/"_s}, {media.path(), u"media"_s}});
    drives.setDirList(&dirs);
    dirs.setDirectory(music + u"/Alpha"_s);
    dirs.setDirectory(music + u'/');
    EXPECT_EQ(listed(dirs), chain + QStringList({music, music + u"/Alpha"_s, music + u"/zeta"_s}));
    EXPECT_EQ(dirs.selectedIndex(), chain.size()) << "the current directory is selected";
    EXPECT_EQ(listed(files), QStringList({u"A.MID"_s, u"b.mp3"_s, u"c.Wav"_s, u"d.mP3"_s}));
    files.setCurrentRow(0);
    EXPECT_EQ(files.selectedFilePath(), music + u"/A.MID"_s);
    EXPECT_EQ(drives.currentIndex(), 1);
    dirs.setDirectory(music + u"/gone"_s);
    EXPECT_EQ(listed(dirs), chain + QStringList({music, music + u"/gone"_s})) << "a directory that cannot be read lists nothing";
    EXPECT_EQ(files.count(), 0);
    Q_EMIT drives.activated(0);
    EXPECT_EQ(QStringList({dirs.directory(), files.directory(), QString::number(drives.currentIndex())}), QStringList({u"/"_s, u"/"_s, u"0"_s}));

    const QList<BrowsableVolume> volumes{{u"/"_s, {}}, {u"/media/usb"_s, {}}, {u"/media/usb2"_s, {}}};
    const std::pair<QString, int> rows[] = {{u"/"_s, 0}, {u"/media"_s, 0}, {u"/media/usb"_s, 1}, {u"/media/usb/a"_s, 1},
                                            {u"/media/usb2/b"_s, 2}, {u"/media/usb23"_s, 0}, {u"relative"_s, -1}};
    for (const auto &[directory, volume] : rows)
        EXPECT_EQ(volumeIndexOf(volumes, directory), volume) << directory.toStdString();
    const QList<BrowsableVolume> offered = browsableVolumes(QDir::homePath());
    EXPECT_TRUE(!offered.isEmpty() && offered[0].rootPath == u"/"_s && volumeIndexOf(offered.mid(1), u"/"_s) < 0) << "the root comes first and once";
}

} // namespace
} // namespace brookhum::test
