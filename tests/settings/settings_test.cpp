// The settings store: values survive byte for byte and are on disk when a
// write returns; absent values get their initial texts; and a damaged or odd
// file never loses what the user set, never hangs the program, and is never
// written over in place.

#include "base/native_path.h"
#include "settings/read_or_init.h"
#include "settings/reg_ini_file.h"
#include "settings/setting_names.h"
#include "settings/stored_settings.h"
#include "support/file_watch.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace Qt::StringLiterals;
using namespace brookhum;
using brookhum::test::FileWatch;

namespace {

const QString Section = settings::section();

// The store's file alone in a directory, which is where copies of it go.
struct StoreFile {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"Tarnwick.conf"_s);

    QStringList files() const { return QDir(dir.path()).entryList(QDir::Files); }
    QByteArray bytes(const QString &name = u"Tarnwick.conf"_s) const
    {
        QFile file(dir.filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    void write(const QByteArray &bytes) const
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    }
    QString read(const QString &name) const { return RegIniFile(path).ReadString(Section, name, u"non"_s); }
};

} // namespace

// The file stays QSettings' own: Qt reads what the store writes and the
// store what Qt writes, and another program's lines keep every byte.
TEST(SettingsStore, ValuesSurviveByteForByteAndAreOnDiskWhenAWriteReturns)
{
    // The names that files written by earlier versions hold.
    EXPECT_EQ(settings::slotValueNames(SlotKind::Directory, 10).flag, u"BrookhumDirNo10PlayFlag"_s);
    EXPECT_EQ(settings::slotValueNames(SlotKind::File, 7).path, u"BrookhumFileNo7"_s);
    StoreFile file;
    const QByteArray others = "; the tool's own notes\n[Other]\nspaced = value ; why\nlist=a, b\n";
    file.write(others);
    RegIniFile store(file.path);
    const QString key = Section + u"/BrookhumDirNo1"_s;
    for (const QString &text : {
             u""_s, u"/home/ann/My Music/It's \"loud\", isn't it; #1 = 100%"_s, u"/音楽/ケルト ü 😀"_s, u"  spaces  "_s,
             u"C:\\Music\\old\\"_s, u"@ByteArray(not bytes) @Variant("_s, u"two\nlines\tand a tab"_s, u"\x01\x7f" "0af\0" "7"_s,
             u"/mnt/old/"_s + QChar(0xDC93) + QChar(0xDCFA) + u"{.mid"_s, // bytes of a Shift-JIS name, not UTF-8
         }) {
        const QVariant stored = hasForeignBytes(text) ? QVariant(nativePath(text)) : QVariant(text);
        store.WriteString(Section, u"BrookhumDirNo1"_s, text);
        EXPECT_TRUE(file.bytes().contains("BrookhumDirNo1=")) << "not on disk";
        EXPECT_EQ(file.read(u"BrookhumDirNo1"_s), text) << text.toStdString();
        EXPECT_TRUE(file.bytes().startsWith(others)) << file.bytes().constData();
        // Each reading through a file of its own name, which Qt has not seen.
        QTemporaryDir qt;
        const QString copy = qt.filePath(u"copy.conf"_s), written = qt.filePath(u"written.conf"_s);
        ASSERT_TRUE(QFile::copy(file.path, copy));
        EXPECT_EQ(QSettings(copy, QSettings::IniFormat).value(key), stored) << text.toStdString();
        QSettings(written, QSettings::IniFormat).setValue(key, stored);
        EXPECT_EQ(RegIniFile(written).ReadString(Section, u"BrookhumDirNo1"_s, u"non"_s), text) << text.toStdString();
    }
    EXPECT_EQ(file.files(), QStringList{u"Tarnwick.conf"_s}) << "replaced atomically: no temporary file is left";
}

