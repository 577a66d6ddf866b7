// A damaged or odd settings file never loses what the user set, never hangs
// the program, and is never written over in place.

#include "settings/reg_ini_file.h"
#include "settings/setting_names.h"
#include "support/test_application.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace Qt::StringLiterals;
using namespace brookhum;

namespace {

const QString Section = settings::section();

class StoreFile {
public:
    QString path() const { return m_dir.path() + u"/Tarnwick.conf"_s; }
    QByteArray bytes() const
    {
        QFile file(path());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    void write(const QByteArray &bytes) const
    {
        QFile file(path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    // The copies kept of a file that could not be read cleanly.
    QStringList keptCopies() const
    {
        return QDir(m_dir.path()).entryList({u"Tarnwick.conf.unreadable-*"_s}, QDir::Files);
    }
    QByteArray keptCopy() const
    {
        QFile file(m_dir.path() + u'/' + keptCopies().value(0));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private:
    QTemporaryDir m_dir;
};

QByteArray junk(int size)
{
    QByteArray bytes(size, '\0');
    QRandomGenerator generator(7);
    for (char &c : bytes)
        c = static_cast<char>(generator.bounded(256));
    return bytes;
}

template <std::size_t N>
QByteArray withNul(const char (&text)[N])
{
    return QByteArray(text, N - 1);
}

struct DamageRow {
    const char *name;
    QByteArray content;
    bool keptAside;        // the file could not be read cleanly, so a copy is kept
    QString dirNo1;        // what the user set for directory slot 1
    QByteArray otherValue; // a value of another program that must survive, if any
};

class DamagedStore : public ::testing::TestWithParam<DamageRow> {};

} // namespace

// The user's play flag and first slot survive the first read and a write,
// and only a file that Qt would misread is copied aside, with one notice.
TEST_P(DamagedStore, KeepsWhatTheUserSet)
{
    const DamageRow &row = GetParam();
    StoreFile file;
    file.write(row.content);
    QStringList notices;
    {
        RegIniFile store(file.path(), [&](const QString &message) { notices.append(message); });
        EXPECT_EQ(store.ReadString(Section, settings::PlayFlag(), u"non"_s), u"1"_s);
        EXPECT_EQ(store.ReadString(Section, u"BrookhumDirNo1"_s, u"non"_s), row.dirNo1);
        store.WriteString(Section, u"BrookhumFileNo1"_s, u"/music/a.mid"_s);
    }
    RegIniFile reopened(file.path(), [&](const QString &message) { notices.append(message); });
    EXPECT_EQ(reopened.ReadString(Section, settings::PlayFlag(), u"non"_s), u"1"_s);
    EXPECT_EQ(reopened.ReadString(Section, u"BrookhumDirNo1"_s, u"non"_s), row.dirNo1);
    EXPECT_EQ(reopened.ReadString(Section, u"BrookhumFileNo1"_s, u"non"_s), u"/music/a.mid"_s);
    if (!row.otherValue.isEmpty()) {
        EXPECT_TRUE(file.bytes().contains(row.otherValue));
    }

    EXPECT_EQ(file.keptCopies().size(), row.keptAside ? 1 : 0);
    EXPECT_EQ(notices.size(), row.keptAside ? 1 : 0);
    if (row.keptAside) {
        EXPECT_EQ(file.keptCopy(), row.content);
        EXPECT_TRUE(notices.value(0).contains(file.keptCopies().value(0)));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Corpus, DamagedStore,
    ::testing::Values(
        DamageRow{"StrayQuoteSwallowsTheSection", "note=\"\n[Brookhum]\nBrookhumPlayFlag=1\nBrookhumDirNo1=/music\n",
                  true, u"/music"_s, {}},
        DamageRow{"JunkBeforeTheSection", junk(4096) + "\n[Brookhum]\nBrookhumPlayFlag=1\nBrookhumDirNo1=/music\n",
                  true, u"/music"_s, {}},
        DamageRow{"HandEditedPathEndsInBackslash",
                  "[Brookhum]\nBrookhumPlayFlag=1\nBrookhumDirNo1=C:\\Music\\\nBrookhumDirNo1PlayFlag=1\n", true,
                  u"C:\\Music\\"_s, {}},
        DamageRow{"BackslashOfAnotherProgramJoinsOurSection",
                  "[Other]\nkeep=yes\nnote=abc\\\n[Brookhum]\nBrookhumPlayFlag=1\nBrookhumDirNo1=/music\n", true,
                  u"/music"_s, "keep=yes"},
        DamageRow{"NulBytesInALine", withNul("[Brookhum]\nBrookhumPlayFlag=1\nx\0y=1\nBrookhumDirNo1=/music\n"),
                  true, u"/music"_s, {}},
        DamageRow{"ValueGivenTwice", "[Brookhum]\nBrookhumPlayFlag=0\nBrookhumDirNo1=/music\nBrookhumPlayFlag=1\n", true,
                  u"/music"_s, {}},
        DamageRow{"SectionsOfTwoProgramsInterleaved",
                  "[Brookhum]\nBrookhumPlayFlag=1\n[Other]\nkeep=yes\n[Brookhum]\nBrookhumDirNo1=/music\n", false,
                  u"/music"_s, "keep=yes"},
        DamageRow{"ByteOrderMarkAndCrLf", "\xEF\xBB\xBF[Brookhum]\r\nBrookhumPlayFlag=1\r\nBrookhumDirNo1=/music\r\n",
                  false, u"/music"_s, {}},
        DamageRow{"MegabyteValue", "[Brookhum]\nBrookhumPlayFlag=1\nBrookhumDirNo1=/" + QByteArray(1 << 20, 'm') + "\n",
                  false, u"/"_s + QString(1 << 20, u'm'), {}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(OddStore, SomethingOtherThanAFileInItsPlaceFailsAtOnceWithAMessage)
{
    struct Row {
        const char *name;
        std::function<void(const QString &path)> make;
        QString said;
    };
    const Row rows[] = {
        {"NamedPipe", [](const QString &path) { ::mkfifo(QFile::encodeName(path).constData(), 0600); }, u"named pipe"_s},
        {"Directory", [](const QString &path) { QDir().mkpath(path); }, u"directory"_s},
        {"LockFileIsADirectory", [](const QString &path) { QDir().mkpath(path + u".lock"_s); }, u"lock file"_s},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        StoreFile file;
        row.make(file.path());
        // A regression here would hang for ever: the alarm ends the test instead.
        ::alarm(10);
        RegIniFile store(file.path());
        try {
            store.ReadString(Section, settings::PlayFlag(), u"non"_s);
            ADD_FAILURE() << "no error";
        } catch (const SettingsError &e) {
            EXPECT_TRUE(QString::fromUtf8(e.what()).contains(row.said)) << e.what();
        }
        EXPECT_THROW(store.WriteString(Section, settings::PlayFlag(), u"1"_s), SettingsError);
        ::alarm(0);
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
            RegIniFile store(file.path());
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

        const QByteArray bytes = file.bytes();
        if (bytes.isEmpty())
            continue;
        RegIniFile store(file.path());
        EXPECT_TRUE(store.ReadString(Section, u"BrookhumDirNo1"_s, u"non"_s).startsWith(u"/music/"_s)) << bytes.constData();
        EXPECT_TRUE(file.keptCopies().isEmpty()) << bytes.constData();
    }
}
