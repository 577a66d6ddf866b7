#pragma once

#include <QString>

#include <functional>
#include <memory>
#include <stdexcept>

class QSettings;

namespace brookhum {

// The settings store cannot be read or written.
class SettingsError : public std::runtime_error {
public:
    explicit SettingsError(const QString &message) : std::runtime_error(message.toStdString()) {}
};

// Accessor on the per-user settings store. On Windows it is the registry key
// HKEY_CURRENT_USER\Software\Tarnwick; elsewhere the native per-user INI file
// of the organisation "Tarnwick" ($XDG_CONFIG_HOME/Tarnwick.conf), which other
// programs of the maker may share. Sections are groups of that key.
//
// A read of an absent value, or of a value that cannot be understood, gives
// the default. Every write is on disk when it returns (the file is replaced
// atomically) or throws SettingsError.
//
// The file is looked at before anything reads or writes it, and again
// whenever it has changed on disk since. Something other than a regular file
// in its place (a named pipe, a directory), or a directory where its lock
// file goes, makes every operation throw SettingsError at once instead of
// hanging. A file that Qt would misread (a stray quote or a trailing backslash
// swallows the lines after it) is never written over: it is kept beside the
// store as "<file>.unreadable-<date and time>", the store goes on with what
// could be read from it, and the notice tells the user where the copy is.
class RegIniFile {
public:
    using Notice = std::function<void(const QString &message)>;

    explicit RegIniFile(const QString &location = defaultLocation(), Notice notice = {});
    ~RegIniFile();
    RegIniFile(const RegIniFile &) = delete;
    RegIniFile &operator=(const RegIniFile &) = delete;

    // The user's store: the registry key "Software\Tarnwick" on Windows,
    // $XDG_CONFIG_HOME/Tarnwick.conf elsewhere.
    static QString defaultLocation();

    QString ReadString(const QString &section, const QString &name, const QString &defaultText) const;
    void WriteString(const QString &section, const QString &name, const QString &text);
    int ReadInteger(const QString &section, const QString &name, int defaultValue) const;
    void WriteInteger(const QString &section, const QString &name, int value);

    // Where the store lives, for messages and documentation.
    QString location() const { return m_location; }

private:
    class FileGuard;

    QSettings &settings() const;
    void write(const QString &section, const QString &name, const QVariant &value);

    QString m_location;
    std::unique_ptr<FileGuard> m_guard;
    mutable std::unique_ptr<QSettings> m_settings;
};

} // namespace brookhum
