#include "setup/login_start.h"

#include "base/native_path.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStandardPaths>

#include <stdexcept>

using namespace Qt::StringLiterals;

namespace brookhum {

LoginStart::LoginStart(QString entryPath, QString program)
    : m_entryPath(std::move(entryPath)), m_program(std::move(program))
{
}

LoginStart LoginStart::forThisProgram()
{
    return LoginStart(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
                          + u"/autostart/com.tarnwick.Brookhum.desktop"_s,
                      QCoreApplication::applicationFilePath());
}

bool LoginStart::isOn() const
{
    return isRegularFile(m_entryPath);
}

void LoginStart::set(bool on) const
{
    const auto fail = [this](const QString &reason) {
        throw std::runtime_error(u"Cannot change the start at login (\"%1\"): %2."_s.arg(m_entryPath, reason).toStdString());
    };
    if (!on) {
        if (isOn() && !QFile::remove(m_entryPath))
            fail(u"it cannot be removed"_s);
        return;
    }
    QDir().mkpath(QFileInfo(m_entryPath).path());
    QSaveFile entry(m_entryPath);
    if (!entry.open(QIODevice::WriteOnly))
        fail(entry.errorString());
    entry.write(u"[Desktop Entry]\nType=Application\nName=Brookhum\nComment=Background music from the system tray\n"
                "Exec=%1\nIcon=com.tarnwick.Brookhum\nTerminal=false\nX-GNOME-Autostart-enabled=true\n"_s
                    .arg(desktopExec(m_program))
                    .toUtf8());
    if (!entry.commit())
        fail(entry.errorString());
}

QString desktopExec(const QString &program)
{
    QString exec = program;
    if (program.contains(QRegularExpression(uR"([\s"'\\><~|&;$*?#()`])"_s))) {
        // Inside double quotes these four are escaped with a backslash.
        for (const QString &special : {u"\\"_s, u"\""_s, u"`"_s, u"$"_s})
            exec.replace(special, u'\\' + special);
        exec = u'"' + exec + u'"';
    }
    // The key's value is itself an escaped string, and % starts a field code.
    return exec.replace(u'\\', u"\\\\"_s).replace(u'%', u"%%"_s);
}

} // namespace brookhum
