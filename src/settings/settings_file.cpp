#include "settings/settings_file.h"

#include "base/native_path.h"
#include "settings/settings_error.h"

#include <QFileInfo>

#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace brookhum::settings {

namespace {

QString systemError()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

// Closes the descriptor it holds.
class Descriptor {
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;

    int get() const { return m_fd; }
    bool isOpen() const { return m_fd >= 0; }

private:
    int m_fd;
};

FileIdentity identityOf(const QString &path, const struct stat &st)
{
    if (!S_ISREG(st.st_mode)) {
        throw SettingsError(u"Cannot keep the settings in \"%1\": it is %2, not a regular file. "
                            "Move it away and start Brookhum again."_s.arg(displayText(path), fileTypeText(st.st_mode)));
    }
    return {true, st.st_dev, st.st_ino, st.st_size, st.st_mtim};
}

bool writeAll(int fd, const QByteArray &bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, static_cast<size_t>(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += n;
    }
    return ::fsync(fd) == 0;
}

// The file a path leads to through any symbolic links; the path itself when
// it is none.
QString linkTarget(QString path)
{
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (::lstat(nativePath(path).constData(), &st) != 0 || !S_ISLNK(st.st_mode))
            return path;
        QByteArray target(static_cast<qsizetype>(PATH_MAX), '\0');
        const ssize_t length = ::readlink(nativePath(path).constData(), target.data(), static_cast<size_t>(target.size()));
        if (length < 0)
            return path;
        target.truncate(length);
        const QString next = pathFromNative(target);
        path = next.startsWith(u'/') ? next : QFileInfo(path).path() + u'/' + next;
    }
    return path;
}

} // namespace

QString fileTypeText(mode_t mode)
{
    if (S_ISDIR(mode))
        return u"a directory"_s;
    if (S_ISFIFO(mode))
        return u"a named pipe"_s;
    if (S_ISSOCK(mode))
        return u"a socket"_s;
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return u"a device"_s;
    if (S_ISLNK(mode))
        return u"a symbolic link"_s;
    return u"not a regular file"_s;
}

FileIdentity fileIdentity(const QString &path)
{
    struct stat st {};
    if (::stat(nativePath(path).constData(), &st) != 0) {
        if (errno == ENOENT)
            return {};
        throw SettingsError(u"Cannot reach the settings file \"%1\": %2."_s.arg(displayText(path), systemError()));
    }
    return identityOf(path, st);
}

FileSnapshot readSettingsFile(const QString &path)
{
    // Opened without waiting, so that a named pipe put there is refused
    // rather than read from.
    const Descriptor fd(::open(nativePath(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (!fd.isOpen()) {
        if (errno == ENOENT)
            return {};
        throw SettingsError(u"Cannot read the settings file \"%1\": %2."_s.arg(displayText(path), systemError()));
    }
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0)
        throw SettingsError(u"Cannot read the settings file \"%1\": %2."_s.arg(displayText(path), systemError()));
    FileSnapshot snapshot{{}, identityOf(path, st)};
    snapshot.bytes.resize(static_cast<qsizetype>(st.st_size));
    qsizetype done = 0;
    for (;;) {
        if (done == snapshot.bytes.size())
            snapshot.bytes.resize(done + 65536);
        const ssize_t n = ::read(fd.get(), snapshot.bytes.data() + done, static_cast<size_t>(snapshot.bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            throw SettingsError(u"Cannot read the settings file \"%1\": %2."_s.arg(displayText(path), systemError()));
        if (n == 0)
            break;
        done += n;
    }
    snapshot.bytes.truncate(done);
    return snapshot;
}

FileIdentity replaceFile(const QString &path, const QByteArray &bytes)
{
    const QString target = linkTarget(path);
    const QByteArray targetBytes = nativePath(target);
    const QByteArray temporary = targetBytes + ".saving";
    const auto failed = [&] {
        const QString reason = systemError();
        ::unlink(temporary.constData());
        return SettingsError(u"Cannot write the settings file \"%1\": %2."_s.arg(displayText(target), reason));
    };
    struct stat old {};
    const bool replacing = ::stat(targetBytes.constData(), &old) == 0;
    ::unlink(temporary.constData());
    struct stat st {};
    {
        const Descriptor fd(::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666));
        if (!fd.isOpen())
            throw failed();
        if ((replacing && ::fchmod(fd.get(), old.st_mode & 07777) != 0) || !writeAll(fd.get(), bytes)
            || ::fstat(fd.get(), &st) != 0)
            throw failed();
    }
    if (::rename(temporary.constData(), targetBytes.constData()) != 0)
        throw failed();
    return identityOf(target, st);
}

void writeCopy(const QString &path, const QByteArray &bytes)
{
    const Descriptor fd(::open(nativePath(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
    if (!fd.isOpen() || !writeAll(fd.get(), bytes))
        throw SettingsError(u"Cannot keep a copy of the settings file as \"%1\": %2."_s.arg(displayText(path), systemError()));
}

} // namespace brookhum::settings
