#include "base/directory_listing.h"

#include "base/native_path.h"

#include <QDir>

#include <algorithm>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#ifndef Q_OS_WIN
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#endif

namespace brookhum {

namespace {

char foldAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool endsWithPlayableExtension(std::string_view name)
{
    if (name.size() < 5) // at least one character before ".xyz"
        return false;
    const std::string_view tail = name.substr(name.size() - 4);
    if (tail[0] != '.')
        return false;
    const char ext[3] = {foldAscii(tail[1]), foldAscii(tail[2]), foldAscii(tail[3])};
    const std::string_view e(ext, 3);
    return e == "mid" || e == "wav" || e == "mp3";
}

// Case-folded byte order, exact bytes breaking ties: a total, stable order
// that needs no decoding of names that are never kept.
bool nameLess(const std::string &a, const std::string &b)
{
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        const auto fa = static_cast<unsigned char>(foldAscii(a[i]));
        const auto fb = static_cast<unsigned char>(foldAscii(b[i]));
        if (fa != fb)
            return fa < fb;
    }
    if (a.size() != b.size())
        return a.size() < b.size();
    return a < b;
}

// Keeps the `limit` smallest names seen, in order.
class SmallestNames {
public:
    explicit SmallestNames(int limit) : m_limit(static_cast<size_t>(std::max(limit, 0))) { m_names.reserve(std::min<size_t>(m_limit, 64) + 1); }

    void offer(std::string_view candidate)
    {
        if (m_limit == 0)
            return;
        std::string name(candidate);
        if (m_names.size() == m_limit && !nameLess(name, m_names.back()))
            return;
        m_names.insert(std::upper_bound(m_names.begin(), m_names.end(), name, nameLess), std::move(name));
        if (m_names.size() > m_limit)
            m_names.pop_back();
    }

    const std::vector<std::string> &names() const { return m_names; }

private:
    size_t m_limit;
    std::vector<std::string> m_names;
};

QString joinPath(const QString &directory, const QString &name)
{
    if (directory.endsWith(QLatin1Char('/')) || directory.endsWith(QLatin1Char('\\')))
        return directory + name;
    return directory + QLatin1Char('/') + name;
}

} // namespace

bool hasPlayableExtension(const QString &fileName)
{
    return endsWithPlayableExtension(fileName.toStdString());
}

#ifndef Q_OS_WIN

namespace {

enum class EntryKind { PlayableFile, Subdirectory };

// The names of a directory's entries of one kind, hidden ones left out,
// keeping the `limit` first in name order. nullopt when the directory cannot
// be read.
std::optional<QStringList> scanDirectory(const QString &directory, EntryKind kind, int limit)
{
    if (directory.isEmpty())
        return std::nullopt;
    DIR *dir = ::opendir(nativePath(directory).constData());
    if (!dir)
        return std::nullopt;
    struct Closer {
        DIR *d;
        ~Closer() { ::closedir(d); }
    } closer{dir};
    const int dirFd = ::dirfd(dir);
    const bool wantFiles = kind == EntryKind::PlayableFile;

    SmallestNames kept(limit);
    while (const dirent *entry = ::readdir(dir)) {
        const std::string_view name(entry->d_name);
        if (name.empty() || name[0] == '.' || (wantFiles && !endsWithPlayableExtension(name)))
            continue;
        unsigned char type = entry->d_type;
        if (type == DT_UNKNOWN || type == DT_LNK) {
            struct stat st {};
            if (::fstatat(dirFd, entry->d_name, &st, 0) != 0)
                continue;
            type = S_ISREG(st.st_mode) ? DT_REG : S_ISDIR(st.st_mode) ? DT_DIR : DT_UNKNOWN;
        }
        if (type == (wantFiles ? DT_REG : DT_DIR))
            kept.offer(name);
    }

    QStringList names;
    names.reserve(static_cast<qsizetype>(kept.names().size()));
    for (const std::string &name : kept.names())
        names.append(pathFromNative(name));
    return names;
}

std::optional<QStringList> joinedPaths(const QString &directory, std::optional<QStringList> names)
{
    if (names) {
        for (QString &name : *names)
            name = joinPath(directory, name);
    }
    return names;
}

} // namespace

std::optional<QStringList> listPlayableFiles(const QString &directory, int limit)
{
    return joinedPaths(directory, scanDirectory(directory, EntryKind::PlayableFile, limit));
}

QStringList listSubdirectoryNames(const QString &directory)
{
    return scanDirectory(directory, EntryKind::Subdirectory, std::numeric_limits<int>::max()).value_or(QStringList());
}

#else

std::optional<QStringList> listPlayableFiles(const QString &directory, int limit)
{
    if (directory.isEmpty())
        return std::nullopt;
    QDir dir(directory);
    if (!dir.exists() || !dir.isReadable())
        return std::nullopt;
    SmallestNames kept(limit);
    const QStringList names = dir.entryList(QDir::Files, QDir::NoSort);
    for (const QString &name : names) {
        if (!name.startsWith(QLatin1Char('.')) && hasPlayableExtension(name))
            kept.offer(name.toStdString());
    }
    QStringList paths;
    for (const std::string &name : kept.names())
        paths.append(joinPath(directory, QString::fromStdString(name)));
    return paths;
}

QStringList listSubdirectoryNames(const QString &directory)
{
    return QDir(directory).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
}

#endif

} // namespace brookhum
