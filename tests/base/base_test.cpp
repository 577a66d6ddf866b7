// File names as the file system's bytes, and the listing of a directory's
// playable files.

#include "base/directory_listing.h"
#include "base/native_path.h"
#include "support/media_fixtures.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <unistd.h>

using namespace Qt::StringLiterals;
using namespace brookhum;

TEST(NativePath, EveryByteStringComesBackUnchangedAndIsShownReadably)
{
    // How each is shown is checked where it is given.
    const struct { const char *name; QByteArray bytes; QString shown; } rows[] = {
        {"Utf8NameEscaped", "/m/\xe9\x9f\xb3.mid", u"/m/音.mid"_s},
        {"ShiftJisWithAsciiSecondBytesMisshown", "/\xe9\x9f\xb3/\x93\xfa\x96\x7b.wav", u"/音/日本.wav"_s},
        {"StrayBytesMisshown", "/x/a\xff\xfe.wav", u"/x/a\uFFFD\uFFFD.wav"_s},
        {"OverlongUtf8Accepted", "/\xc0\xaf", {}},
        {"EncodedSurrogateAccepted", "/\xed\xa0\x80", {}},
        {"SequenceCutAtTheEndAccepted", "/cut \xe3\x81", {}},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        const QString path = pathFromNative(row.bytes);
        EXPECT_EQ(nativePath(path), row.bytes);
        EXPECT_EQ(hasForeignBytes(path), QString::fromUtf8(row.bytes).toUtf8() != row.bytes);
        EXPECT_TRUE(row.shown.isEmpty() || displayText(path) == row.shown) << displayText(path).toStdString();
    }
}

// The directory's own regular playable files in name order, as many as asked;
// its subdirectories apart; and nothing at all where nothing can be read.
TEST(Listing, TakesTheFirstOwnRegularPlayableFilesInNameOrder)
{
    QTemporaryDir dir;
    const QString root = dir.path();
    for (const QString &name : {u"b.mp3"_s, u"B.mp3"_s, u"A.WAV"_s, u"c.Mid"_s, u"ab.mp3"_s, u"a b.mp3"_s, u"AB.mp3.mp3"_s,
                                u"d.ogg"_s, u"e.mp3.txt"_s, u".hidden.mp3"_s, u".mp3"_s, u"mp3"_s})
        test::writeFile(root + u'/' + name, {});
    QDir().mkpath(root + u"/folder.mp3"_s);
    const QByteArray shiftJis = QFile::encodeName(root) + "/\x93\xfa\x96\x7b.wav";
    for (const auto &[target, link] : {std::pair<const char *, QByteArray>{"b.mp3", QFile::encodeName(root) + "/link.mp3"},
                                       {"gone.mp3", QFile::encodeName(root) + "/dangling.mp3"}, {"b.mp3", shiftJis}})
        ASSERT_EQ(::symlink(target, link.constData()), 0);

    const QStringList expected{u"a b.mp3"_s, u"A.WAV"_s, u"ab.mp3"_s, u"AB.mp3.mp3"_s,
                               u"B.mp3"_s, u"b.mp3"_s, u"c.Mid"_s, u"link.mp3"_s};
    EXPECT_EQ(listPlayableFiles(root, 8).value_or(QStringList()).replaceInStrings(root + u'/', QString()), expected)
        << "case folded, the shorter first, exact bytes break ties";
    const auto all = listPlayableFiles(root + u'/', 20);
    ASSERT_EQ(all.value_or(QStringList()).size(), 9);
    EXPECT_EQ(nativePath(all->last()), shiftJis) << "a name that is not UTF-8 keeps its bytes";
    EXPECT_TRUE(isRegularFile(all->last()));
    EXPECT_EQ(all->first(), root + u"/a b.mp3"_s) << "a trailing separator is not doubled";
    EXPECT_EQ(listSubdirectoryNames(root), QStringList{u"folder.mp3"_s});

    for (const QString &path : {QString(), root + u"/missing"_s, root + u"/b.mp3"_s})
        EXPECT_FALSE(listPlayableFiles(path, 20)) << path.toStdString();
    EXPECT_EQ(listPlayableFiles(root + u"/folder.mp3"_s, 20), QStringList());
    EXPECT_EQ(listPlayableFiles(root, 0), QStringList());
}
