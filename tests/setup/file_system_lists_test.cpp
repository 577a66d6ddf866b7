// The set-up dialog's volume list, directory list and file list, and how they
// follow each other.

#include "setup/browsable_volumes.h"
#include "setup/directory_list_box.h"
#include "setup/drive_combo_box.h"
#include "setup/file_list_box.h"
#include "support/engine_rig.h"
#include "support/test_application.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace brookhum;
using namespace brookhum::test;

namespace {

QStringList texts(const QListWidget &list)
{
    QStringList result;
    for (int row = 0; row < list.count(); ++row)
        result << list.item(row)->text();
    return result;
}

QStringList paths(const DirectoryListBox &list)
{
    QStringList result;
    for (int row = 0; row < list.count(); ++row)
        result << list.itemPath(row);
    return result;
}

// The ancestors of `directory` from the root, the directory itself included.
QStringList chainTo(const QString &directory)
{
    QStringList chain{u"/"_s};
    QString path;
    for (const QString &part : directory.split(u'/', Qt::SkipEmptyParts))
        chain << (path += u'/' + part);
    return chain;
}

class FileSystemListsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        testApp().shownErrors.clear();
        root = QDir::cleanPath(media.path());
        makeDirectoryWithFiles(media, u"Music"_s,
                               {u"b.mp3"_s, u"A.MID"_s, u"c.Wav"_s, u"d.mP3"_s, u"notes.txt"_s, u"mp3"_s,
                                u".hidden.mp3"_s, u"x.mp3.bak"_s, u"日本 \"曲\".mp3"_s});
        for (const QString &sub : {u"zeta"_s, u"Alpha"_s, u"beta"_s, u".cache"_s, u"folder.mp3"_s})
            makeDirectoryWithFiles(media, u"Music/"_s + sub, {});
        music = root + u"/Music"_s;
    }

    QTemporaryDir media;
    QString root;
    QString music;
};

TEST_F(FileSystemListsTest, DirectoryListShowsTheChainToTheCurrentDirectoryThenItsSubdirectories)
{
    DirectoryListBox dirs(nullptr);
    dirs.setDirectory(music + u"/"_s); // a trailing separator is cleaned away
    EXPECT_EQ(dirs.directory(), music);

    QStringList expected = chainTo(music);
    const int current = static_cast<int>(expected.size()) - 1;
    for (const QString &sub : {u"Alpha"_s, u"beta"_s, u"folder.mp3"_s, u"zeta"_s})
        expected << music + u'/' + sub;
    EXPECT_EQ(paths(dirs), expected);
    EXPECT_EQ(dirs.item(0)->text(), u"/"_s);
    EXPECT_EQ(dirs.item(current)->text(), u"Music"_s);
    EXPECT_EQ(dirs.item(current + 1)->text(), u"Alpha"_s);
    EXPECT_EQ(dirs.selectedIndex(), current) << "the current directory is the selected one";
    EXPECT_EQ(dirs.itemPath(dirs.count()), QString());
}

TEST_F(FileSystemListsTest, ActivatingAnEntryOpensItAndTheFileListFollows)
{
    DirectoryListBox dirs(nullptr);
    FileListBox files(nullptr);
    dirs.setFileList(&files);
    dirs.setDirectory(root);
    EXPECT_EQ(files.directory(), root);
    EXPECT_EQ(files.count(), 0);

    const int musicRow = static_cast<int>(paths(dirs).indexOf(music));
    ASSERT_GE(musicRow, 0);
    Q_EMIT dirs.itemActivated(dirs.item(musicRow));
    EXPECT_EQ(dirs.directory(), music);
    EXPECT_EQ(files.directory(), music);
    EXPECT_EQ(texts(files).size(), 5);

    // Up again through an ancestor.
    Q_EMIT dirs.itemActivated(dirs.item(0));
    EXPECT_EQ(dirs.directory(), u"/"_s);
    EXPECT_EQ(dirs.count() - 1, static_cast<int>(QDir(u"/"_s).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size()));
    EXPECT_EQ(files.directory(), u"/"_s);
}

TEST_F(FileSystemListsTest, FileListShowsPlayableFilesInAnyLetterCaseSortedByName)
{
    FileListBox files(nullptr);
    files.setDirectory(music);
    EXPECT_EQ(texts(files), (QStringList{u"A.MID"_s, u"b.mp3"_s, u"c.Wav"_s, u"d.mP3"_s, u"日本 \"曲\".mp3"_s}));
    EXPECT_EQ(files.selectedFilePath(), QString());
    files.setCurrentRow(4);
    EXPECT_EQ(files.selectedFilePath(), music + u"/日本 \"曲\".mp3"_s);
}

TEST_F(FileSystemListsTest, ADirectoryThatCannotBeReadShowsEmptyWithoutAnError)
{
    DirectoryListBox dirs(nullptr);
    FileListBox files(nullptr);
    dirs.setFileList(&files);
    const QString gone = music + u"/vanished/deeper"_s;
    dirs.setDirectory(gone);
    EXPECT_EQ(paths(dirs), chainTo(gone));
    EXPECT_EQ(files.count(), 0);

    // A directory removed while it is listed lists nothing when looked at again.
    dirs.setDirectory(music + u"/zeta"_s);
    ASSERT_TRUE(QDir(music + u"/zeta"_s).removeRecursively());
    dirs.setDirectory(dirs.directory());
    EXPECT_EQ(paths(dirs), chainTo(music + u"/zeta"_s));
    EXPECT_TRUE(testApp().shownErrors.isEmpty());
}

