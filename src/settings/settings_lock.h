#pragma once

#include <QLockFile>
#include <QString>

namespace brookhum::settings {

// "<file>.lock", held while the settings file is replaced, as QSettings holds
// it: other programs that write the file through QSettings wait for us, and
// we for them. A lock that no live program holds (the empty file a crash
// leaves, one of a process that has ended) is taken over at once; one that a
// live program keeps for more than a few seconds makes the write fail rather
// than freeze the program.
class SettingsLock {
public:
    // Throws SettingsError when the lock cannot be had.
    explicit SettingsLock(const QString &settingsPath);

private:
    QLockFile m_lock;
};

// Throws SettingsError at once when something other than a file (a directory,
// a named pipe) stands where the lock file goes, which no lock could ever be
// made of.
void refuseLockInTheWay(const QString &settingsPath);

} // namespace brookhum::settings
