// Listing the playable files of a directory.

#include "base/directory_listing.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <unistd.h>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace brookhum;

namespace {

void touch(const QString &path)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
}

QStringList names(const QStringList &paths)
{
    QStringList result;
    for (const QString &path : paths)
        result.append(path.section(u'/', -1));
    return result;
}

class Listing : public ::testing::Test {
protected:
    QString path(const QString &name) const { return dir.path() + u'/' + name; }
    QTemporaryDir dir;
};

} // namespace

TEST_F(Listing, TakesOnlyOwnRegularFilesWithTheThreeExtensionsInAnyCase)
{
    for (const QString &name : {u"b.mp3"_s, u"A.WAV"_s, u"c.Mid"_s, u"SONG.MP3"_s, u"d.ogg"_s, u"e.mp3.txt"_s,
                                u".hidden.mp3"_s, u"mp3"_s, u".mp3"_s, u"noext"_s})
        touch(path(name));
    QDir().mkpath(path(u"folder.mp3"_s));
    touch(path(u"folder.mp3/inner.mp3"_s));
    ASSERT_EQ(::symlink("b.mp3", path(u"link.mp3"_s).toLocal8Bit().constData()), 0);
    ASSERT_EQ(::symlink("missing.mp3", path(u"dangling.mp3"_s).toLocal8Bit().constData()), 0);

    const auto listing = listPlayableFiles(dir.path(), 20);
    ASSERT_TRUE(listing);
    EXPECT_EQ(names(*listing), (QStringList{u"A.WAV"_s, u"b.mp3"_s, u"c.Mid"_s, u"link.mp3"_s, u"SONG.MP3"_s}));
    EXPECT_EQ(listing->first(), dir.path() + u"/A.WAV"_s);
}

TEST_F(Listing, KeepsTheFirstNamesInSortOrderWhateverTheScanOrder)
{
    QStringList expected;
    for (int i = 99; i >= 0; --i)
        touch(path(u"track %1.wav"_s.arg(i, 3, 10, QLatin1Char('0'))));
    for (int i = 0; i < 20; ++i)
        expected.append(u"track %1.wav"_s.arg(i, 3, 10, QLatin1Char('0')));

    const auto listing = listPlayableFiles(dir.path(), 20);
    ASSERT_TRUE(listing);
    EXPECT_EQ(names(*listing), expected);
    EXPECT_EQ(listPlayableFiles(dir.path(), 20), listing) << "the order is stable";
}

TEST_F(Listing, OrdersByNameFoldingCaseThenByExactName)
{
    for (const QString &name : {u"b.mp3"_s, u"B.mp3"_s, u"a b.mp3"_s, u"ab.mp3"_s, u"日本.mp3"_s, u"Ärger.mp3"_s})
        touch(path(name));
    const auto listing = listPlayableFiles(dir.path(), 20);
    ASSERT_TRUE(listing);
    EXPECT_EQ(names(*listing), (QStringList{u"a b.mp3"_s, u"ab.mp3"_s, u"B.mp3"_s, u"b.mp3"_s, u"Ärger.mp3"_s, u"日本.mp3"_s}));
}

TEST_F(Listing, SpecialCharactersAndTrailingSeparatorGiveUsablePaths)
{
    const QString odd = u"it's \"odd\" #1 %20 ケ"_s;
    QDir().mkpath(path(odd));
    touch(path(odd + u"/x.mid"_s));
    const auto listing = listPlayableFiles(path(odd) + u'/', 20);
    ASSERT_TRUE(listing);
    ASSERT_EQ(listing->size(), 1);
    EXPECT_EQ(listing->first(), path(odd) + u"/x.mid"_s);
    EXPECT_TRUE(QFile::exists(listing->first()));
}

TEST_F(Listing, WhatCannotBeReadCountsAsNotExisting)
{
    touch(path(u"file.mp3"_s));
    EXPECT_FALSE(listPlayableFiles(QString(), 20));
    EXPECT_FALSE(listPlayableFiles(path(u"missing"_s), 20));
    EXPECT_FALSE(listPlayableFiles(path(u"file.mp3"_s), 20));
    EXPECT_EQ(listPlayableFiles(dir.path(), 0), QStringList());

    if (::geteuid() != 0) { // root reads every directory
        QDir().mkpath(path(u"locked"_s));
        QFile::setPermissions(path(u"locked"_s), QFileDevice::Permissions{});
        EXPECT_FALSE(listPlayableFiles(path(u"locked"_s), 20));
        QFile::setPermissions(path(u"locked"_s), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }
}

TEST_F(Listing, AnEmptyDirectoryIsAnEmptyListing)
{
    const auto listing = listPlayableFiles(dir.path(), 20);
    ASSERT_TRUE(listing);
    EXPECT_TRUE(listing->isEmpty());
}
