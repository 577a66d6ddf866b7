// The GStreamer player on real pipelines over files the tests make: what ends
// a play and how it is notified, seeking, files no player can use, and the
// desktop's sound server changing under a play.

#include "gst/gst_bus_event.h"
#include "gst/gst_element_setup.h"
#include "gst/gst_media_player.h"
#include "base/media_error.h"
#include "base/native_path.h"
#include "support/event_wait.h"
#include "support/media_fixtures.h"
#include "support/midi_bytes.h"
#include "support/sound_server.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;
using namespace brookhum;
using namespace brookhum::test;

namespace {

struct Format { QString suffix; void (*write)(const QString &path, int ms); };
const Format Formats[] = {
    {u".wav"_s, [](const QString &path, int ms) { writeToneWav(path, ms); }},
    {u".mp3"_s, [](const QString &path, int ms) { writeToneMp3(path, ms); }},
    {u".mid"_s, writeMidiFile},
};

// Sends what is posted and what that posts in turn, which one round leaves for
// the next: a late message, the completion it raises, one held back meanwhile.
void sendPosted()
{
    for (int round = 0; round < 3; ++round)
        QCoreApplication::sendPostedEvents();
}

// Set on a worker thread when the pipeline a test watches is finalized.
std::atomic<bool> pipelineReleased = false;

// Makes players and counts their notifications; as their event filter it also
// keeps the last end-of-stream message one got, with its stamps.
class PlayerTest : public QObject, public testing::Test {
protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        const auto *bus = event->type() == GstBusEvent::eventType() ? static_cast<GstBusEvent *>(event) : nullptr;
        if (bus && GST_MESSAGE_TYPE(bus->message()) == GST_MESSAGE_EOS)
            endOfStream = std::make_unique<GstBusEvent>(bus->message(), bus->generation(), bus->playId());
        return false;
    }

    // A name awkward in a URI, in a directory named in Shift-JIS from an old
    // disk: bytes that are not UTF-8 and that the writers cannot spell.
    QString make(const Format &format, const QString &name, int ms)
    {
        const QString plain = dir.filePath(u"plain"_s + format.suffix);
        const QString file = oldDisk + u'/' + name + u" #1 100% it's \"%41\" 音楽"_s + format.suffix;
        format.write(plain, ms);
        ::mkdir(nativePath(oldDisk).constData(), 0700);
        EXPECT_EQ(::rename(nativePath(plain).constData(), nativePath(file).constData()), 0);
        return file;
    }

    // QTemporaryDir cannot spell those names either.
    ~PlayerTest() override { std::filesystem::remove_all(nativePath(dir.path()).toStdString()); }

    std::unique_ptr<GstMediaPlayer> open(const QString &file, GstPlayerConfig output = realTimeOutput())
    {
        auto player = std::make_unique<GstMediaPlayer>(std::move(output));
        player->installEventFilter(this);
        QObject::connect(player.get(), &MediaPlayer::Notify, player.get(), [this, depth = std::make_shared<int>()] {
            deepest = std::max(deepest, ++*depth);
            // A handler that runs posted events must not get the next notification inside.
            if (++notified == 1)
                QCoreApplication::sendPostedEvents();
            --*depth;
        });
        player->setFileName(file);
        player->Open();
        return player;
    }

    // Stops and closes the player, which raises nothing more, delivers what is
    // still posted and returns the count of notifications. The pipeline of the
    // last end of file must then go down, on a worker thread.
    int settle(GstMediaPlayer &player)
    {
        GObject *pipeline = endOfStream ? G_OBJECT(GST_MESSAGE_SRC(endOfStream->message())) : nullptr;
        pipelineReleased = false;
        if (pipeline)
            g_object_weak_ref(pipeline, [](gpointer, GObject *) { pipelineReleased = true; }, nullptr);
        endOfStream.reset();
        player.Stop();
        player.Close();
        sendPosted();
        EXPECT_TRUE(!pipeline || waitUntil([] { return pipelineReleased.load(); })) << "Close kept the pipeline";
        EXPECT_LE(std::exchange(deepest, 0), 1) << "a notification came inside another";
        return std::exchange(notified, 0);
    }

    QTemporaryDir dir;
    const QString oldDisk = dir.path() + u'/' + pathFromNative("\x93\xfa\x96\x7b");
    std::unique_ptr<GstBusEvent> endOfStream;
    int notified = 0;
    int deepest = 0;
};

class FormatTest : public PlayerTest, public testing::WithParamInterface<Format> {};

