#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>

namespace brookhum::test {

// A PulseAudio daemon of the test's own with a null sink as its default
// output, on a socket in the given directory, which no other test reaches.
// It is ended by process id when it goes.
class SoundServer {
public:
    SoundServer(const QString &directory, const QString &sinkName);
    ~SoundServer();
    SoundServer(const SoundServer &) = delete;
    SoundServer &operator=(const SoundServer &) = delete;

    // Starts the daemon and waits until it answers; false if it does not.
    bool start();
    // Ends it at once, as a crash would.
    void kill();
    // Stops it answering (SIGSTOP) or lets it go on (SIGCONT), as a stall would.
    void hold(bool held);

    // What PULSE_SERVER names it by.
    QString address() const;
    // What pactl says to the arguments, asked of this server.
    QByteArray pactl(const QStringList &arguments) const;

private:
    QString m_socket;
    QString m_sinkName;
    QProcess m_daemon;
};

} // namespace brookhum::test