TEST_F(FileSystemListsTest, ListsStartDragsOnlyWhenSwitchedToAndSelectionCounts)
{
    FileListBox files(nullptr);
    files.setDirectory(music);
    EXPECT_FALSE(files.isDragSource());
    EXPECT_EQ(files.selectedIndex(), -1);
    files.setDragSource(true);
    EXPECT_TRUE(files.isDragSource());
    EXPECT_TRUE(files.dragEnabled());
    files.setCurrentRow(2);
    EXPECT_EQ(files.selectedIndex(), 2);
    files.clearSelection();
    EXPECT_EQ(files.selectedIndex(), -1);
    files.setDragSource(false);
    EXPECT_FALSE(files.dragEnabled());
}

TEST_F(FileSystemListsTest, FileListLooksFlatOrThreeDimensional)
{
    FileListBox files(nullptr);
    EXPECT_TRUE(files.ctl3D());
    EXPECT_EQ(files.frameShadow(), QFrame::Sunken);
    files.setCtl3D(false);
    EXPECT_FALSE(files.ctl3D());
    EXPECT_EQ(files.frameShape(), QFrame::Box);
    EXPECT_EQ(files.frameShadow(), QFrame::Plain);
    files.setCtl3D(true);
    EXPECT_TRUE(files.ctl3D());
}

TEST_F(FileSystemListsTest, DoubleClickAnywhereOnTheFileListIsReported)
{
    FileListBox files(nullptr);
    files.setDirectory(music);
    files.resize(137, 105);
    files.show();
    QSignalSpy clicks(&files, &FileListBox::dblClick);
    const QRect first = files.visualItemRect(files.item(0));
    QTest::mouseDClick(files.viewport(), Qt::LeftButton, {}, first.center());
    QTest::mouseDClick(files.viewport(), Qt::LeftButton, {}, QPoint(5, files.viewport()->height() - 3));
    EXPECT_EQ(clicks.count(), 2);
}

TEST_F(FileSystemListsTest, VolumeOfADirectoryIsTheLongestRootAtAPathBoundary)
{
    const QList<BrowsableVolume> volumes{
        {u"/"_s, u"/"_s}, {u"/media/usb"_s, u"/media/usb"_s}, {u"/media/usb2"_s, u"/media/usb2 [STICK]"_s}};
    struct Row {
        QString directory;
        int volume;
    };
    const Row rows[] = {
        {u"/"_s, 0},          {u"/home/me"_s, 0},           {u"/media"_s, 0},     {u"/media/usb"_s, 1},
        {u"/media/usb/a"_s, 1}, {u"/media/usb2"_s, 2},        {u"/media/usb2/b"_s, 2}, {u"/media/usb23"_s, 0},
        {u"relative"_s, -1},
    };
    for (const Row &row : rows)
        EXPECT_EQ(volumeIndexOf(volumes, row.directory), row.volume) << row.directory.toStdString();
}

TEST_F(FileSystemListsTest, VolumeListOffersTheRootAndNoKernelFileSystems)
{
    const QList<BrowsableVolume> volumes = browsableVolumes(QDir::homePath());
    ASSERT_FALSE(volumes.isEmpty());
    EXPECT_EQ(volumes.first().rootPath, u"/"_s);
    QStringList roots;
    for (const BrowsableVolume &volume : volumes) {
        EXPECT_FALSE(roots.contains(volume.rootPath)) << volume.rootPath.toStdString();
        roots << volume.rootPath;
        for (const QString &kernel : {u"/proc"_s, u"/sys"_s, u"/dev"_s, u"/run/user"_s, u"/tmp"_s})
            EXPECT_FALSE(volume.rootPath == kernel || volume.rootPath.startsWith(kernel + u'/'))
                << volume.rootPath.toStdString();
    }
    EXPECT_GE(volumeIndexOf(volumes, QDir::homePath()), 0);
}

TEST_F(FileSystemListsTest, VolumeListAndDirectoryListFollowEachOther)
{
    DirectoryListBox dirs(nullptr);
    dirs.setDirectory(music);
    const QList<BrowsableVolume> volumes{{u"/"_s, u"/"_s}, {root, u"media"_s}};
    DriveComboBox drives(nullptr, volumes);
    drives.setDirList(&dirs);
    EXPECT_EQ(drives.currentIndex(), 1);
    EXPECT_EQ(drives.itemText(1), u"media"_s);

    Q_EMIT drives.activated(0);
    EXPECT_EQ(dirs.directory(), u"/"_s);
    EXPECT_EQ(drives.currentIndex(), 0);

    dirs.setDirectory(music + u"/beta"_s);
    EXPECT_EQ(drives.currentIndex(), 1);
    Q_EMIT drives.activated(1);
    EXPECT_EQ(dirs.directory(), root);
}

} // namespace