TEST(SettingsStore, AbsentValuesAreWrittenWithTheirInitialValue)
{
    StoreFile file;
    file.write("[Brookhum]\nBrookhumFileNo2=non\nBrookhumDirSelectXPointPlayFlag=-1\nBrookhumDirSelectYPointPlayFlag=x\n"
               "BrookhumIndicationXPointPlayFlag=99999999999\nBrookhumIndicationYPointPlayFlag=-1200\n"
               "BrookhumIndicationBarBeginFlag=1\n");
    RegIniFile store(file.path);
    StoredSettings stored(store);
    const StoredText mode = stored.readSelectPlayFlag();
    EXPECT_TRUE(mode.absent && mode.text == u"1"_s);
    EXPECT_FALSE(stored.readSelectPlayFlag().absent);
    const StoredSlot slot = stored.readSlot(SlotKind::File, 2);
    EXPECT_TRUE(slot.path.absent && slot.path.text.isEmpty() && slot.flag.text == u"0"_s) << "a stored \"non\" is absent";
    EXPECT_EQ(stored.readBeginFlag(Bar::Indication).text, u"1"_s);
    for (const QString &name : {settings::DirSelectXPointPlayFlag(), settings::DirSelectYPointPlayFlag(),
                                settings::IndicationXPointPlayFlag()}) {
        EXPECT_EQ(settings::readPositionOrInit(store, name), std::nullopt) << name.toStdString();
        EXPECT_EQ(store.ReadInteger(Section, name, -1), 50) << name.toStdString();
    }
    EXPECT_EQ(settings::readPositionOrInit(store, settings::IndicationYPointPlayFlag()), -1200);
}

