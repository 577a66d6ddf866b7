#pragma once

#include <QString>

namespace brookhum {

// Keeps one copy of the player per user. The marker is held for the life of
// this object, and released by the system even when the process dies.
//
// On Unix it is an exclusive flock on a file in $XDG_RUNTIME_DIR (a private
// file under the temp directory when that is unset). On Windows it is a named
// mutex in the session's namespace.
class SingleInstance {
public:
    enum class Result { Acquired, AlreadyRunning, Failed };

    explicit SingleInstance(const QString &name);
    ~SingleInstance();
    SingleInstance(const SingleInstance &) = delete;
    SingleInstance &operator=(const SingleInstance &) = delete;

    Result result() const { return m_result; }
    // Why the marker could not be made, for the user (what stands in its
    // place, whose it is, what the system said); empty unless Failed.
    QString problem() const { return m_problem; }
    // The lock file (Unix) or mutex name (Windows) used.
    QString markerPath() const { return m_markerPath; }

private:
    Result m_result = Result::Failed;
    QString m_markerPath;
    QString m_problem;
#ifdef Q_OS_WIN
    void *m_handle = nullptr;
#else
    int m_fd = -1;
#endif
};

} // namespace brookhum
