// The GStreamer media player on real media files. The files are made by the
// tests; sound goes to a fake sink, which decodes as fast as it can unless a
// test asks for real-time pacing because it needs to act in the middle of a
// play.

#include "gst/gst_bus_event.h"
#include "gst/gst_media_player.h"
#include "base/media_error.h"
#include "base/native_path.h"
#include "support/event_wait.h"
#include "support/media_fixtures.h"
#include "support/scoped_env.h"
#include "support/test_output.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <functional>
#include <memory>

using namespace Qt::StringLiterals;

namespace brookhum {
namespace {

using test::ScopedAudioSink;

constexpr int WaitMs = 10000;
// How long a test listens for a notification that must not come.
constexpr int QuietMs = 200;
// How far a resumed play may be from where it paused.
constexpr qint64 ResumeToleranceMs = 100;


// Playing in real time, so that a test can act while a play is under way.
ScopedAudioSink realTimeSink()
{
    return ScopedAudioSink("fakesink sync=true");
}

bool waitUntil(const std::function<bool()> &condition, int timeoutMs = WaitMs)
{
    return test::waitUntil(condition, timeoutMs);
}

// Waits until the spy has seen `count` notifications, then listens a little
// longer for any that should not come.
void expectNotifications(QSignalSpy &spy, int count)
{
    ASSERT_TRUE(waitUntil([&] { return spy.count() >= count; })) << "only " << spy.count() << " of " << count;
    waitUntil([&] { return spy.count() > count; }, QuietMs);
    EXPECT_EQ(spy.count(), count);
}

enum class Format { Wav, Mp3, Midi };

struct FormatCase {
    const char *name;
    Format format;
    const char *suffix;
};

const FormatCase AllFormats[] = {
    {"wav", Format::Wav, ".wav"},
    {"mp3", Format::Mp3, ".mp3"},
    {"midi", Format::Midi, ".mid"},
};

void PrintTo(const FormatCase &row, std::ostream *out)
{
    *out << row.name;
}

std::string formatName(const testing::TestParamInfo<FormatCase> &info)
{
    return info.param.name;
}

class GstMediaPlayerTest : public testing::Test {
protected:
    QString path(const QString &name) const { return QDir(m_dir.path()).filePath(name); }

    QString makeMedia(Format format, const QString &baseName, int durationMs) const
    {
        switch (format) {
        case Format::Wav:
            test::writeToneWav(path(baseName + u".wav"_s), durationMs);
            return path(baseName + u".wav"_s);
        case Format::Mp3:
            test::writeToneMp3(path(baseName + u".mp3"_s), durationMs);
            return path(baseName + u".mp3"_s);
        case Format::Midi:
            test::writeMidiFile(path(baseName + u".mid"_s), durationMs);
            return path(baseName + u".mid"_s);
        }
        return {};
    }

    QString makeWav(int durationMs) const { return makeMedia(Format::Wav, u"tone"_s, durationMs); }

    std::unique_ptr<GstMediaPlayer> openPlayer(const QString &file) const
    {
        auto player = std::make_unique<GstMediaPlayer>(test::testOutput());
        player->setFileName(file);
        player->setTimeFormat(MediaPlayer::TimeFormat::Milliseconds);
        player->Open();
        return player;
    }

