// Files no player can use, made by the test: each either plays to one
// notification or fails to open with a message naming it, in bounded time,
// and the player then plays the next file as if nothing had happened.

#include "base/directory_listing.h"
#include "gst/gst_media_player.h"
#include "base/media_error.h"
#include "support/event_wait.h"
#include "support/media_fixtures.h"
#include "support/midi_bytes.h"
#include "support/scoped_env.h"
#include "support/test_output.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;
using namespace brookhum;
using namespace brookhum::test;

namespace {

constexpr int NotifyWithinMs = 20000;

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A good file of the format with its bytes changed by `patch`.
void patchedWav(const QString &path, const std::function<void(QByteArray &)> &patch)
{
    writeToneWav(path, 500);
    QByteArray bytes = readFile(path);
    patch(bytes);
    writeFile(path, bytes);
}

// The listing saw a regular file; by the time it is opened, `swap` has put
// something else in its place.
void listedThen(const QString &path, const std::function<void()> &swap)
{
    writeToneWav(path, 500);
    ASSERT_EQ(listPlayableFiles(QFileInfo(path).path(), 20).value_or(QStringList()), QStringList{path});
    swap();
}

struct BadMedia {
    const char *name;
    const char *fileName;
    std::function<void(const QString &path)> make;
    bool refused; // must fail to open; otherwise either outcome is fine
};

void PrintTo(const BadMedia &row, std::ostream *out)
{
    *out << row.name;
}

const QByteArray Beat = note(480);

const BadMedia Corpus[] = {
    {"ZeroLength", "empty.wav", [](const QString &p) { writeEmptyFile(p); }, true},
    {"RandomBytesAsWav", "noise.wav", [](const QString &p) { writeRandomBytes(p, 20000); }, true},
    {"RandomBytesAsMp3", "noise.mp3", [](const QString &p) { writeRandomBytes(p, 20000, 2); }, false},
    {"RandomBytesAsMidi", "noise.mid", [](const QString &p) { writeRandomBytes(p, 20000, 3); }, true},
    {"WavCutInItsHeader", "cut.wav", [](const QString &p) { patchedWav(p, [](QByteArray &b) { b.truncate(30); }); }, true},
    {"WavWithFlippedHeader", "flipped.wav",
     [](const QString &p) { patchedWav(p, [](QByteArray &b) { b.replace(0, 4, "FFIR"); }); }, true},
    {"WavDataClaimsFourGigabytes", "huge.wav",
     [](const QString &p) { patchedWav(p, [](QByteArray &b) { b.replace(40, 4, "\xff\xff\xff\xff"); }); }, false},
    {"Mp3CutShort", "cut.mp3",
     [](const QString &p) {
         writeToneMp3(p + u".whole"_s, 1000);
         writeTruncatedCopy(p + u".whole"_s, p, 900);
     },
     false},
    {"PictureAsMp3", "picture.mp3", [](const QString &p) { writePicturePng(p); }, true},
    {"MidiTrackLengthBeyondTheFile", "length.mid",
     [](const QString &p) { writeFile(p, header(1, 480, 0) + "MTrk" + b({0xff, 0xff, 0xff, 0xff}) + Beat + EndOfTrack); },
     true},
    {"MidiUndefinedStatusF4", "f4.mid", [](const QString &p) { writeFile(p, midi({Beat + b({0x00, 0xf4}) + Beat})); }, true},
    {"MidiUndefinedStatusF5", "f5.mid", [](const QString &p) { writeFile(p, midi({Beat + b({0x00, 0xf5, 1, 2}) + Beat})); }, true},
    {"MidiUndefinedStatusF9", "f9.mid", [](const QString &p) { writeFile(p, midi({b({0x00, 0xf9}) + Beat})); }, true},
    {"MidiDivisionZero", "division.mid", [](const QString &p) { writeFile(p, midi({Beat}, 0)); }, true},
    {"MidiLargestTempoLongestDelta", "tempo.mid",
     [](const QString &p) { writeFile(p, midi({tempo(0xffffff) + b({0xff, 0xff, 0xff, 0x7f, 0x90, 0x3c, 0x40})}, 1)); },
     true},
    {"MidiCutInHalf", "half.mid",
     [](const QString &p) {
         writeMidiFile(p, 2000);
         QByteArray bytes = readFile(p);
         writeFile(p, bytes.first(bytes.size() / 2));
     },
     true},
    {"MidiOfTenThousandTracks", "tracks.mid",
     [](const QString &p) {
         QByteArray file = header(10000);
         for (int i = 0; i < 10000; ++i)
             file += chunk("MTrk", (i == 0 ? Beat : QByteArray()) + EndOfTrack);
         writeFile(p, file);
     },
     false},
    {"DirectoryNamedWav", "folder.wav", [](const QString &p) { QDir().mkpath(p); }, true},
    {"NamedPipeSwappedInAfterTheListing", "pipe/x.wav",
     [](const QString &p) {
         listedThen(p, [&] {
             QFile::remove(p);
             ::mkfifo(QFile::encodeName(p).constData(), 0600);
         });
     },
     true},
    {"DeletedAfterTheListing", "gone/x.wav", [](const QString &p) { listedThen(p, [&] { QFile::remove(p); }); }, true},
};

class BadMediaTest : public ::testing::TestWithParam<BadMedia> {
protected:
    QString path(const char *name) const { return m_dir.filePath(QString::fromUtf8(name)); }