TEST_P(FormatTest, EachPlayIsNotifiedOnceAfterTheCallsReturn)
{
    const struct { const char *name; std::function<void(GstMediaPlayer &)> calls; int notifications;
                   const char *output = "fakesink sync=true"; } rows[] = {
        {"EndOfFileNotNotified", [](GstMediaPlayer &p) { p.Play(); }, 1},
        {"StopNotNotified", [](GstMediaPlayer &p) { p.Play(); p.Stop(); }, 1},
        {"CloseNotNotified", [](GstMediaPlayer &p) { p.Play(); p.Close(); }, 1},
        {"PlayAgainNotEndingTheFirstPlay", [](GstMediaPlayer &p) { p.Play(); p.Play(); }, 2},
        {"SecondNotificationInsideTheFirst", [](GstMediaPlayer &p) { p.Play(); p.Play(); p.Stop(); }, 2},
        {"OpenAgainNotEndingThePlay", [](GstMediaPlayer &p) { p.Play(); p.Open(); }, 1},
        {"IdleOpenStopCloseNotifying", [](GstMediaPlayer &p) { p.Stop(); p.Close(); p.Close(); p.Open(); p.Open(); }, 0},
        {"ErrorWhilePlayingNotEndingThePlay", [](GstMediaPlayer &p) { p.Play(); }, 1,
         "identity error-after=5 ! fakesink sync=false"},
        // A sink that takes a second for every buffer never reaches the end.
        {"StalledPlayNeverEnding", [](GstMediaPlayer &p) { p.setOverrunAllowance(0ms); p.Play(); }, 1,
         "identity sleep-time=1000000 ! fakesink sync=false"},
    };
    const QString file = make(GetParam(), u"piece"_s, 500);
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        const auto player = open(file, {row.output, {}});
        row.calls(*player);
        EXPECT_EQ(notified, 0) << "notified inside a call";
        EXPECT_TRUE(waitUntil([&] { return notified >= row.notifications; })) << notified << " notifications";
        EXPECT_EQ(settle(*player), row.notifications);
    }
}

TEST_P(FormatTest, PlayPausedAndMovedGoesOnFromThereAndEndsOnce)
{
    const auto player = open(make(GetParam(), u"piece"_s, 2000));
    EXPECT_THROW(player->setPosition(-1), MediaError);
    player->Play();
    ASSERT_TRUE(waitUntil([&] { return player->Position() >= 250; })) << "not playing";
    player->Stop();
    player->setPosition(1500);
    EXPECT_NEAR(player->Position(), 1500, 50);
    player->Play();
    ASSERT_TRUE(waitUntil([&] { return notified == 2; })) << "did not play on to the end";
    // Where a play ended is a place to play from, and that play ends at once;
    // past it is not. An MP3's length is known only once it has played.
    EXPECT_THROW(player->setPosition(3000), MediaError);
    EXPECT_NO_THROW(player->setPosition(player->Position()));
    player->Play();
    EXPECT_TRUE(waitUntil([&] { return notified == 3; })) << "playing from the end never ended";
    EXPECT_EQ(settle(*player), 3);
}

INSTANTIATE_TEST_SUITE_P(Formats, FormatTest, testing::ValuesIn(Formats),
                         [](const auto &info) { return info.param.suffix.mid(1).toStdString(); });

TEST_F(PlayerTest, LateMessageOfAnEarlierPlayOrPipelineDoesNotEndTheNextPlay)
{
    const auto player = open(make(Formats[0], u"tone"_s, 500));
    player->Play();
    ASSERT_TRUE(waitUntil([&] { return notified == 1 && endOfStream; }));
    const quint64 generation = endOfStream->generation(), playId = endOfStream->playId();
    const auto deliverLate = [&](GstMessage *message) {
        QCoreApplication::postEvent(player.get(), new GstBusEvent(GstMessagePtr(message).get(), generation, playId));
        sendPosted();
    };

    player->setPosition(0);
    player->Play();
    deliverLate(gst_message_new_eos(nullptr));
    EXPECT_EQ(notified, 1) << "the end of the earlier play ended this one";
    player->Close();
    player->Open();
    player->Play();
    const GErrorPtr error(g_error_new_literal(GST_STREAM_ERROR, GST_STREAM_ERROR_FAILED, "late failure"));
    deliverLate(gst_message_new_error(nullptr, error.get(), nullptr));
    EXPECT_EQ(notified, 2) << "an error of the closed pipeline ended this play";
    EXPECT_EQ(settle(*player), 3);
}

// A second of tone with the bytes from `at` on replaced.
void patchedWav(const QString &path, qint64 at, const QByteArray &bytes)
{
    writeToneWav(path, 1000);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite) && file.seek(at) && file.write(bytes) == bytes.size());
}

