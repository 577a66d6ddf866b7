#include "app/single_instance.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

using namespace Qt::StringLiterals;

namespace brookhum {

#ifdef Q_OS_WIN

SingleInstance::SingleInstance(const QString &name) : m_markerPath(name)
{
    m_handle = ::CreateMutexW(nullptr, FALSE, reinterpret_cast<LPCWSTR>(name.utf16()));
    if (!m_handle) {
        m_result = Result::Failed;
        m_problem = u"the system refused to make the mutex \"%1\" (error %2)."_s.arg(name).arg(::GetLastError());
    } else if (::GetLastError() == ERROR_ALREADY_EXISTS) {
        ::CloseHandle(m_handle);
        m_handle = nullptr;
        m_result = Result::AlreadyRunning;
    } else {
        m_result = Result::Acquired;
    }
}

SingleInstance::~SingleInstance()
{
    if (m_handle)
        ::CloseHandle(m_handle);
}

#else

namespace {

QString markerDirectory(bool &shared)
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    shared = runtime.isEmpty() || !QFileInfo(runtime).isDir();
    return shared ? QDir::tempPath() : runtime;
}

QString systemError(int error = errno)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// What keeps a marker that could be opened from serving, or an empty text.
QString unfitMarker(const struct stat &st)
{
    if (S_ISDIR(st.st_mode))
        return u"a directory stands in its place. Move it away and start Brookhum again."_s;
    if (S_ISFIFO(st.st_mode))
        return u"a named pipe stands in its place. Move it away and start Brookhum again."_s;
    if (!S_ISREG(st.st_mode))
        return u"something other than a file stands in its place. Move it away and start Brookhum again."_s;
    if (st.st_uid != ::getuid())
        return u"it belongs to another user, who may remove it; or set XDG_RUNTIME_DIR to a directory of your own."_s;
    return {};
}

QString unmakeableMarker(const QString &path, int error)
{
    // A shared temp directory refuses to open another user's file even to
    // its owner's peers (and, with protected_regular, even to root).
    struct stat st {};
    if ((error == EACCES || error == EPERM) && ::lstat(QFile::encodeName(path).constData(), &st) == 0
        && st.st_uid != ::getuid())
        return unfitMarker(st);
    switch (error) {
    case ELOOP:
        return u"a symbolic link stands in its place. Move it away and start Brookhum again."_s;
    case EISDIR:
        return u"a directory stands in its place. Move it away and start Brookhum again."_s;
    case EACCES:
    case EPERM:
    case EROFS:
        return systemError(error) + u". Check that its directory is yours and writable, or set XDG_RUNTIME_DIR to one that is."_s;
    default:
        return systemError(error) + u'.';
    }
}

} // namespace

SingleInstance::SingleInstance(const QString &name)
{
    bool sharedDirectory = false;
    const QString directory = markerDirectory(sharedDirectory);
    // A shared temp directory needs a per-user name; O_NOFOLLOW and the owner
    // check keep another user's file or link from standing in for ours.
    m_markerPath = sharedDirectory ? u"%1/%2-%3.lock"_s.arg(directory, name).arg(::getuid())
                                   : u"%1/%2.lock"_s.arg(directory, name);

    m_fd = ::open(QFile::encodeName(m_markerPath).constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0600);
    if (m_fd < 0) {
        m_problem = unmakeableMarker(m_markerPath, errno);
        return;
    }
    struct stat st {};
    m_problem = ::fstat(m_fd, &st) != 0 ? systemError() + u'.' : unfitMarker(st);
    if (m_problem.isEmpty() && ::flock(m_fd, LOCK_EX | LOCK_NB) == 0) {
        m_result = Result::Acquired;
        return;
    }
    if (m_problem.isEmpty()) {
        if (errno == EWOULDBLOCK)
            m_result = Result::AlreadyRunning;
        else
            m_problem = systemError() + u'.';
    }
    ::close(m_fd);
    m_fd = -1;
}

SingleInstance::~SingleInstance()
{
    if (m_fd >= 0)
        ::close(m_fd); // closing the last descriptor releases the lock
}

#endif

} // namespace brookhum
