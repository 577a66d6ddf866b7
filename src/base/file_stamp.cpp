#include "base/file_stamp.h"

#include "base/native_path.h"

#ifndef Q_OS_WIN
#include <sys/stat.h>
#else
#include <QDateTime>
#include <QFileInfo>
#endif

namespace brookhum {

#ifndef Q_OS_WIN

std::optional<FileStamp> fileStamp(const QString &path)
{
    struct stat st {};
    if (path.isEmpty() || ::stat(nativePath(path).constData(), &st) != 0 || !S_ISREG(st.st_mode))
        return std::nullopt;
    return FileStamp{st.st_size, qint64(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec};
}

#else

std::optional<FileStamp> fileStamp(const QString &path)
{
    const QFileInfo info(path);
    if (!info.isFile())
        return std::nullopt;
    return FileStamp{info.size(), info.lastModified().toMSecsSinceEpoch() * 1'000'000};
}

#endif

} // namespace brookhum
