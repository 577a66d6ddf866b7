#include "engine/directory_listing.h"

#include <QDir>
#include <QFile>

#include <algorithm>
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
    explicit SmallestNames(int limit) : m_limit(static_cast<size_t>(std::max(limit, 0))) { m_names.reserve(m_limit + 1); }

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

std::optional<QStringList> listPlayableFiles(const QString &directory, int limit)
{
    if (directory.isEmpty())
        return std::nullopt;
    const QByteArray encoded = QFile::encodeName(directory);
    DIR *dir = ::opendir(encoded.constData());
    if (!dir)
        return std::nullopt;
    struct Closer {
        DIR *d;
        ~Closer() { ::closedir(d); }
    } closer{dir};
    const int dirFd = ::dirfd(dir);

    SmallestNames kept(limit);
    while (const dirent *entry = ::readdir(dir)) {
        const std::string_view name(entry->d_name);
        if (name.empty() || name[0] == '.' || !endsWithPlayableExtension(name))
            continue;
        bool regular = entry->d_type == DT_REG;
        if (entry->d_type == DT_UNKNOWN || entry->d_type == DT_LNK) {
            struct stat st {};
            regular = ::fstatat(dirFd, entry->d_name, &st, 0) == 0 && S_ISREG(st.st_mode);
        }
        if (regular)
            kept.offer(name);
    }

    QStringList paths;
    paths.reserve(static_cast<qsizetype>(kept.names().size()));
    for (const std::string &name : kept.names())
        paths.append(joinPath(directory, QFile::decodeName(QByteArray::fromStdString(name))));
    return paths;
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

#endif

} // namespace brookhum
