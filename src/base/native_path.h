#pragma once

#include <QByteArray>
#include <QString>

namespace brookhum {

// Paths travel through the program as QString. On Unix a file name is bytes,
// and old disks hold names that are not UTF-8 (Shift-JIS, for one). Each byte
// that is not part of valid UTF-8 is carried as the lone surrogate
// U+DC80 + (byte - 0x80), so a name goes from the file system to the player,
// into the settings store and back with exactly the bytes it had. On Windows
// names are UTF-16 already and pass unchanged.

// A path as the file system gave it.
QString pathFromNative(QByteArrayView bytes);

// The bytes to hand to the file system for a path.
QByteArray nativePath(QStringView path);

// Whether a path carries bytes that are not UTF-8.
bool hasForeignBytes(QStringView path);

// A path or file name as the user sees it: a component whose bytes are valid
// Shift-JIS (code page 932) is shown decoded, and any other stray byte as the
// replacement character.
QString displayText(QStringView path);

// Whether the path names a regular file, or a directory (links followed).
bool isRegularFile(const QString &path);
bool isDirectory(const QString &path);

// A regular file's contents, read without ever waiting on the file: a named
// pipe, a directory or anything else in its place is refused at once.
struct FileContents {
    QByteArray bytes; // at most the limit asked for
    qint64 size = 0;  // the whole file's size
    QString problem;  // why it cannot be read, e.g. "it is not a regular file"; empty when it was
};
FileContents readRegularFile(const QString &path, qint64 limit);

} // namespace brookhum