    // Plays the file on the player; returns the error if it failed to open.
    std::optional<QString> tryToPlay(GstMediaPlayer &player, const QString &file)
    {
        QSignalSpy notified(&player, &MediaPlayer::Notify);
        player.setFileName(file);
        try {
            player.Open();
            player.Play();
        } catch (const MediaError &e) {
            return QString::fromUtf8(e.what());
        }
        EXPECT_TRUE(waitUntil([&] { return notified.count() > 0; }, NotifyWithinMs)) << "no notification";
        return std::nullopt;
    }

    QTemporaryDir m_dirHolder;
    QDir m_dir{m_dirHolder.path()};
};

} // namespace

TEST_P(BadMediaTest, FailsToOpenOrPlaysOnceAndTheNextFilePlays)
{
    const BadMedia &row = GetParam();
    const ScopedAudioSink sink("fakesink sync=false");
    const QString file = path(row.fileName);
    QDir().mkpath(QFileInfo(file).path());
    row.make(file);
    const QString good = path("good.wav");
    writeToneWav(good, 300);

    // Whatever the file does, a hang ends the test instead of the run.
    ::alarm(60);
    GstMediaPlayer player{test::testOutput()};
    const std::optional<QString> error = tryToPlay(player, file);
    if (error)
        EXPECT_TRUE(error->contains(file)) << error->toStdString();
    else
        EXPECT_FALSE(row.refused) << "played";
    player.Close();

    EXPECT_EQ(tryToPlay(player, good), std::nullopt);
    player.Close();
    ::alarm(0);
}

INSTANTIATE_TEST_SUITE_P(Corpus, BadMediaTest, ::testing::ValuesIn(Corpus),
                         [](const auto &info) { return std::string(info.param.name); });

// A pipeline that stops moving (here an output that takes a second for every
// buffer of sound) must not hold unattended play: well past the file's
// length the play ends as the end of the file does.
TEST(StalledPlay, EndsWellPastTheFileLength)
{
    const ScopedAudioSink crawling("identity sleep-time=1000000 ! fakesink sync=false");
    QTemporaryDir dir;
    const QString file = dir.filePath(u"second.wav"_s);
    writeToneWav(file, 2000);
    GstMediaPlayer player{test::testOutput()};
    player.setOverrunAllowance(std::chrono::milliseconds(0));
    QSignalSpy notified(&player, &MediaPlayer::Notify);
    player.setFileName(file);
    player.Open();
    player.Play();
    EXPECT_TRUE(waitUntil([&] { return notified.count() > 0; }, NotifyWithinMs)) << "the play never ended";
    player.Close();
}
