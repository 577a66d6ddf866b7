// The set-up dialog's small services: the preview of a listed file (with the
// real GStreamer player on a fake sink, and with the fake player), the
// position reset, help and the version dialog.

#include "gst/gst_media_player.h"
#include "settings/setting_names.h"
#include "setup/directory_list_box.h"
#include "setup/file_list_box.h"
#include "set_up_rig.h"
#include "support/engine_rig.h"
#include "support/fake_media_player.h"
#include "support/media_fixtures.h"
#include "support/scoped_env.h"
#include "support/test_application.h"
#include "support/store_test.h"

#include <QAction>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace brookhum;
using namespace brookhum::test;

namespace {

constexpr int NotifyWaitMs = 10000;

// Where a preview stands, as the user sees it.
struct PreviewLook {
    bool listEnabled;
    bool list3D;
    bool stopEnabled;
    friend bool operator==(const PreviewLook &, const PreviewLook &) = default;
};

constexpr PreviewLook Idle{true, true, false};
constexpr PreviewLook Playing{false, false, true};
constexpr PreviewLook Stopping{false, false, false};

std::ostream &operator<<(std::ostream &out, const PreviewLook &look)
{
    return out << "{list enabled " << look.listEnabled << ", 3-D " << look.list3D << ", stop enabled "
               << look.stopEnabled << "}";
}

class SetUpServicesTest : public StoreTest {
protected:
    void SetUp() override
    {
        StoreTest::SetUp();
        songs = media.path() + u"/試聴 \"preview\""_s;
        QDir().mkpath(songs);
    }

    // A dialog in file mode listing `songs`, with `file` selected.
    std::unique_ptr<TForm2> openOn(const QString &file)
    {
        storeTexts({{settings::SelectPlayFlag(), u"2"_s}});
        auto dialog = rig.open();
        dialog->controls().SetUpDirectoryListBox->setDirectory(songs);
        FileListBox &files = *dialog->controls().SetUpFileListBox;
        for (int row = 0; row < files.count(); ++row) {
            if (files.item(row)->text() == file)
                files.setCurrentRow(row);
        }
        dialog->show();
        return dialog;
    }

    static PreviewLook look(const TForm2 &dialog)
    {
        const SetUpControls &ui = dialog.controls();
        return {ui.SetUpFileListBox->isEnabled(), ui.SetUpFileListBox->ctl3D(), ui.SetUpCloseBitBtn->isEnabled()};
    }

    // Double-clicks the selected file as the user does.
    static void doubleClickSelected(TForm2 &dialog)
    {
        FileListBox &files = *dialog.controls().SetUpFileListBox;
        const QRect row = files.visualItemRect(files.item(files.selectedIndex()));
        QTest::mouseDClick(files.viewport(), Qt::LeftButton, {}, row.center());
    }