// Each file fails to open with a message naming it, and the reason when one
// is listed, or plays to one notification; then the same player plays on.
TEST_F(PlayerTest, BadMediaFailsToOpenNamingTheFileOrPlaysOnceAndTheNextFilePlays)
{
    const auto bytes = [](const QByteArray &data) { return [data](const QString &path) { writeFile(path, data); }; };
    const auto random = [](quint32 seed) { return [seed](const QString &path) { writeRandomBytes(path, 20000, seed); }; };
    const QByteArray beat = note(480);
    // The name is also the file's, with the suffix; the refusal is part of the
    // reason, and left out where either outcome is fine.
    const struct { const char *name, *suffix; std::function<void(const QString &)> make;
                   const char *refusal = nullptr; } rows[] = {
        {"ZeroLength", ".wav", bytes({}), ""},
        {"RandomBytes", ".wav", random(1), ""},
        {"RandomBytes", ".mp3", random(2)},
        {"RandomBytes", ".mid", random(3), ""},
        {"WavCutInItsHeader", ".wav", [](const QString &path) { writeToneWav(path, 1000); QFile::resize(path, 30); }, ""},
        {"WavWithFlippedHeader", ".wav", [](const QString &path) { patchedWav(path, 0, "FFIR"); }, ""},
        {"WavDataClaimingFourGigabytes", ".wav", [](const QString &path) { patchedWav(path, 40, "\xff\xff\xff\xff"); }},
        {"Mp3CutShort", ".mp3", [](const QString &path) { writeToneMp3(path, 1000); QFile::resize(path, 8000); }},
        {"MidiTrackPastTheFile", ".mid", bytes(header(1) + "MTrk" + b({0xff, 0xff, 0xff, 0xff}) + beat + EndOfTrack), "4294967295"},
        {"MidiUndefinedStatus", ".mid", bytes(midi({beat + b({0x00, 0xf4}) + beat})), "undefined status byte F4"},
        {"DirectoryNamedWav", ".wav", [](const QString &path) { ::mkdir(QFile::encodeName(path).constData(), 0700); }, "regular"},
        {"NamedPipeWhereAFileWasListed", ".wav", [](const QString &path) { ::mkfifo(QFile::encodeName(path).constData(), 0600); }, "regular"},
        {"FileDeletedAfterTheListing", ".wav", [](const QString &) {}, ""},
    };
    const QString good = make(Formats[0], u"good"_s, 300);
    for (const auto &row : rows) {
        const QString file = dir.filePath(QString::fromUtf8(row.name) + QString::fromUtf8(row.suffix));
        SCOPED_TRACE(qPrintable(file));
        row.make(file);
        ::alarm(30); // A hang ends the run instead of blocking it.
        const auto player = open(good, fastOutput());
        for (const QString &each : {file, good}) {
            // Named while another file is open, each is opened ahead: only
            // the file named last may be the one that opens.
            player->setFileName(good);
            player->setFileName(each);
            try {
                player->Open();
                player->Play();
            } catch (const MediaError &error) {
                const QString message = QString::fromUtf8(error.what());
                EXPECT_TRUE(each == file && message.contains(file) && message.contains(QString::fromUtf8(row.refusal)))
                    << error.what();
                continue;
            }
            EXPECT_FALSE(each == file && row.refusal) << "played";
            EXPECT_TRUE(waitUntil([&] { return notified == 1; })) << "the play never ended";
            EXPECT_EQ(settle(*player), 1);
        }
        ::alarm(0);
    }
    // The output and the soundfont are the user's to choose, and may be wrong:
    // the message says what is wrong with them.
    const QString tune = make(Formats[2], u"tune"_s, 250);
    const QString sf2 = dir.filePath(u"odd.sf2"_s);
    const GstPlayerConfig odd{"fakesink", sf2};
    QFile system(chooseSoundFont({}));
    ASSERT_TRUE(system.open(QIODevice::ReadOnly)) << "no soundfont installed";
    const QByteArray systemHead = system.read(65536);
    const struct { const char *name; QString file; GstPlayerConfig config; const char *named;
                   std::function<void()> prepare = [] {}; } misconfigured[] = {
        {"OutputNotNamed", good, {"no_such_element sync=true", {}}, "no_such_element"},
        {"MissingSoundFontNotNamed", tune, {"fakesink", u"/no/such.sf2"_s}, "/no/such.sf2\" cannot be read"},
        {"EmptySoundFontTakenForAMissingPlugIn", tune, odd, "is empty", [&] { writeFile(sf2, {}); }},
        {"GarbageTakenForASoundFont", tune, odd, "is not a SoundFont 2 file", [&] { writeRandomBytes(sf2, 5000); }},
        {"CutSoundFontTakenForAWholeOne", tune, odd, "is cut short", [&] { writeFile(sf2, systemHead); }},
        {"DirectoryTakenForASoundFont", tune, odd, "is not a regular file", [&] { QFile::remove(sf2), QDir().mkdir(sf2); }},
        {"NamedPipeOpenedAsASoundFont", tune, odd, "is not a regular file",
         [&] { QDir().rmdir(sf2), ::mkfifo(QFile::encodeName(sf2).constData(), 0600); }},
    };
    for (const auto &row : misconfigured) {
        SCOPED_TRACE(row.name);
        row.prepare();
        try {
            open(row.file, row.config);
            ADD_FAILURE() << "opened";
        } catch (const MediaError &error) {
            EXPECT_TRUE(QByteArray(error.what()).contains(row.named)) << error.what();
        }
    }
}

