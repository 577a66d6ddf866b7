// Playing through a real sound server (PulseAudio with null sinks, which the
// test starts and ends itself): the server going away in the middle of a file
// and coming back, and the default output changing while a file plays.

#include "gst/gst_media_player.h"
#include "base/media_error.h"
#include "support/event_wait.h"
#include "support/media_fixtures.h"
#include "support/scoped_env.h"
#include "support/test_output.h"

#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>

using namespace Qt::StringLiterals;
using namespace brookhum;
using namespace brookhum::test;

namespace {

constexpr int WithinMs = 15000;

// A private PulseAudio daemon with one null sink "first", a child of the
// test, ended by its process id.
class SoundServer {
public:
    explicit SoundServer(const QString &directory) : m_directory(directory)
    {
        QFile script(directory + u"/server.pa"_s);
        script.open(QIODevice::WriteOnly);
        script.write("load-module module-native-protocol-unix socket=" + QFile::encodeName(socket())
                     + " auth-anonymous=1\nload-module module-null-sink sink_name=first\nset-default-sink first\n");
    }
    ~SoundServer() { stop(); }

    QString socket() const { return m_directory + u"/native"_s; }

    bool start()
    {
        m_daemon.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_daemon.start(u"pulseaudio"_s, {u"-n"_s, u"--daemonize=no"_s, u"--exit-idle-time=-1"_s, u"--use-pid-file=no"_s,
                                         u"--log-target=stderr"_s, u"--log-level=error"_s, u"-F"_s,
                                         m_directory + u"/server.pa"_s});
        return m_daemon.waitForStarted() && waitUntil([this] { return pactl({u"info"_s}).contains("Server Name"); }, WithinMs);
    }

    void stop()
    {
        if (m_daemon.state() == QProcess::NotRunning)
            return;
        ::kill(static_cast<pid_t>(m_daemon.processId()), SIGKILL);
        m_daemon.waitForFinished();
    }

    QByteArray pactl(const QStringList &arguments) const
    {
        QProcess client;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"PULSE_SERVER"_s, u"unix:"_s + socket());
        client.setProcessEnvironment(environment);
        client.start(u"pactl"_s, arguments);
        client.waitForFinished();
        return client.readAllStandardOutput();
    }

    // The sink that the one stream playing goes to, e.g. "first".
    QByteArray sinkOfTheStream() const
    {
        const QList<QByteArray> streams = pactl({u"list"_s, u"short"_s, u"sink-inputs"_s}).trimmed().split('\n');
        if (streams.size() != 1 || streams[0].isEmpty())
            return {};
        const QByteArray index = streams[0].split('\t').value(1);
        for (const QByteArray &sink : pactl({u"list"_s, u"short"_s, u"sinks"_s}).split('\n')) {
            if (sink.split('\t').value(0) == index)
                return sink.split('\t').value(1);
        }
        return {};
    }

private:
    QString m_directory;
    QProcess m_daemon;
};

class SoundServerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(server.start()) << "pulseaudio did not start";
        writeToneWav(m_dir.filePath(u"long.wav"_s), 30000);
        player.setFileName(m_dir.filePath(u"long.wav"_s));
    }

    QTemporaryDir m_dir;
    SoundServer server{m_dir.path()};
    // The desktop's default output, reached through this test's own server.
    ScopedAudioSink defaultOutput{QByteArray()};
    ScopedEnv pulseServer{"PULSE_SERVER", "unix:" + QFile::encodeName(server.socket())};
    GstMediaPlayer player{test::testOutput()};
};

} // namespace

TEST_F(SoundServerTest, ServerLostMidFileEndsTheFileAndTheNextPlaysOnceItIsBack)
{
    QSignalSpy notified(&player, &MediaPlayer::Notify);
    player.Open();
    player.Play();
    ASSERT_TRUE(waitUntil([&] { return server.sinkOfTheStream() == "first"; }, WithinMs));

    server.stop();
    EXPECT_TRUE(waitUntil([&] { return notified.count() == 1; }, WithinMs)) << "the lost server went unnoticed";
    player.Close();

    // With no server at all the next file fails to open with a message, or
    // plays to a silent output; either way nothing hangs.
    try {
        player.Open();
        player.Play();
    } catch (const MediaError &e) {
        EXPECT_TRUE(QString::fromUtf8(e.what()).contains(u"long.wav"_s)) << e.what();
    }
    player.Close();

    ASSERT_TRUE(server.start());
    player.Open();
    player.Play();
    EXPECT_TRUE(waitUntil([&] { return server.sinkOfTheStream() == "first"; }, WithinMs)) << "not heard again";
    player.Close();
}

TEST_F(SoundServerTest, PlayFollowsTheDefaultOutputWhenItChanges)
{
    player.Open();
    player.Play();
    ASSERT_TRUE(waitUntil([&] { return server.sinkOfTheStream() == "first"; }, WithinMs));

    server.pactl({u"load-module"_s, u"module-null-sink"_s, u"sink_name=second"_s});
    server.pactl({u"set-default-sink"_s, u"second"_s});
    EXPECT_TRUE(waitUntil([&] { return server.sinkOfTheStream() == "second"; }, WithinMs));
    const qint64 movedAt = player.Position();
    EXPECT_TRUE(waitUntil([&] { return player.Position() > movedAt + 500; }, WithinMs)) << "play stalled";
    player.Close();
}
