// The settings store: value names, the accessor's reads and writes, and the
// read-or-initialise rules for absent values.

#include "settings/read_or_init.h"
#include "settings/reg_ini_file.h"
#include "settings/setting_names.h"
#include "support/test_application.h"

#include <QDir>
#include <QFile>
#include <QSet>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace brookhum;
using namespace brookhum::settings;

namespace {

QString storeFile()
{
    return test::configDirectory() + u"/Tarnwick.conf"_s;
}

QByteArray storeBytes()
{
    QFile file(storeFile());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeStoreBytes(const QByteArray &bytes)
{
    QFile file(storeFile());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

class SettingsStore : public ::testing::Test {
protected:
    void SetUp() override { test::clearSettingsStore(); }
    void TearDown() override
    {
        QDir(storeFile()).removeRecursively(); // a test may have put a directory in its place
        test::clearSettingsStore();
    }
    RegIniFile store{RegIniFile::defaultLocation()};
};

} // namespace

TEST(SettingNames, AllFortyNineNamesAreDistinctAndSpelledAsStored)
{
    const QStringList names = allValueNames();
    EXPECT_EQ(names.size(), 49);
    EXPECT_EQ(QSet<QString>(names.begin(), names.end()).size(), 49);
    for (const QString &name : names)
        EXPECT_TRUE(name.startsWith(u"Brookhum"_s)) << name.toStdString();

    EXPECT_EQ(names.first(), u"BrookhumPlayFlag"_s);
    EXPECT_TRUE(names.contains(u"BrookhumIndicationYPointPlayFlag"_s));
    EXPECT_EQ(slotValueNames(SlotKind::Directory, 10).flag, u"BrookhumDirNo10PlayFlag"_s);
    EXPECT_EQ(slotValueNames(SlotKind::File, 7).path, u"BrookhumFileNo7"_s);
    EXPECT_EQ(names.last(), u"BrookhumFileNo10PlayFlag"_s);
}

TEST(SettingNames, InitialTextsAndKinds)
{
    EXPECT_EQ(initialText(SelectPlayFlag()), u"1"_s);
    EXPECT_EQ(initialText(PlayFlag()), u"0"_s);
    EXPECT_EQ(initialText(slotValueNames(SlotKind::File, 3).flag), u"0"_s);
    EXPECT_TRUE(initialText(slotValueNames(SlotKind::Directory, 3).path).isEmpty());
    EXPECT_TRUE(isPositionValue(DirSelectXPointPlayFlag()));
    EXPECT_FALSE(isPositionValue(PlayBarBeginFlag()));
}

TEST_F(SettingsStore, TextsSurviveByteForByte)
{
    const QStringList texts = {
        u""_s,
        u"/home/ann/My Music/It's \"loud\", isn't it; #1 = 100%"_s,
        u"/home/ann/音楽/ケルト民謡 ü"_s,
        u"  leading and trailing spaces  "_s,
        u"C:\\Music\\old\\"_s,
        u"non-sentinel? non"_s,
        u"@ByteArray(not bytes) and @Variant("_s,
        u"two\nlines\tand a tab"_s,
        // The bytes of a Shift-JIS name, which are not UTF-8.
        u"/mnt/old/"_s + QChar(0xDC93) + QChar(0xDCFA) + QChar(0xDC96) + u"{.mid"_s,
    };
    for (const QString &text : texts) {
        store.WriteString(section(), u"BrookhumDirNo1"_s, text);
        EXPECT_EQ(RegIniFile(RegIniFile::defaultLocation()).ReadString(section(), u"BrookhumDirNo1"_s, u"non"_s), text) << text.toStdString();
    }
}

TEST_F(SettingsStore, AWriteIsOnDiskWhenItReturns)
{
    store.WriteString(section(), u"BrookhumDirNo4"_s, u"/srv/música"_s);
    store.WriteInteger(section(), DirSelectXPointPlayFlag(), 731);
    const QByteArray bytes = storeBytes();
    EXPECT_TRUE(bytes.contains("[Brookhum]"));
    EXPECT_TRUE(bytes.contains(u"/srv/música"_s.toUtf8()));
    EXPECT_TRUE(bytes.contains("731"));
    // Replaced atomically: nothing of a temporary file is left behind.
    EXPECT_EQ(QDir(test::configDirectory()).entryList(QDir::Files), QStringList{u"Tarnwick.conf"_s});
}

TEST_F(SettingsStore, AbsentTextIsWrittenWithItsInitialText)
{
    const StoredText mode = readTextOrInit(store, SelectPlayFlag());
    EXPECT_TRUE(mode.absent);
    EXPECT_EQ(mode.text, u"1"_s);
    EXPECT_EQ(RegIniFile(RegIniFile::defaultLocation()).ReadString(section(), SelectPlayFlag(), u"non"_s), u"1"_s);

    const StoredText again = readTextOrInit(store, SelectPlayFlag());
    EXPECT_FALSE(again.absent);
}

TEST_F(SettingsStore, StoredNonCountsAsAbsent)
{
    store.WriteString(section(), u"BrookhumFileNo2"_s, u"non"_s);
    const StoredText path = readTextOrInit(store, u"BrookhumFileNo2"_s);
    EXPECT_TRUE(path.absent);
    EXPECT_EQ(path.text, QString());
    EXPECT_EQ(store.ReadString(section(), u"BrookhumFileNo2"_s, u"non"_s), QString());
}

TEST_F(SettingsStore, PositionsAbsentMinusOneOrNotANumberAreWrittenAsFifty)
{
    struct Row {
        const char *name;
        QByteArray stored; // empty: not stored at all
        std::optional<int> expected;
    };
    const Row rows[] = {
        {"absent", {}, std::nullopt},
        {"stored minus one", "-1", std::nullopt},
        {"not a number", "left", std::nullopt},
        {"too large", "99999999999", std::nullopt},
        {"zero", "0", 0},
        {"negative on a left monitor", "-1200", -1200},
        {"ordinary", "640", 640},
    };
    for (const Row &row : rows) {
        test::clearSettingsStore();
        if (!row.stored.isEmpty())
            writeStoreBytes("[Brookhum]\nBrookhumIndicationXPointPlayFlag=" + row.stored + "\n");
        RegIniFile fresh(RegIniFile::defaultLocation());
        EXPECT_EQ(readPositionOrInit(fresh, IndicationXPointPlayFlag()), row.expected) << row.name;
        const int expectedStored = row.expected ? *row.expected : InitialPosition;
        EXPECT_EQ(RegIniFile(RegIniFile::defaultLocation()).ReadInteger(section(), IndicationXPointPlayFlag(), -1), expectedStored) << row.name;
    }
}

TEST_F(SettingsStore, ACorruptFileNeverFailsAReadAndStillTakesWrites)
{
    QByteArray junk("\x01\x02\xff\xfe[[[ not ini\n==\n[Brookhum]\nBrookhumPlayFlag=1\n");
    junk += "BrookhumDirNo1=a, b\nBrookhumDirNo2=@Variant(\\0\\0\\0\\x7f)\n";
    junk.append(QByteArray(64, '\0'));
    writeStoreBytes(junk);

    RegIniFile corrupt(RegIniFile::defaultLocation());
    EXPECT_EQ(corrupt.ReadString(section(), PlayFlag(), u"non"_s), u"1"_s);
    EXPECT_EQ(corrupt.ReadString(section(), u"BrookhumDirNo1"_s, u"non"_s), u"a, b"_s);
    EXPECT_EQ(corrupt.ReadString(section(), u"BrookhumDirNo2"_s, u"non"_s), u"non"_s);
    EXPECT_EQ(corrupt.ReadInteger(section(), DirSelectYPointPlayFlag(), -1), -1);

    corrupt.WriteString(section(), u"BrookhumFileNo1"_s, u"/x.mid"_s);
    RegIniFile after(RegIniFile::defaultLocation());
    EXPECT_EQ(after.ReadString(section(), u"BrookhumFileNo1"_s, u"non"_s), u"/x.mid"_s);
    EXPECT_EQ(after.ReadString(section(), PlayFlag(), u"non"_s), u"1"_s);
}

TEST_F(SettingsStore, AWriteThatCannotReachTheDiskThrows)
{
    // A directory where the file should be: no user, root included, can
    // replace it with a file.
    QFile::remove(storeFile());
    ASSERT_TRUE(QDir().mkpath(storeFile() + u"/blocked"_s));
    RegIniFile blocked(RegIniFile::defaultLocation());
    EXPECT_THROW(blocked.WriteString(section(), PlayFlag(), u"1"_s), SettingsError);
}