    QTemporaryDir m_dir;
};

// --- Files that cannot be played --------------------------------------------

struct BadFileCase {
    const char *name;
    const char *fileName;
    std::function<void(const QString &path, const QString &directory)> make;
};

void PrintTo(const BadFileCase &row, std::ostream *out)
{
    *out << row.name;
}

class GstMediaPlayerOpenErrorTest : public GstMediaPlayerTest, public testing::WithParamInterface<BadFileCase> {};

TEST_P(GstMediaPlayerOpenErrorTest, OpenThrowsNamingTheFileAndRaisesNoNotification)
{
    const QString name = QString::fromUtf8(GetParam().fileName);
    const QString file = name.isEmpty() ? QString() : path(name);
    GetParam().make(file, m_dir.path());
    GstMediaPlayer player{test::testOutput()};
    QSignalSpy notified(&player, &MediaPlayer::Notify);
    player.setFileName(file);

    try {
        player.Open();
        FAIL() << "Open succeeded";
    } catch (const MediaError &error) {
        const QString message = QString::fromStdString(error.what());
        EXPECT_TRUE(message.startsWith(u"Cannot play \"%1\": "_s.arg(file))) << error.what();
        EXPECT_GT(message.size(), u"Cannot play \"%1\": "_s.arg(file).size()) << "no reason given";
    }
    EXPECT_THROW(player.Play(), MediaError);
    EXPECT_NO_THROW(player.Stop());
    EXPECT_NO_THROW(player.Close());
    expectNotifications(notified, 0);
}

INSTANTIATE_TEST_SUITE_P(
    BadFiles, GstMediaPlayerOpenErrorTest,
    testing::Values(
        BadFileCase{"missing", "missing.wav", [](const QString &, const QString &) {}},
        BadFileCase{"zero_bytes", "empty.mp3", [](const QString &file, const QString &) { test::writeEmptyFile(file); }},
        BadFileCase{"random_mp3", "noise.mp3",
                    [](const QString &file, const QString &) { test::writeRandomBytes(file, 20000); }},
        BadFileCase{"random_wav", "noise.wav",
                    [](const QString &file, const QString &) { test::writeRandomBytes(file, 20000, 2); }},
        BadFileCase{"random_mid", "noise.mid",
                    [](const QString &file, const QString &) { test::writeRandomBytes(file, 20000, 3); }},
        BadFileCase{"truncated_mp3", "cut.mp3",
                    [](const QString &file, const QString &directory) {
                        const QString whole = QDir(directory).filePath(u"whole.mp3"_s);
                        test::writeToneMp3(whole, 1000);
                        test::writeTruncatedCopy(whole, file, 300);
                    }},
        BadFileCase{"picture_without_sound", "picture.wav",
                    [](const QString &file, const QString &) { test::writePicturePng(file); }},
        BadFileCase{"directory", "folder.wav",
                    [](const QString &file, const QString &) { QDir().mkpath(file); }},
        BadFileCase{"no_name", "", [](const QString &, const QString &) {}}),
    [](const testing::TestParamInfo<BadFileCase> &info) { return std::string(info.param.name); });

TEST_F(GstMediaPlayerTest, UnusableAudioSinkDescriptionFailsOpenClearly)
{
    const QString file = makeWav(200);
    const ScopedAudioSink sink("no_such_element_anywhere sync=true");
    GstMediaPlayer player{test::testOutput()};
    player.setFileName(file);
    try {
        player.Open();
        FAIL() << "Open succeeded";
    } catch (const MediaError &error) {
        const QString message = QString::fromStdString(error.what());
        EXPECT_TRUE(message.contains(file)) << error.what();
        EXPECT_TRUE(message.contains(u"no_such_element_anywhere"_s)) << error.what();
    }
}

// --- One notification for each play -----------------------------------------

// What ends a play, and how many notifications the plays involved must raise.
struct EndingCase {
    const char *name;
    std::function<void(GstMediaPlayer &player)> end;
    int notifications;
};

void PrintTo(const EndingCase &row, std::ostream *out)
{
    *out << row.name;
}

class GstMediaPlayerEndingTest : public GstMediaPlayerTest, public testing::WithParamInterface<EndingCase> {};

TEST_P(GstMediaPlayerEndingTest, EachPlayIsNotifiedOnceAfterTheCallReturns)
{
    const ScopedAudioSink sink = realTimeSink();
    const auto player = openPlayer(makeWav(300));
    QSignalSpy notified(player.get(), &MediaPlayer::Notify);
    bool insideCall = false;
    bool notifiedInsideCall = false;
    QObject::connect(player.get(), &MediaPlayer::Notify, player.get(),
                     [&] { notifiedInsideCall = notifiedInsideCall || insideCall; });

    insideCall = true;
    player->Play();
    GetParam().end(*player);
    insideCall = false;

    EXPECT_EQ(notified.count(), 0) << "notified before returning to the event loop";
    expectNotifications(notified, GetParam().notifications);
    EXPECT_FALSE(notifiedInsideCall);
}

INSTANTIATE_TEST_SUITE_P(
    Endings, GstMediaPlayerEndingTest,
    testing::Values(EndingCase{"natural_end", [](GstMediaPlayer &) {}, 1},
                    EndingCase{"stop", [](GstMediaPlayer &p) { p.Stop(); }, 1},
                    EndingCase{"close", [](GstMediaPlayer &p) { p.Close(); }, 1},
                    EndingCase{"stop_then_close",
                               [](GstMediaPlayer &p) {
                                   p.Stop();
                                   p.Close();
                               },
                               1},
                    EndingCase{"stop_twice",
                               [](GstMediaPlayer &p) {
                                   p.Stop();
                                   p.Stop();
                               },
                               1},
                    EndingCase{"play_again_while_playing", [](GstMediaPlayer &p) { p.Play(); }, 2},
                    EndingCase{"open_again_while_playing", [](GstMediaPlayer &p) { p.Open(); }, 1},
                    EndingCase{"stop_then_play_to_the_end",
                               [](GstMediaPlayer &p) {
                                   p.Stop();
                                   p.Play();
                               },
                               2}),
    [](const testing::TestParamInfo<EndingCase> &info) { return std::string(info.param.name); });

// --- Messages that arrive too late -------------------------------------------

// Keeps a copy of every end-of-stream message the player receives, with the
// stamps it came with, so that a test can deliver it again later.
class EndOfStreamRecorder : public QObject {
public:
    explicit EndOfStreamRecorder(QObject *player) { player->installEventFilter(this); }

    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == GstBusEvent::eventType()) {
            const auto *bus = static_cast<GstBusEvent *>(event);
            if (GST_MESSAGE_TYPE(bus->message()) == GST_MESSAGE_EOS)
                recorded = std::make_unique<GstBusEvent>(bus->message(), bus->generation(), bus->playId());
        }
        return false;
    }