// The user's play flag and first slot survive the first read and a write.
// Only a file that Qt would misread is copied aside, with one notice that
// says what is wrong in it and where the copy is.
TEST(DamagedStore, KeepsWhatTheUserSet)
{
    const QByteArray own = "[Brookhum]\nBrookhumPlayFlag=1\nBrookhumDirNo1=/music\n";
    const QByteArray shiftJis = "/\x89\xb9\x8a\x79"; // a directory name from an old disk
    const struct {
        const char *name;
        QByteArray content;
        const char *said = ""; // what the notice finds wrong; empty for a file that reads cleanly
        QString dirNo1 = u"/music"_s;
        QString soundFont = u"non"_s;
        bool linked = false; // the file is a link into a dotfiles folder
    } rows[] = {
        {"StrayQuoteSwallowsTheSection", "[Other]\n\nnote=\"\n" + own, "line 3: an unclosed quote"},
        {"ShiftJisHandEditMisread", "\x93\xfa\x96\x7b=1\n" + own, "line 1: bytes that are not UTF-8"},
        {"ShiftJisSoundFontAndQuotedSlotPathLostInTheRepair",
         "[Brookhum]\nBrookhumPlayFlag=1\nBrookhumDirNo1=\"" + shiftJis + "\"\nBrookhumSoundFont=" + shiftJis + ".sf2\n",
         "line 3: bytes that are not UTF-8", pathFromNative(shiftJis), pathFromNative(shiftJis + ".sf2")},
        {"SectionNameLostItsBracketResetEveryValue", "[Other]\nkeep=yes\n[Brookhum\nBrookhumPlayFlag=1\nBrookhumDirNo1=/music\n",
         "line 3: a section name without"},
        {"RepairReplacedTheLinkWithAPrivateCopy", "[Other]\nkeep=yes\nnote=\"\n" + own, "line 3: an unclosed quote", u"/music"_s,
         u"non"_s, true},
        {"HandEditedPathWithCommasReadsAsOneText", "[Brookhum]\nBrookhumPlayFlag=1\nBrookhumDirNo1=/music/Bach, Mozart\n", "",
         u"/music/Bach, Mozart"_s},
        {"HandEditedPathEndsInBackslash", "[Brookhum]\nBrookhumPlayFlag=1\nBrookhumDirNo1=C:\\Music\\\nBrookhumDirNo1PlayFlag=1\n",
         "line 3: a backslash", u"C:\\Music\\"_s},
        {"BackslashOfAnotherProgramJoinsOurSection", "[Other]\nkeep=yes\nnote=abc\\\n" + own, "line 3: a backslash"},
        {"NulBytesInALine", own + QByteArray("x\0y=1\n", 6), "line 4: a NUL character"},
        {"ValueGivenTwice", "[Brookhum]\nBrookhumPlayFlag=0\n" + own, "line 4: a name given twice"},
        {"SectionsOfTwoProgramsInterleaved",
         "[Brookhum]\nBrookhumPlayFlag=1\nGroup\\BrookhumDirNo1=/group\n[Other]\nkeep=yes\nBrookhumPlayFlag=0\n[Brookhum]\n"
         "BrookhumDirNo1=/music\n"},
        {"ByteOrderMarkAndCrLf", "\xEF\xBB\xBF[Brookhum]\r\nBrookhumPlayFlag=1\r\nBrookhumDirNo1=/music\r\n"},
        {"MegabyteValue", "[Brookhum]\nBrookhumPlayFlag=1\nBrookhumDirNo1=/" + QByteArray(1 << 20, 'm') + "\n", "",
         u"/"_s + QString(1 << 20, u'm')},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        StoreFile file;
        if (row.linked) {
            ASSERT_TRUE(QDir(file.dir.path()).mkdir(u"dotfiles"_s));
            ASSERT_TRUE(QFile::link(u"dotfiles/Tarnwick.conf"_s, file.path));
        }
        file.write(row.content);
        QStringList notices;
        // The first reading, then one after a write.
        for (const QString &fileNo1 : {u"non"_s, u"/music/a.mid"_s}) {
            RegIniFile store(file.path, [&](const QString &message) { notices.append(message); });
            EXPECT_EQ(store.ReadString(Section, settings::PlayFlag(), u"non"_s), u"1"_s);
            EXPECT_EQ(store.ReadString(Section, u"BrookhumDirNo1"_s, u"non"_s), row.dirNo1);
            EXPECT_EQ(store.ReadString(Section, u"BrookhumFileNo1"_s, u"non"_s), fileNo1);
            EXPECT_EQ(store.ReadString(Section, settings::SoundFont(), u"non"_s), row.soundFont);
            store.WriteString(Section, u"BrookhumFileNo1"_s, u"/music/a.mid"_s);
        }
        EXPECT_EQ(file.bytes().contains("keep=yes"), row.content.contains("keep=yes")) << "another program's value is lost";
        EXPECT_EQ(QFileInfo(file.path).isSymLink(), row.linked) << "the link to the dotfiles is gone";
        const qsizetype copies = *row.said ? 1 : 0;
        ASSERT_EQ(file.files().size(), 1 + copies);
        ASSERT_EQ(notices.size(), copies);
        if (copies) {
            EXPECT_EQ(file.bytes(file.files().value(1)), row.content);
            EXPECT_TRUE(notices[0].contains(file.files().value(1)) && notices[0].contains(QLatin1String(row.said)))
                << notices[0].toStdString();
        }
    }
}

TEST(OddStore, SomethingOtherThanAFileInItsPlaceFailsAtOnceWithAMessage)
{
    const struct {
        const char *name;
        void (*make)(const QString &path);
        const char *said;
    } rows[] = {
        {"NamedPipeBlocksTheRead", [](const QString &path) { ::mkfifo(QFile::encodeName(path).constData(), 0600); }, "named pipe"},
        {"DirectoryTakenForAnEmptyStore", [](const QString &path) { QDir().mkpath(path); }, "directory"},
        {"DirectoryWhereTheLockGoesBlocksTheWrite", [](const QString &path) { QDir().mkpath(path + u".lock"_s); }, "lock file"},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        StoreFile file;
        row.make(file.path);
        // A regression here would hang for ever: the alarm ends the test instead.
        ::alarm(10);
        RegIniFile store(file.path);
        try {
            store.ReadString(Section, settings::PlayFlag(), u"non"_s);
            ADD_FAILURE() << "no error";
        } catch (const SettingsError &e) {
            EXPECT_TRUE(QString::fromUtf8(e.what()).contains(QLatin1String(row.said))) << e.what();
        }
        EXPECT_THROW(store.WriteString(Section, settings::PlayFlag(), u"1"_s), SettingsError);
        ::alarm(0);
    }
}

