#pragma once

#include <QString>

namespace brookhum {

// Starting the program when the user logs in: the user's own autostart entry
// ($XDG_CONFIG_HOME/autostart/com.tarnwick.Brookhum.desktop). Nothing is
// ever written for the whole system.
class LoginStart {
public:
    // The entry for the program at `program`, kept at `entryPath`.
    LoginStart(QString entryPath, QString program);

    // The entry for the running program in the user's autostart directory.
    static LoginStart forThisProgram();

    bool isOn() const;
    // Writes or removes the entry. Throws std::runtime_error saying why
    // when it cannot.
    void set(bool on) const;

    QString entryPath() const { return m_entryPath; }

private:
    QString m_entryPath;
    QString m_program;
};

// The program's path as the Exec key of a desktop entry wants it: quoted when
// it holds a space or another character the key reserves.
QString desktopExec(const QString &program);

} // namespace brookhum
