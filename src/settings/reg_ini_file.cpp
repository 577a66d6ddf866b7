#include "settings/reg_ini_file.h"

#include "base/native_path.h"
#include "settings/ini_text_check.h"
#include "settings/setting_names.h"

#include <QDateTime>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>
#include <QtDebug>

#include <limits>

#ifndef Q_OS_WIN
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

using namespace Qt::StringLiterals;

namespace brookhum {

namespace {

QString key(const QString &section, const QString &name)
{
    return section + u'/' + name;
}

// A text whose bytes are not all UTF-8 (a file name from an old disk) would
// lose them in the INI file's UTF-8; it is stored as the bytes themselves.
QVariant storedForm(const QString &text)
{
    if (hasForeignBytes(text))
        return nativePath(text);
    return text;
}

} // namespace

#ifdef Q_OS_WIN

// The registry has no file to guard.
class RegIniFile::FileGuard {
public:
    FileGuard(const QString &, Notice) {}
    bool look() { return false; }
    void written() {}
};

QString RegIniFile::defaultLocation()
{
    return u"HKEY_CURRENT_USER\\Software\\Tarnwick"_s;
}

#else

namespace {

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

QString describeFileType(mode_t mode)
{
    if (S_ISDIR(mode))
        return u"a directory"_s;
    if (S_ISFIFO(mode))
        return u"a named pipe"_s;
    if (S_ISSOCK(mode))
        return u"a socket"_s;
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return u"a device"_s;
    if (S_ISLNK(mode))
        return u"a symbolic link"_s;
    return u"not a regular file"_s;
}

QString systemError()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

void writeNewFile(const QString &path, const QByteArray &bytes)
{
    const int fd = ::open(nativePath(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    bool ok = fd >= 0;
    qsizetype done = 0;
    while (ok && done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, static_cast<size_t>(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        ok = n > 0;
        done += n > 0 ? n : 0;
    }
    ok = ok && ::fsync(fd) == 0;
    if (fd >= 0)
        ::close(fd);
    if (!ok)
        throw SettingsError(u"Cannot keep a copy of the settings file as \"%1\": %2."_s.arg(displayText(path), systemError()));
}

// Whether Qt reads the file as the line scan does: same number of values, no
// format error.
bool qtReadsCleanly(const QString &path, const settings::IniTextScan &scan)
{
    const QSettings probe(path, QSettings::IniFormat);
    return scan.problems.isEmpty() && probe.status() == QSettings::NoError
        && probe.allKeys().size() == scan.keyLines;
}

} // namespace

class RegIniFile::FileGuard {
public:
    FileGuard(const QString &path, Notice notice) : m_path(path), m_notice(std::move(notice)) {}

    // Makes sure the file may be opened; returns whether it has changed since
    // the last look, so that it must be read afresh.
    bool look()
    {
        refuseLockInTheWay();
        const FileIdentity now = identity();
        if (now == m_seen)
            return false;
        if (now.exists)
            keepWhatReadsCleanly();
        m_seen = identity();
        return true;
    }

    // The store itself has just replaced the file.
    void written() { m_seen = identity(); }

private:
    FileIdentity identity() const
    {
        struct stat st {};
        if (::stat(nativePath(m_path).constData(), &st) != 0) {
            if (errno == ENOENT)
                return {};
            throw SettingsError(u"Cannot reach the settings file \"%1\": %2."_s.arg(displayText(m_path), systemError()));
        }
        if (!S_ISREG(st.st_mode)) {
            throw SettingsError(u"Cannot keep the settings in \"%1\": it is %2, not a regular file. "
                                "Move it away and start Brookhum again."_s.arg(displayText(m_path), describeFileType(st.st_mode)));
        }
        return {true, st.st_dev, st.st_ino, st.st_size, st.st_mtim};
    }

    // Qt guards every write with "<file>.lock" and waits for ever while it
    // cannot make that file.
    void refuseLockInTheWay() const
    {
        const QString lock = m_path + u".lock"_s;
        struct stat st {};
        if (::lstat(nativePath(lock).constData(), &st) == 0 && !S_ISREG(st.st_mode)) {
            throw SettingsError(u"Cannot use the settings file: \"%1\" is %2 where its lock file goes. "
                                "Move it away and start Brookhum again."_s.arg(displayText(lock), describeFileType(st.st_mode)));
        }
    }

    void keepWhatReadsCleanly()
    {
        const FileContents contents = readRegularFile(m_path, std::numeric_limits<qint64>::max());
        if (!contents.problem.isEmpty())
            throw SettingsError(u"Cannot read the settings file \"%1\": %2."_s.arg(displayText(m_path), contents.problem));
        const QByteArray &bytes = contents.bytes;
        const settings::IniTextScan scan = settings::scanIniText(bytes);
        if (qtReadsCleanly(m_path, scan))
            return;

        const QString copy = keepCopy(bytes);
        replaceWithSalvage(bytes);
        QStringList problems = scan.problems;
        if (problems.isEmpty())
            problems.append(u"values Qt reads differently, such as a name given twice"_s);
        const QString message =
            u"Brookhum could not read all of its settings file \"%1\" cleanly (%2). The file is kept unchanged as "
            "\"%3\", and Brookhum goes on with the settings it could read from it."_s.arg(
                displayText(m_path), problems.join(u"; "_s), displayText(copy));
        qWarning().noquote() << "Brookhum:" << message;
        if (m_notice)
            m_notice(message);
    }

    QString keepCopy(const QByteArray &bytes) const
    {
        const QString stem = m_path + u".unreadable-"_s + QDateTime::currentDateTime().toString(u"yyyyMMdd-HHmmss"_s);
        QString copy = stem;
        for (int n = 2; isRegularFile(copy) || isDirectory(copy); ++n)
            copy = stem + u'-' + QString::number(n);
        writeNewFile(copy, bytes);
        return copy;
    }

    // Puts the lines that read cleanly, with the own values repaired, in the
    // file's place in one step, so the store is never seen half made.
    void replaceWithSalvage(const QByteArray &bytes)
    {
        const settings::IniTextSalvage salvage =
            settings::salvageIniText(bytes, settings::section(), settings::allValueNames());
        const QString temporary = m_path + u".salvage"_s;
        ::unlink(nativePath(temporary).constData());
        writeNewFile(temporary, salvage.text);
        {
            QSettings repaired(temporary, QSettings::IniFormat);
            // Should even the kept lines read differently in Qt, only what Qt
            // reads of the own section is kept.
            if (!qtReadsCleanly(temporary, settings::scanIniText(salvage.text))) {
                QList<std::pair<QString, QVariant>> own;
                repaired.beginGroup(settings::section());
                for (const QString &name : repaired.childKeys())
                    own.append({name, repaired.value(name)});
                repaired.endGroup();
                repaired.clear();
                for (const auto &[name, value] : own)
                    repaired.setValue(key(settings::section(), name), value);
            }
            for (const auto &[name, text] : salvage.ownValues)
                repaired.setValue(key(settings::section(), name), storedForm(text));
            repaired.sync();
            if (repaired.status() != QSettings::NoError)
                throw SettingsError(u"Cannot repair the settings file \"%1\"."_s.arg(displayText(m_path)));
        }
        if (::rename(nativePath(temporary).constData(), nativePath(m_path).constData()) != 0)
            throw SettingsError(u"Cannot repair the settings file \"%1\": %2."_s.arg(displayText(m_path), systemError()));
    }

    QString m_path;
    Notice m_notice;
    FileIdentity m_seen{false, 0, 0, -1, {}};
};

QString RegIniFile::defaultLocation()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + u"/Tarnwick.conf"_s;
}

#endif

RegIniFile::RegIniFile(const QString &location, Notice notice)
    : m_location(location)
    , m_guard(std::make_unique<FileGuard>(location, std::move(notice)))
{
}

RegIniFile::~RegIniFile() = default;

QSettings &RegIniFile::settings() const
{
    if (m_guard->look() || !m_settings)
        m_settings = std::make_unique<QSettings>(m_location, QSettings::NativeFormat);
    return *m_settings;
}

QString RegIniFile::ReadString(const QString &section, const QString &name, const QString &defaultText) const
{
    const QVariant value = settings().value(key(section, name));
    if (!value.isValid())
        return defaultText;
    // An unquoted text with commas in a hand-edited file comes back as a list.
    if (value.metaType().id() == QMetaType::QStringList)
        return value.toStringList().join(u", "_s);
    if (value.metaType().id() == QMetaType::QByteArray)
        return pathFromNative(value.toByteArray());
    if (!value.canConvert<QString>())
        return defaultText;
    return value.toString();
}

int RegIniFile::ReadInteger(const QString &section, const QString &name, int defaultValue) const
{
    const QVariant value = settings().value(key(section, name));
    if (!value.isValid() || !value.canConvert<QString>())
        return defaultValue;
    bool ok = false;
    const int number = value.toString().trimmed().toInt(&ok);
    return ok ? number : defaultValue;
}

void RegIniFile::WriteString(const QString &section, const QString &name, const QString &text)
{
    write(section, name, storedForm(text));
}

void RegIniFile::WriteInteger(const QString &section, const QString &name, int value)
{
    write(section, name, value);
}

void RegIniFile::write(const QString &section, const QString &name, const QVariant &value)
{
    QSettings *opened = nullptr;
    try {
        opened = &settings();
    } catch (const SettingsError &e) {
        throw SettingsError(u"Cannot save the setting %1. %2"_s.arg(name, QString::fromUtf8(e.what())));
    }
    QSettings &store = *opened;
    store.setValue(key(section, name), value);
    store.sync();
    // A format error only says the old file held lines that could not be
    // understood; the write itself went through.
    if (store.status() == QSettings::AccessError)
        throw SettingsError(u"Cannot save the setting %1 in \"%2\"."_s.arg(name, displayText(m_location)));
    m_guard->written();
}

} // namespace brookhum