// A write never waits long and never reads the file back: a lock nobody
// holds any more is taken over at once, and a save of many values replaces
// even a large shared file once.
TEST(OddStore, NoWriteFreezesTheProgramNorReadsTheFileAgain)
{
    QByteArray others;
    for (int tool = 0; others.size() < 10'000'000; ++tool) {
        others += "[Tool" + QByteArray::number(tool) + "]\n";
        for (int k = 0; k < 80; ++k)
            others += "Option" + QByteArray::number(k) + "=value of another program, kept as it is\n";
    }
    const struct {
        const char *name;
        QByteArray content;
        QByteArray lock; // the lock file's content; null for none
        QByteArray kept; // what must stay at the file's start
    } rows[] = {
        {"EmptyLockLeftByACrashFroze30Seconds", "[Brookhum]\nBrookhumPlayFlag=0\n", "", "[Brookhum]\n"},
        {"GarbageLockLeftByACrash", "[Brookhum]\nBrookhumPlayFlag=0\n", "\x01garbage", "[Brookhum]\n"},
        {"TenMegabytesSharedWithOtherProgramsRewrittenPerValue", others, {}, others},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        StoreFile file;
        file.write(row.content);
        if (!row.lock.isNull()) {
            // Left a second ago: Qt took such a lock over only when it was 30 seconds old.
            QFile lock(file.path + u".lock"_s);
            ASSERT_TRUE(lock.open(QIODevice::WriteOnly) && lock.write(row.lock) == row.lock.size());
            lock.setFileTime(QDateTime::currentDateTime().addSecs(-1), QFileDevice::FileModificationTime);
        }
        RegIniFile store(file.path);
        EXPECT_EQ(store.ReadString(Section, settings::RandPlayFlag(), u"non"_s), u"non"_s);
        FileWatch watch(file.path);
        RegIniFile::Values save;
        for (const QString &name : settings::allValueNames().mid(0, 24))
            save.append({name, name});
        QElapsedTimer time;
        time.start();
        store.WriteValues(Section, save);
        EXPECT_LT(time.elapsed(), 5000) << "frozen";
        EXPECT_EQ(store.ReadString(Section, settings::RandPlayFlag(), u"non"_s), settings::RandPlayFlag());
        EXPECT_EQ(QList<int>({watch.replacements(), watch.reads()}), QList<int>({1, 0})) << "replacements, reads";
        EXPECT_EQ(file.read(settings::PlayFlag()), settings::PlayFlag());
        EXPECT_TRUE(file.bytes().startsWith(row.kept)) << "another program's lines changed";
    }
}

// Killed in the middle of a write, the store leaves either no file or a
// whole one: every value it holds is one that was written.
TEST(OddStore, AKillDuringWritesLeavesNoHalfWrittenFile)
{
    for (int round = 0; round < 100; ++round) {
        StoreFile file;
        int progress[2];
        ASSERT_EQ(::pipe(progress), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            RegIniFile store(file.path);
            for (int i = 0;; ++i) {
                store.WriteString(Section, u"BrookhumDirNo%1"_s.arg(i % 10 + 1), u"/music/%1"_s.arg(i));
                if (::write(progress[1], "w", 1) != 1)
                    ::_exit(1);
            }
        }
        ::close(progress[1]);
        char done = 0;
        for (int writes = 0; writes <= round % 7; ++writes)
            ASSERT_EQ(::read(progress[0], &done, 1), 1);
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        ::close(progress[0]);
        if (file.bytes().isEmpty())
            continue;
        EXPECT_TRUE(file.read(u"BrookhumDirNo1"_s).startsWith(u"/music/"_s)) << file.bytes().constData();
        EXPECT_EQ(file.files().filter(u"unreadable"_s), QStringList()) << file.bytes().constData();
    }
}