    QTemporaryDir media;
    QString songs;
    SetUpRig rig;
};

// --- preview with the real player ---

TEST_F(SetUpServicesTest, APreviewPlaysToItsEndAndGivesTheListBack)
{
    writeToneWav(songs + u"/短い tone.wav"_s, 300);
    rig.realPreviewPlayer = true;
    auto dialog = openOn(u"短い tone.wav"_s);
    QSignalSpy notified(&dialog->SetUpMediaPlayer(), &MediaPlayer::Notify);
    ASSERT_EQ(look(*dialog), Idle);

    doubleClickSelected(*dialog);
    EXPECT_EQ(look(*dialog), Playing);
    EXPECT_EQ(dialog->SetUpMediaPlayer().FileName(), songs + u"/短い tone.wav"_s);

    ASSERT_TRUE(notified.wait(NotifyWaitMs));
    EXPECT_EQ(look(*dialog), Idle);
    EXPECT_TRUE(testApp().shownErrors.isEmpty());

    // A second preview of the same file works the same way.
    doubleClickSelected(*dialog);
    EXPECT_EQ(look(*dialog), Playing);
    ASSERT_TRUE(QTest::qWaitFor([&] { return notified.count() == 2; }, NotifyWaitMs));
    EXPECT_EQ(look(*dialog), Idle);
}

TEST_F(SetUpServicesTest, TheStopButtonEndsAPreviewButOnlyTheNotificationGivesTheListBack)
{
    // Paced in real time, so that the long tone is still playing when stopped.
    ScopedAudioSink realTime("fakesink sync=true");
    writeToneWav(songs + u"/long.wav"_s, 20000);
    rig.realPreviewPlayer = true;
    auto dialog = openOn(u"long.wav"_s);
    QSignalSpy notified(&dialog->SetUpMediaPlayer(), &MediaPlayer::Notify);

    doubleClickSelected(*dialog);
    ASSERT_EQ(look(*dialog), Playing);
    dialog->controls().SetUpCloseBitBtn->click();
    EXPECT_EQ(look(*dialog), Stopping);

    ASSERT_TRUE(notified.wait(NotifyWaitMs));
    EXPECT_EQ(notified.count(), 1);
    EXPECT_EQ(look(*dialog), Idle);
    EXPECT_TRUE(testApp().shownErrors.isEmpty());
}

TEST_F(SetUpServicesTest, AFileThatCannotBeOpenedIsReportedAndNothingChanges)
{
    writeRandomBytes(songs + u"/broken.mp3"_s, 4096);
    rig.realPreviewPlayer = true;
    auto dialog = openOn(u"broken.mp3"_s);
    doubleClickSelected(*dialog);
    EXPECT_EQ(testApp().shownErrors.size(), 1);
    EXPECT_EQ(look(*dialog), Idle);
}

// --- preview with the fake player ---

TEST_F(SetUpServicesTest, APreviewPlaysOnWhenTheDialogClosesOrTheModeChanges)
{
    QFile(songs + u"/a.mp3"_s).open(QIODevice::WriteOnly);
    auto dialog = openOn(u"a.mp3"_s);
    FakeMediaPlayer &player = *rig.previewPlayer;
    dialog->SetUpFileListBoxDblClick();
    ASSERT_TRUE(player.isPlaying());

    dialog->controls().DirSetUpRadioButton->click();
    EXPECT_TRUE(dialog->controls().SetUpFileListBox->isHidden());
    EXPECT_TRUE(dialog->controls().SetUpCloseBitBtn->isHidden());
    dialog->close();
    EXPECT_TRUE(player.isPlaying());
    EXPECT_EQ(player.calls, (QStringList{u"Open "_s + songs + u"/a.mp3"_s, u"Play"_s}));

    // Its end gives back the list, hidden as it is.
    EXPECT_EQ(player.endTrack(), 1);
    EXPECT_EQ(look(*dialog), Idle);
    EXPECT_TRUE(dialog->controls().SetUpFileListBox->isHidden());
}

TEST_F(SetUpServicesTest, ADoubleClickWithNothingSelectedReportsTheFailedOpen)
{
    QFile(songs + u"/a.mp3"_s).open(QIODevice::WriteOnly);
    auto dialog = openOn(QString());
    FileListBox &files = *dialog->controls().SetUpFileListBox;
    QTest::mouseDClick(files.viewport(), Qt::LeftButton, {}, QPoint(5, files.viewport()->height() - 3));
    ASSERT_EQ(files.selectedIndex(), -1);
    EXPECT_EQ(rig.previewPlayer->calls, QStringList{u"Open "_s});
    EXPECT_EQ(testApp().shownErrors.size(), 1);
    EXPECT_EQ(look(*dialog), Idle);
}

TEST_F(SetUpServicesTest, EachDialogHasAPreviewPlayerOfItsOwn)
{
    QFile(songs + u"/a.mp3"_s).open(QIODevice::WriteOnly);
    auto first = openOn(u"a.mp3"_s);
    FakeMediaPlayer *firstPlayer = rig.previewPlayer;
    first->SetUpFileListBoxDblClick();
    auto second = openOn(u"a.mp3"_s);
    ASSERT_NE(rig.previewPlayer, firstPlayer);
    EXPECT_EQ(rig.previewPlayer->calls, QStringList());
    EXPECT_EQ(look(*second), Idle);
    EXPECT_TRUE(firstPlayer->isPlaying());
}

// --- position reset ---

TEST_F(SetUpServicesTest, PositionResetStoresFiftyForBothBars)
{
    storeTexts({{settings::IndicationXPointPlayFlag(), u"700"_s}, {settings::DirSelectYPointPlayFlag(), u"-1"_s}});
    auto dialog = rig.open();
    dialog->controls().PointReButton->click();
    for (const QString &name : {settings::IndicationXPointPlayFlag(), settings::IndicationYPointPlayFlag(),
                                settings::DirSelectXPointPlayFlag(), settings::DirSelectYPointPlayFlag()})
        EXPECT_EQ(storedText(name), u"50"_s) << name.toStdString();
    EXPECT_EQ(rig.reloads, 0);
    EXPECT_TRUE(testApp().shownErrors.isEmpty());
}

// --- help ---

class UrlRecorder : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public Q_SLOTS:
    void open(const QUrl &url) { opened << url; }
};

