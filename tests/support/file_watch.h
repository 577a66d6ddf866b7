#pragma once

#include <QFile>
#include <QFileInfo>
#include <QString>

#include <sys/inotify.h>
#include <unistd.h>

namespace brookhum::test {

// Counts, from the kernel's own reports, how often a file is put in place by
// a rename (a replacement) and how often it is read, while the watch lives.
class FileWatch {
public:
    explicit FileWatch(const QString &path)
        : m_fd(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)), m_name(QFile::encodeName(QFileInfo(path).fileName()))
    {
        inotify_add_watch(m_fd, QFile::encodeName(QFileInfo(path).path()).constData(), IN_MOVED_TO | IN_ACCESS);
    }
    ~FileWatch() { ::close(m_fd); }
    FileWatch(const FileWatch &) = delete;
    FileWatch &operator=(const FileWatch &) = delete;

    int replacements() { return drain(), m_replaced; }
    int reads() { return drain(), m_read; }

private:
    void drain()
    {
        alignas(inotify_event) char buffer[8192];
        for (ssize_t n; (n = ::read(m_fd, buffer, sizeof buffer)) > 0;) {
            for (ssize_t at = 0; at < n;) {
                const auto *event = reinterpret_cast<const inotify_event *>(buffer + at);
                if (event->len > 0 && m_name == event->name) {
                    m_replaced += (event->mask & IN_MOVED_TO) ? 1 : 0;
                    m_read += (event->mask & IN_ACCESS) ? 1 : 0;
                }
                at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
            }
        }
    }

    int m_fd;
    QByteArray m_name;
    int m_replaced = 0;
    int m_read = 0;
};

} // namespace brookhum::test
