#include "base/native_path.h"

#include <QFileInfo>
#include <QStringList>

#include <algorithm>

#ifndef Q_OS_WIN
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <iconv.h>
#include <sys/stat.h>
#include <unistd.h>
#else
#include <QFile>
#endif

using namespace Qt::StringLiterals;

namespace brookhum {

namespace {

constexpr char16_t EscapeBase = 0xDC00; // U+DC80..U+DCFF carry the bytes 0x80..0xFF

bool isEscapedByte(char16_t unit)
{
    return unit >= 0xDC80 && unit <= 0xDCFF;
}

// The length of the valid UTF-8 sequence that starts at bytes[i], or 0.
qsizetype utf8SequenceLength(QByteArrayView bytes, qsizetype i)
{
    const auto at = [&](qsizetype k) { return static_cast<unsigned char>(bytes[k]); };
    const unsigned char lead = at(i);
    qsizetype length = 0;
    char32_t least = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        least = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        least = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        least = 0x10000;
    } else {
        return 0;
    }
    if (i + length > bytes.size())
        return 0;
    char32_t code = lead & (0x7F >> length);
    for (qsizetype k = 1; k < length; ++k) {
        if ((at(i + k) & 0xC0) != 0x80)
            return 0;
        code = (code << 6) | (at(i + k) & 0x3F);
    }
    // Overlong forms, encoded surrogates and code points past Unicode are not
    // UTF-8, so their bytes are carried one by one.
    if (code < least || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF)
        return 0;
    return length;
}

#ifndef Q_OS_WIN

// Decodes a whole name as code page 932, or gives a null string when it is
// not valid there.
QString decodeCp932(const QByteArray &bytes)
{
    iconv_t converter = iconv_open("UTF-8", "CP932");
    if (converter == reinterpret_cast<iconv_t>(-1))
        return {};
    QByteArray out(bytes.size() * 4 + 4, '\0');
    QByteArray in = bytes;
    char *inPtr = in.data();
    size_t inLeft = static_cast<size_t>(in.size());
    char *outPtr = out.data();
    size_t outLeft = static_cast<size_t>(out.size());
    const size_t result = iconv(converter, &inPtr, &inLeft, &outPtr, &outLeft);
    iconv_close(converter);
    if (result == static_cast<size_t>(-1) || inLeft != 0)
        return {};
    out.truncate(out.size() - static_cast<qsizetype>(outLeft));
    return QString::fromUtf8(out);
}

#endif

QString displayComponent(QStringView component)
{
    if (!hasForeignBytes(component))
        return component.toString();
#ifndef Q_OS_WIN
    const QString decoded = decodeCp932(nativePath(component));
    if (!decoded.isNull())
        return decoded;
#endif
    QString shown;
    shown.reserve(component.size());
    for (const QChar c : component)
        shown.append(isEscapedByte(c.unicode()) ? QChar(QChar::ReplacementCharacter) : c);
    return shown;
}

} // namespace

QString pathFromNative(QByteArrayView bytes)
{
#ifdef Q_OS_WIN
    return QString::fromUtf8(bytes);
#else
    QString path;
    path.reserve(bytes.size());
    qsizetype i = 0;
    while (i < bytes.size()) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (byte < 0x80) {
            path.append(QLatin1Char(static_cast<char>(byte)));
            ++i;
            continue;
        }
        const qsizetype length = utf8SequenceLength(bytes, i);
        if (length == 0) {
            path.append(QChar(static_cast<char16_t>(EscapeBase + byte)));
            ++i;
            continue;
        }
        path.append(QString::fromUtf8(bytes.sliced(i, length)));
        i += length;
    }
    return path;
#endif
}

QByteArray nativePath(QStringView path)
{
#ifdef Q_OS_WIN
    return path.toUtf8();
#else
    QByteArray bytes;
    bytes.reserve(path.size());
    qsizetype start = 0;
    for (qsizetype i = 0; i < path.size(); ++i) {
        const char16_t unit = path[i].unicode();
        if (!isEscapedByte(unit))
            continue;
        bytes.append(path.sliced(start, i - start).toUtf8());
        bytes.append(static_cast<char>(unit - EscapeBase));
        start = i + 1;
    }
    bytes.append(path.sliced(start).toUtf8());
    return bytes;
#endif
}

bool hasForeignBytes(QStringView path)
{
#ifdef Q_OS_WIN
    Q_UNUSED(path);
    return false;
#else
    for (const QChar c : path) {
        if (isEscapedByte(c.unicode()))
            return true;
    }
    return false;
#endif
}

QString displayText(QStringView path)
{
    if (!hasForeignBytes(path))
        return path.toString();
    QStringList shown;
    for (const QStringView component : path.split(u'/'))
        shown.append(displayComponent(component));
    return shown.join(u'/');
}

#ifndef Q_OS_WIN

namespace {

// The type bits of what a path names (links followed), or 0.
mode_t fileType(const QString &path)
{
    struct stat st {};
    return !path.isEmpty() && ::stat(nativePath(path).constData(), &st) == 0 ? st.st_mode & S_IFMT : 0;
}

} // namespace

bool isRegularFile(const QString &path)
{
    return fileType(path) == S_IFREG;
}


bool isDirectory(const QString &path)
{
    return fileType(path) == S_IFDIR;
}

FileContents readRegularFile(const QString &path, qint64 limit)
{
    FileContents contents;
    const int fd = ::open(nativePath(path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        contents.problem = QString::fromLocal8Bit(std::strerror(errno));
        return contents;
    }
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        contents.problem = u"it is not a regular file"_s;
        return contents;
    }
    contents.size = st.st_size;
    contents.bytes.resize(static_cast<qsizetype>(std::min<qint64>(limit, st.st_size)));
    qsizetype done = 0;
    while (done < contents.bytes.size()) {
        const ssize_t n = ::read(fd, contents.bytes.data() + done, static_cast<size_t>(contents.bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            contents.problem = QString::fromLocal8Bit(std::strerror(errno));
            return contents;
        }
        if (n == 0)
            break;
        done += n;
    }
    contents.bytes.truncate(done);
    return contents;
}

#else

bool isRegularFile(const QString &path)
{
    return QFileInfo(path).isFile();
}


bool isDirectory(const QString &path)
{
    return QFileInfo(path).isDir();
}

FileContents readRegularFile(const QString &path, qint64 limit)
{
    FileContents contents;
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) {
        contents.problem = file.errorString();
        return contents;
    }
    contents.size = file.size();
    contents.bytes = file.read(limit);
    return contents;
}

#endif

} // namespace brookhum
