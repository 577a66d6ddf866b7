#include "settings/reg_ini_file.h"

#include "settings/ini_values.h"

#ifdef Q_OS_WIN
#include <QSettings>
#else
#include "base/native_path.h"
#include "settings/ini_document.h"
#include "settings/ini_text_check.h"
#include "settings/settings_file.h"
#include "settings/settings_lock.h"

#include <QDateTime>
#include <QStandardPaths>
#include <QStringList>
#include <QtDebug>

#include <optional>
#endif

using namespace Qt::StringLiterals;

namespace brookhum {

#ifdef Q_OS_WIN

// The registry: QSettings reads and writes it value by value.
class RegIniFile::Backend {
public:
    Backend(const QString &location, const Notice &) : m_settings(location, QSettings::NativeFormat) {}

    QVariant value(const QString &section, const QString &name) const
    {
        return m_settings.value(section + u'/' + name);
    }

    void write(const QString &section, const Values &values)
    {
        for (const auto &[name, value] : values)
            m_settings.setValue(section + u'/' + name, value);
        m_settings.sync();
        if (m_settings.status() != QSettings::NoError)
            throw SettingsError(u"The registry refused the write."_s);
    }

private:
    QSettings m_settings;
};

QString RegIniFile::defaultLocation()
{
    return u"HKEY_CURRENT_USER\\Software\\Tarnwick"_s;
}

#else

// The INI file: read whole, kept in memory, and looked at again before each
// use, which costs one stat while it has not changed.
class RegIniFile::Backend {
public:
    Backend(const QString &path, Notice notice) : m_path(path), m_notice(std::move(notice)) {}

    QVariant value(const QString &section, const QString &name)
    {
        return current(section, false).value(name);
    }

    void write(const QString &section, const Values &values)
    {
        settings::refuseLockInTheWay(m_path);
        const settings::SettingsLock lock(m_path);
        settings::IniDocument changed = current(section, true);
        for (const auto &[name, value] : values)
            changed.setValue(name, value.metaType().id() == QMetaType::QString ? settings::storedForm(value.toString()) : value);
        m_seen = settings::replaceFile(m_path, changed.text());
        m_document = std::move(changed);
    }

private:
    // The file as it is on disk now, read afresh when it has changed.
    const settings::IniDocument &current(const QString &section, bool locked)
    {
        settings::refuseLockInTheWay(m_path);
        if (m_loaded && settings::fileIdentity(m_path) == m_seen && m_document.section() == section)
            return m_document;
        settings::FileSnapshot snapshot = settings::readSettingsFile(m_path);
        if (!settings::iniTextProblems(snapshot.bytes).isEmpty()) {
            // The repair replaces the file: nobody else may write it meanwhile.
            std::optional<settings::SettingsLock> lock;
            if (!locked) {
                lock.emplace(m_path);
                snapshot = settings::readSettingsFile(m_path);
            }
            const QStringList problems = settings::iniTextProblems(snapshot.bytes);
            if (!problems.isEmpty())
                snapshot = repaired(snapshot.bytes, problems, section);
        }
        m_document = settings::IniDocument(snapshot.bytes, section);
        m_seen = snapshot.identity;
        m_loaded = true;
        return m_document;
    }

    // Keeps the damaged file aside and puts in its place the lines that read
    // cleanly, with the section's own values taken from the misread lines.
    settings::FileSnapshot repaired(const QByteArray &bytes, const QStringList &problems, const QString &section)
    {
        const QString copy = keepCopy(bytes);
        const settings::IniTextSalvage salvage = settings::salvageIniText(bytes, section);
        settings::IniDocument document(salvage.text, section);
        for (const auto &[name, text] : salvage.ownValues)
            document.setValue(name, settings::storedForm(text));
        const QByteArray text = document.text();
        const settings::FileSnapshot snapshot{text, settings::replaceFile(m_path, text)};
        const QString message =
            u"Brookhum could not read all of its settings file \"%1\" cleanly (%2). The file is kept unchanged as "
            "\"%3\", and Brookhum goes on with the settings it could read from it."_s.arg(
                displayText(m_path), problems.join(u"; "_s), displayText(copy));
        qWarning().noquote() << "Brookhum:" << message;
        if (m_notice)
            m_notice(message);
        return snapshot;
    }

    QString keepCopy(const QByteArray &bytes) const
    {
        const QString stem = m_path + u".unreadable-"_s + QDateTime::currentDateTime().toString(u"yyyyMMdd-HHmmss"_s);
        QString copy = stem;
        for (int n = 2; isRegularFile(copy) || isDirectory(copy); ++n)
            copy = stem + u'-' + QString::number(n);
        settings::writeCopy(copy, bytes);
        return copy;
    }

    QString m_path;
    Notice m_notice;
    settings::IniDocument m_document;
    settings::FileIdentity m_seen;
    bool m_loaded = false;
};

QString RegIniFile::defaultLocation()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + u"/Tarnwick.conf"_s;
}

#endif

RegIniFile::RegIniFile(const QString &location, Notice notice)
    : m_location(location)
    , m_backend(std::make_unique<Backend>(location, std::move(notice)))
{
}

RegIniFile::~RegIniFile() = default;

QString RegIniFile::ReadString(const QString &section, const QString &name, const QString &defaultText) const
{
    return settings::textOf(m_backend->value(section, name)).value_or(defaultText);
}

int RegIniFile::ReadInteger(const QString &section, const QString &name, int defaultValue) const
{
    const QVariant value = m_backend->value(section, name);
    if (!value.isValid() || !value.canConvert<QString>())
        return defaultValue;
    bool ok = false;
    const int number = value.toString().trimmed().toInt(&ok);
    return ok ? number : defaultValue;
}

void RegIniFile::WriteString(const QString &section, const QString &name, const QString &text)
{
    WriteValues(section, {{name, text}});
}

void RegIniFile::WriteInteger(const QString &section, const QString &name, int value)
{
    WriteValues(section, {{name, value}});
}

void RegIniFile::WriteValues(const QString &section, const Values &values)
{
    try {
        m_backend->write(section, values);
    } catch (const SettingsError &e) {
        const QString what = values.size() == 1 ? u"the setting "_s + values.first().first : u"the settings"_s;
        throw SettingsError(u"Cannot save %1. %2"_s.arg(what, QString::fromUtf8(e.what())));
    }
}

} // namespace brookhum
