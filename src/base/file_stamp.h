#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>

namespace brookhum {

// What tells one version of a file from another without reading it: its size
// and the time it was last written.
struct FileStamp {
    qint64 size = 0;
    qint64 modifiedNs = 0; // nanoseconds since the epoch

    friend bool operator==(const FileStamp &, const FileStamp &) = default;
};

// The stamp of a regular file (links followed); nullopt when there is none.
std::optional<FileStamp> fileStamp(const QString &path);

} // namespace brookhum