// The output that sound plays to, e.g. "first".
QByteArray playingOutput(const SoundServer &server)
{
    for (const QByteArray &line : server.pactl({u"list"_s, u"short"_s, u"sinks"_s}).split('\n')) {
        if (line.endsWith("RUNNING"))
            return line.split('\t').value(1);
    }
    return {};
}

// Whether the one stream on the server is corked (paused), as the server sees it.
bool corked(const SoundServer &server)
{
    return server.pactl({u"list"_s, u"sink-inputs"_s}).contains("Corked: yes");
}

// Plays to the desktop's default output through a PulseAudio server of the
// test's own. The process stays pointed at that server, which the other
// tests never reach: they play to fake outputs.
class SoundServerTest : public PlayerTest {
protected:
    void SetUp() override
    {
        qputenv("PULSE_SERVER", server.address().toUtf8());
        ASSERT_TRUE(server.start()) << "no pulseaudio";
    }
    SoundServer server{dir.path(), u"first"_s};
};

TEST_F(SoundServerTest, PlayFollowsTheDefaultOutputAndOutlivesTheSoundServer)
{
    const auto player = open(make(Formats[0], u"long"_s, 10000), GstPlayerConfig{});
    player->Play();
    ASSERT_TRUE(waitUntil([&] { return playingOutput(server) == "first"; })) << "never heard";
    const QByteArray stream = server.pactl({u"list"_s, u"sink-inputs"_s});
    for (const char *property : {"application.name = \"Brookhum\"", "media.role = \"music\"", "media.name = \"long #1"})
        EXPECT_TRUE(stream.contains(property)) << property << " is not in " << stream.constData();

    server.pactl({u"load-module"_s, u"module-null-sink"_s, u"sink_name=second"_s});
    server.pactl({u"set-default-sink"_s, u"second"_s});
    EXPECT_TRUE(waitUntil([&] { return playingOutput(server) == "second"; })) << "stayed on the old output";
    const qint64 movedAt = player->Position();
    EXPECT_TRUE(waitUntil([&] { return player->Position() > movedAt + 500; })) << "play stalled";
    EXPECT_EQ(notified, 0) << "the move ended the play";

    // The lost server ends the file; once it is back, the next file plays.
    server.kill();
    EXPECT_TRUE(waitUntil([&] { return notified == 1; })) << "the lost server went unnoticed";
    ASSERT_TRUE(server.start()) << "no pulseaudio again";
    player->Open();
    player->Play();
    EXPECT_TRUE(waitUntil([&] { return playingOutput(server) == "first"; })) << "not heard again";
    EXPECT_EQ(settle(*player), 2);
}

// A pause or a start that the sound server holds up is made once it answers,
// and a pause the server does not outlive resumes once it is back: the file
// is not given up for dead, and what plays is what the player says.
TEST_F(SoundServerTest, PauseAndResumeOutlastAStallingOrLostSoundServer)
{
    const auto player = open(make(Formats[0], u"long"_s, 20000), GstPlayerConfig{});
    player->Play();
    ASSERT_TRUE(waitUntil([&] { return playingOutput(server) == "first"; })) << "never heard";

    server.hold(true);
    player->Stop(); // returns while the server keeps the pause waiting
    server.hold(false);
    EXPECT_TRUE(waitUntil([&] { return corked(server); })) << "the pause was never made";
    const qint64 pausedAt = player->Position();
    server.hold(true);
    EXPECT_NO_THROW(player->setPosition(pausedAt));
    EXPECT_NO_THROW(player->Play()) << "a held-up start counted as a dead file";
    server.hold(false);
    EXPECT_TRUE(waitUntil([&] { return !corked(server) && player->Position() > pausedAt + 500; })) << "no resume";

    player->Stop();
    ASSERT_TRUE(waitUntil([&] { return corked(server); }));
    const qint64 lostAt = player->Position();
    server.kill();
    ASSERT_TRUE(server.start()) << "no pulseaudio again";
    EXPECT_NO_THROW(player->setPosition(lostAt));
    EXPECT_NO_THROW(player->Play()) << "the pause did not resume once the server was back";
    EXPECT_TRUE(waitUntil([&] { return player->Position() > lostAt + 500; })) << "resumed from elsewhere or not at all";
    EXPECT_EQ(settle(*player), 3);
}

} // namespace
