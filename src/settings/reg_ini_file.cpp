#include "settings/reg_ini_file.h"

#include <QSettings>
#include <QStringList>

using namespace Qt::StringLiterals;

namespace brookhum {

namespace {

std::unique_ptr<QSettings> openStore(const QString &keyPath)
{
#ifdef Q_OS_WIN
    return std::make_unique<QSettings>(u"HKEY_CURRENT_USER\\"_s + keyPath, QSettings::NativeFormat);
#else
    // "Software\Tarnwick": the last component names the per-user store.
    const QString organisation = keyPath.section(u'\\', -1);
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, organisation);
#endif
}

QString key(const QString &section, const QString &name)
{
    return section + u'/' + name;
}

} // namespace

RegIniFile::RegIniFile(const QString &keyPath) : m_settings(openStore(keyPath)) {}

RegIniFile::~RegIniFile() = default;

QString RegIniFile::location() const
{
    return m_settings->fileName();
}

QString RegIniFile::ReadString(const QString &section, const QString &name, const QString &defaultText) const
{
    const QVariant value = m_settings->value(key(section, name));
    if (!value.isValid())
        return defaultText;
    // An unquoted text with commas in a hand-edited file comes back as a list.
    if (value.metaType().id() == QMetaType::QStringList)
        return value.toStringList().join(u", "_s);
    if (!value.canConvert<QString>())
        return defaultText;
    return value.toString();
}

int RegIniFile::ReadInteger(const QString &section, const QString &name, int defaultValue) const
{
    const QVariant value = m_settings->value(key(section, name));
    if (!value.isValid() || !value.canConvert<QString>())
        return defaultValue;
    bool ok = false;
    const int number = value.toString().trimmed().toInt(&ok);
    return ok ? number : defaultValue;
}

void RegIniFile::WriteString(const QString &section, const QString &name, const QString &text)
{
    write(section, name, text);
}

void RegIniFile::WriteInteger(const QString &section, const QString &name, int value)
{
    write(section, name, value);
}

void RegIniFile::write(const QString &section, const QString &name, const QVariant &value)
{
    m_settings->setValue(key(section, name), value);
    m_settings->sync();
    // A format error only says the old file held lines that could not be
    // understood; the write itself went through.
    if (m_settings->status() == QSettings::AccessError)
        throw SettingsError(u"Cannot save the setting %1 in \"%2\"."_s.arg(name, m_settings->fileName()));
}

} // namespace brookhum