    // A new event with the recorded stamps, carrying the given message or
    // the recorded one.
    GstBusEvent *replay(GstMessage *message = nullptr) const
    {
        return new GstBusEvent(message ? message : recorded->message(), recorded->generation(), recorded->playId());
    }

    std::unique_ptr<GstBusEvent> recorded;
};

GstMessagePtr errorMessage()
{
    GError *error = g_error_new_literal(GST_STREAM_ERROR, GST_STREAM_ERROR_FAILED, "stale failure");
    GstMessagePtr message(gst_message_new_error(nullptr, error, nullptr));
    g_error_free(error);
    return message;
}

struct StaleCase {
    const char *name;
    bool reopen;      // the next play is on a new pipeline
    bool replayError; // the late message is an error rather than the end
};

void PrintTo(const StaleCase &row, std::ostream *out)
{
    *out << row.name;
}

class GstMediaPlayerStaleMessageTest : public GstMediaPlayerTest, public testing::WithParamInterface<StaleCase> {};

TEST_P(GstMediaPlayerStaleMessageTest, LateMessageOfAnEarlierPlayDoesNotEndTheNextOne)
{
    const ScopedAudioSink sink = realTimeSink();
    const auto player = openPlayer(makeWav(300));
    const EndOfStreamRecorder recorder(player.get());
    QSignalSpy notified(player.get(), &MediaPlayer::Notify);
    player->Play();
    expectNotifications(notified, 1);
    ASSERT_TRUE(recorder.recorded);

    if (GetParam().reopen) {
        player->Close();
        player->Open();
    } else {
        player->setPosition(0);
    }
    player->Play();
    const GstMessagePtr error = errorMessage();
    QCoreApplication::postEvent(player.get(), recorder.replay(GetParam().replayError ? error.get() : nullptr));

    qint64 positionAtSecondNotification = -1;
    QObject::connect(player.get(), &MediaPlayer::Notify, player.get(), [&] {
        if (notified.count() == 2)
            positionAtSecondNotification = player->Position();
    });
    expectNotifications(notified, 2);
    EXPECT_GE(positionAtSecondNotification, 250) << "the second play was ended by the late message";
    EXPECT_NO_THROW(player->setPosition(0));
    EXPECT_NO_THROW(player->Play()) << "the late error was taken for the current pipeline's";
    player->Close();
}

INSTANTIATE_TEST_SUITE_P(StaleMessages, GstMediaPlayerStaleMessageTest,
                         testing::Values(StaleCase{"end_of_earlier_play", false, false},
                                         StaleCase{"end_of_earlier_pipeline", true, false},
                                         StaleCase{"error_of_earlier_pipeline", true, true}),
                         [](const testing::TestParamInfo<StaleCase> &info) { return std::string(info.param.name); });