TEST_F(SetUpServicesTest, HelpOpensTheHelpFileBesideTheProgramAndSaysNothingOfItsOwn)
{
    UrlRecorder desktop;
    QDesktopServices::setUrlHandler(u"file"_s, &desktop, "open");
    auto dialog = rig.open();
    dialog->controls().Help1->trigger();
    QDesktopServices::unsetUrlHandler(u"file"_s);

    ASSERT_EQ(desktop.opened.size(), 1);
    EXPECT_EQ(desktop.opened.first().toLocalFile(), QCoreApplication::applicationDirPath() + u"/Brookhum.chm"_s);
    EXPECT_FALSE(QFile::exists(desktop.opened.first().toLocalFile()));
    EXPECT_TRUE(testApp().shownErrors.isEmpty());
}

// --- version ---

TEST_F(SetUpServicesTest, EveryVersionRequestShowsANewVersionWindow)
{
    auto dialog = rig.open();
    dialog->show();
    dialog->controls().Ver->trigger();
    dialog->controls().Ver->trigger();
    ASSERT_EQ(rig.versionDialogs.size(), 2);
    TForm3 *first = rig.versionDialogs[0];
    TForm3 *second = rig.versionDialogs[1];
    ASSERT_TRUE(first && second);
    EXPECT_NE(first, second);
    for (TForm3 *version : {first, second}) {
        EXPECT_TRUE(version->isVisible());
        EXPECT_EQ(version->parentWidget(), dialog.get());
        EXPECT_TRUE(version->isWindow());
        EXPECT_EQ(version->windowTitle(), u"Ver.1.0.7"_s);
        EXPECT_EQ(version->Label2->text(), u"Brookhum1.0.7"_s);
        EXPECT_EQ(version->Button1->text(), u"OK"_s);
        EXPECT_EQ(version->Button1->geometry(), QRect(176, 24, 51, 25));
        EXPECT_EQ(version->Image1->geometry(), QRect(8, 24, 150, 30));
        EXPECT_FALSE(version->Label1->text().isEmpty());
        EXPECT_EQ(version->Label1->pos(), QPoint(8, 64));
        EXPECT_EQ(version->Label2->pos(), QPoint(8, 2));
        EXPECT_TRUE(version->Label1->font().bold());
        EXPECT_TRUE(version->Label2->font().bold());
        EXPECT_EQ(version->size(), QSize(278, 117));
    }

    // "OK" hides only its own window, which lives on.
    second->Button1->click();
    EXPECT_FALSE(second->isVisible());
    EXPECT_TRUE(first->isVisible());
    EXPECT_TRUE(rig.versionDialogs[1]);
}

} // namespace

#include "set_up_services_test.moc"
