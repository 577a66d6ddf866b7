#pragma once

#include <QByteArray>
#include <QString>

#include <sys/stat.h>

namespace brookhum::settings {

// The settings file on disk. Whatever replaces it (this program, QSettings in
// another) replaces it whole, so an unchanged identity means unchanged bytes.
struct FileIdentity {
    bool exists = false;
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    timespec modified{};

    bool operator==(const FileIdentity &o) const
    {
        return exists == o.exists && device == o.device && inode == o.inode && size == o.size
            && modified.tv_sec == o.modified.tv_sec && modified.tv_nsec == o.modified.tv_nsec;
    }
};

// The identity of the file a path leads to (links followed); `exists` is
// false when there is none. Anything other than a regular file throws
// SettingsError at once, so that nothing ever waits on a named pipe.
FileIdentity fileIdentity(const QString &path);

struct FileSnapshot {
    QByteArray bytes;
    FileIdentity identity; // of the very bytes read
};
FileSnapshot readSettingsFile(const QString &path);

// Puts `bytes` in the file's place in one step, on disk when it returns. A
// symbolic link (a dotfiles folder, say) stays: the file it leads to is the
// one replaced. The file keeps its permissions. Returns the new identity.
FileIdentity replaceFile(const QString &path, const QByteArray &bytes);

// Keeps a private copy of the file's bytes at a path not taken yet.
void writeCopy(const QString &path, const QByteArray &bytes);

// What a file type is, for messages, e.g. "a named pipe".
QString fileTypeText(mode_t mode);

} // namespace brookhum::settings