// --- Idle players and failures -------------------------------------------------

TEST_F(GstMediaPlayerTest, OpenAndStopOrCloseWhileIdleRaiseNoNotification)
{
    GstMediaPlayer player{test::testOutput()};
    QSignalSpy notified(&player, &MediaPlayer::Notify);
    player.Stop();
    player.Close();
    player.setFileName(makeWav(200));
    player.Open();
    player.Stop();
    player.Open();
    player.Close();
    player.Close();
    expectNotifications(notified, 0);
}

TEST_F(GstMediaPlayerTest, PlayingAgainAfterTheEndEndsAgain)
{
    const auto player = openPlayer(makeWav(200));
    QSignalSpy notified(player.get(), &MediaPlayer::Notify);
    player->Play();
    expectNotifications(notified, 1);
    player->Play();
    expectNotifications(notified, 2);
}

TEST_F(GstMediaPlayerTest, NotificationIsNeverDeliveredInsideAnother)
{
    const ScopedAudioSink sink = realTimeSink();
    const auto player = openPlayer(makeWav(2000));
    QSignalSpy notified(player.get(), &MediaPlayer::Notify);
    int depth = 0;
    int deepest = 0;
    QObject::connect(player.get(), &MediaPlayer::Notify, player.get(), [&] {
        ++depth;
        deepest = std::max(deepest, depth);
        if (notified.count() == 1) {
            // A handler that lets posted events run while the second play's
            // notification is already waiting.
            QCoreApplication::sendPostedEvents();
        }
        --depth;
    });
    player->Play();
    player->Play();
    player->Stop();
    expectNotifications(notified, 2);
    EXPECT_EQ(deepest, 1);
}

TEST_F(GstMediaPlayerTest, ErrorWhilePlayingEndsThePlayOnce)
{
    const QString file = makeWav(5000);
    // The sink chain fails a few buffers in, after the file has opened.
    const ScopedAudioSink sink("identity error-after=5 ! fakesink sync=false");
    const auto player = openPlayer(file);
    QSignalSpy notified(player.get(), &MediaPlayer::Notify);
    player->Play();
    expectNotifications(notified, 1);
    EXPECT_THROW(player->Play(), MediaError);
    player->Close();
    expectNotifications(notified, 1);
}

TEST_F(GstMediaPlayerTest, PlayAndPositionOfAClosedPlayer)
{
    const auto player = openPlayer(makeWav(200));
    player->Close();
    EXPECT_THROW(player->Play(), MediaError);
    EXPECT_THROW(player->setPosition(100), MediaError);
    EXPECT_EQ(player->Position(), 0);
}

TEST_F(GstMediaPlayerTest, PositionPastTheEndIsAnError)
{
    const auto player = openPlayer(makeWav(500));
    EXPECT_THROW(player->setPosition(5000), MediaError);
    EXPECT_THROW(player->setPosition(-1), MediaError);
}

TEST_F(GstMediaPlayerTest, TwoPlayersSoundAtTheSameTime)
{
    const ScopedAudioSink sink = realTimeSink();
    const auto track = openPlayer(makeMedia(Format::Wav, u"track"_s, 600));
    const auto preview = openPlayer(makeMedia(Format::Midi, u"preview"_s, 600));
    QSignalSpy trackNotified(track.get(), &MediaPlayer::Notify);
    QSignalSpy previewNotified(preview.get(), &MediaPlayer::Notify);
    track->Play();
    preview->Play();
    EXPECT_TRUE(waitUntil([&] {
        return track->Position() > 50 && preview->Position() > 50 && trackNotified.isEmpty()
            && previewNotified.isEmpty();
    })) << "the two were never playing at the same time";
    expectNotifications(trackNotified, 1);
    expectNotifications(previewNotified, 1);
}

// --- Every format ------------------------------------------------------------

class GstMediaPlayerFormatTest : public GstMediaPlayerTest, public testing::WithParamInterface<FormatCase> {};

