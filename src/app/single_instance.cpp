#include "app/single_instance.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <cerrno>
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

} // namespace

SingleInstance::SingleInstance(const QString &name)
{
    bool sharedDirectory = false;
    const QString directory = markerDirectory(sharedDirectory);
    // A shared temp directory needs a per-user name; O_NOFOLLOW and the owner
    // check keep another user's file or link from standing in for ours.
    m_markerPath = sharedDirectory ? u"%1/%2-%3.lock"_s.arg(directory, name).arg(::getuid())
                                   : u"%1/%2.lock"_s.arg(directory, name);

    m_fd = ::open(QFile::encodeName(m_markerPath).constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (m_fd < 0)
        return;
    struct stat st {};
    if (::fstat(m_fd, &st) != 0 || st.st_uid != ::getuid() || !S_ISREG(st.st_mode)) {
        ::close(m_fd);
        m_fd = -1;
        return;
    }
    if (::flock(m_fd, LOCK_EX | LOCK_NB) == 0) {
        m_result = Result::Acquired;
        return;
    }
    m_result = errno == EWOULDBLOCK ? Result::AlreadyRunning : Result::Failed;
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
