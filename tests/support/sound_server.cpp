#include "support/sound_server.h"

#include "support/event_wait.h"

#include <QProcessEnvironment>

#include <csignal>

using namespace Qt::StringLiterals;

namespace brookhum::test {

SoundServer::SoundServer(const QString &directory, const QString &sinkName)
    : m_socket(directory + u"/native"_s), m_sinkName(sinkName)
{
}

SoundServer::~SoundServer()
{
    kill();
}

bool SoundServer::start()
{
    m_daemon.start(u"pulseaudio"_s, {u"-n"_s, u"--daemonize=no"_s, u"--exit-idle-time=-1"_s, u"--use-pid-file=no"_s,
                                     u"--log-level=error"_s, u"-L"_s,
                                     u"module-null-sink rate=44100 sink_name="_s + m_sinkName, u"-L"_s,
                                     u"module-native-protocol-unix auth-anonymous=1 socket="_s + m_socket});
    return waitUntil([this] { return pactl({u"info"_s}).contains("Server Name"); }, 20000);
}

void SoundServer::kill()
{
    if (m_daemon.state() == QProcess::NotRunning)
        return;
    hold(false);
    m_daemon.kill();
    m_daemon.waitForFinished();
}

void SoundServer::hold(bool held)
{
    if (m_daemon.state() != QProcess::NotRunning)
        ::kill(static_cast<pid_t>(m_daemon.processId()), held ? SIGSTOP : SIGCONT);
}

QString SoundServer::address() const
{
    return u"unix:"_s + m_socket;
}

QByteArray SoundServer::pactl(const QStringList &arguments) const
{
    QProcess client;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"PULSE_SERVER"_s, address());
    client.setProcessEnvironment(environment);
    client.start(u"pactl"_s, arguments);
    client.waitForFinished();
    return client.readAllStandardOutput();
}

} // namespace brookhum::test