TEST_P(GstMediaPlayerFormatTest, PausedPlayResumesWherePaused)
{
    const ScopedAudioSink sink = realTimeSink();
    const auto player = openPlayer(makeMedia(GetParam().format, u"piece"_s, 2000));
    QSignalSpy notified(player.get(), &MediaPlayer::Notify);
    player->Play();
    ASSERT_TRUE(waitUntil([&] { return player->Position() >= 250; }));
    player->Stop();
    const qint64 paused = player->Position();
    EXPECT_GE(paused, 250);
    EXPECT_LT(paused, 2000);
    EXPECT_FALSE(waitUntil([&] { return player->Position() > paused + 20; }, QuietMs)) << "still playing";

    // Somewhere else first, so that coming back is a real seek.
    player->setPosition(0);
    EXPECT_LE(player->Position(), ResumeToleranceMs);
    player->setPosition(paused);
    EXPECT_NEAR(player->Position(), paused, ResumeToleranceMs);
    player->Play();
    EXPECT_NEAR(player->Position(), paused, ResumeToleranceMs);
    ASSERT_TRUE(waitUntil([&] { return player->Position() > paused + 50; })) << "did not play on";
    player->Close();
    expectNotifications(notified, 2);
}

TEST_P(GstMediaPlayerFormatTest, SettingThePositionItHasNeverFails)
{
    const auto player = openPlayer(makeMedia(GetParam().format, u"piece"_s, 500));
    QSignalSpy notified(player.get(), &MediaPlayer::Notify);
    EXPECT_NO_THROW(player->setPosition(player->Position()));
    player->Play();
    expectNotifications(notified, 1);
    const qint64 end = player->Position();
    EXPECT_GT(end, 0);
    EXPECT_NO_THROW(player->setPosition(end));
    EXPECT_NO_THROW(player->setPosition(player->Position()));
    player->Play();
    expectNotifications(notified, 2);
}

TEST_P(GstMediaPlayerFormatTest, ClosingReleasesTheWholePipeline)
{
    // Every bus message holds its source element; one message kept too many
    // keeps a pipeline, and for MIDI its loaded soundfont, alive for ever.
    const auto player = openPlayer(makeMedia(GetParam().format, u"piece"_s, 200));
    EndOfStreamRecorder endOfStream(player.get());
    QSignalSpy notified(player.get(), &MediaPlayer::Notify);
    player->Play();
    expectNotifications(notified, 1);
    ASSERT_TRUE(endOfStream.recorded);

    // A MIDI pipeline is taken down on a worker thread.
    std::atomic<bool> released = false;
    const auto markReleased = [](gpointer flag, GObject *) { static_cast<std::atomic<bool> *>(flag)->store(true); };
    GObject *pipeline = G_OBJECT(GST_MESSAGE_SRC(endOfStream.recorded->message()));
    g_object_weak_ref(pipeline, markReleased, &released);
    endOfStream.recorded.reset();

    player->Close();
    EXPECT_TRUE(waitUntil([&] { return released.load(); }));
    if (!released)
        g_object_weak_unref(pipeline, markReleased, &released);
}

TEST_P(GstMediaPlayerFormatTest, PlaysAFileWhosePathHasAwkwardCharacters)
{
    const QString directory = path(u"dir with spaces #1 100%"_s);
    ASSERT_TRUE(QDir().mkpath(directory));
    const QString suffix = QLatin1StringView(GetParam().suffix);
    // The second name is Shift-JIS from an old disk: not UTF-8 at all.
    for (const QString &name : {u"it's a \"tone\" #2 %41 音楽 é"_s, pathFromNative("\x93\xfa\x96\x7b")}) {
        const QString file = directory + u'/' + name + suffix;
        const QString made = makeMedia(GetParam().format, u"plain"_s, 300);
        ASSERT_EQ(::rename(nativePath(made).constData(), nativePath(file).constData()), 0);

        const auto player = openPlayer(file);
        EXPECT_EQ(player->FileName(), file);
        QSignalSpy notified(player.get(), &MediaPlayer::Notify);
        player->Play();
        expectNotifications(notified, 1);
        EXPECT_GT(player->Position(), 200);
    }
}

INSTANTIATE_TEST_SUITE_P(Formats, GstMediaPlayerFormatTest, testing::ValuesIn(AllFormats), formatName);

} // namespace
} // namespace brookhum
