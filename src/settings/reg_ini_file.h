#pragma once

#include <QString>

#include <memory>
#include <stdexcept>

class QSettings;

namespace brookhum {

// A write to the settings store that did not reach it.
class SettingsError : public std::runtime_error {
public:
    explicit SettingsError(const QString &message) : std::runtime_error(message.toStdString()) {}
};

// Accessor on the per-user settings store, opened afresh by each operation
// that reads or writes it. The key path "Software\Tarnwick" is the registry
// key of that name on Windows; elsewhere it is the native per-user file of the
// organisation "Tarnwick" ($XDG_CONFIG_HOME/Tarnwick.conf). Sections are
// groups of that key.
//
// A read of an absent value, or of a value that cannot be understood, gives
// the default. Every write is on disk when it returns (the file is replaced
// atomically) or throws SettingsError.
class RegIniFile {
public:
    explicit RegIniFile(const QString &keyPath = QStringLiteral("Software\\Tarnwick"));
    ~RegIniFile();
    RegIniFile(const RegIniFile &) = delete;
    RegIniFile &operator=(const RegIniFile &) = delete;

    QString ReadString(const QString &section, const QString &name, const QString &defaultText) const;
    void WriteString(const QString &section, const QString &name, const QString &text);
    int ReadInteger(const QString &section, const QString &name, int defaultValue) const;
    void WriteInteger(const QString &section, const QString &name, int value);

    // Where the store lives, for messages and documentation.
    QString location() const;

private:
    void write(const QString &section, const QString &name, const QVariant &value);

    std::unique_ptr<QSettings> m_settings;
};

} // namespace brookhum
