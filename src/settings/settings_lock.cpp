#include "settings/settings_lock.h"

#include "base/native_path.h"
#include "settings/settings_error.h"
#include "settings/settings_file.h"

#include <chrono>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace brookhum::settings {

namespace {

QString lockPath(const QString &settingsPath)
{
    return settingsPath + u".lock"_s;
}

} // namespace

SettingsLock::SettingsLock(const QString &settingsPath) : m_lock(lockPath(settingsPath))
{
    // A live holder keeps a lock on the file itself, which QLockFile checks
    // before it removes a lock it takes for stale; so a short stale time only
    // hastens the take-over of a lock nobody holds. It is not zero, to leave a
    // program the moment between making its lock file and locking it.
    m_lock.setStaleLockTime(100ms);
    if (m_lock.tryLock(3s))
        return;
    const QString path = displayText(lockPath(settingsPath));
    switch (m_lock.error()) {
    case QLockFile::LockFailedError:
        throw SettingsError(u"Another program has held the lock \"%1\" of the settings file for too long; "
                            "try again later."_s.arg(path));
    case QLockFile::PermissionError:
        throw SettingsError(u"Cannot make the lock \"%1\" of the settings file: no permission."_s.arg(path));
    case QLockFile::NoError:
    case QLockFile::UnknownError:
        break;
    }
    throw SettingsError(u"Cannot make the lock \"%1\" of the settings file."_s.arg(path));
}

void refuseLockInTheWay(const QString &settingsPath)
{
    const QString lock = lockPath(settingsPath);
    struct stat st {};
    if (::lstat(nativePath(lock).constData(), &st) == 0 && !S_ISREG(st.st_mode)) {
        throw SettingsError(u"Cannot use the settings file: \"%1\" is %2 where its lock file goes. "
                            "Move it away and start Brookhum again."_s.arg(displayText(lock), fileTypeText(st.st_mode)));
    }
}

} // namespace brookhum::settings
