#pragma once

#include "settings/settings_error.h"

#include <QList>
#include <QString>
#include <QVariant>

#include <functional>
#include <memory>
#include <utility>

namespace brookhum {

// Accessor on the per-user settings store. On Windows it is the registry key
// HKEY_CURRENT_USER\Software\Tarnwick; elsewhere the native per-user INI file
// of the organisation "Tarnwick" ($XDG_CONFIG_HOME/Tarnwick.conf), which other
// programs of the maker may share. Sections are groups of that key.
//
// A read of an absent value, or of a value that cannot be understood, gives
// the default. Every write is on disk when it returns (the file is replaced
// atomically) or throws SettingsError.
//
// The file is read once, and again only when it has changed on disk. A write
// changes the store's own lines and no other byte of the file, and replaces
// the file once however many values it writes. Something other than a
// regular file in its place (a named pipe, a directory), or a directory where
// its lock file goes, makes every operation throw SettingsError at once
// instead of hanging. A file that Qt would misread (a stray quote or a
// trailing backslash swallows the lines after it) is never written over: it
// is kept beside the store as "<file>.unreadable-<date and time>", the store
// goes on with what could be read from it, and the notice tells the user
// where the copy is.
class RegIniFile {
public:
    using Notice = std::function<void(const QString &message)>;
    // Values written together: texts (QString) and integers (int) by name.
    using Values = QList<std::pair<QString, QVariant>>;

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
    // Writes the values in one go: all of them are on disk when it returns,
    // or none is.
    void WriteValues(const QString &section, const Values &values);

    // Where the store lives, for messages and documentation.
    QString location() const { return m_location; }

private:
    class Backend;

    QString m_location;
    std::unique_ptr<Backend> m_backend;
};

} // namespace brookhum
