#include "support/test_application.h"

#include "settings/reg_ini_file.h"

#include <QCoreApplication>
#include <QSettings>

namespace brookhum::test {

TestApplication &testApp()
{
    return *static_cast<TestApplication *>(QCoreApplication::instance());
}

RegIniFile &testStore()
{
    static RegIniFile store(RegIniFile::defaultLocation());
    return store;
}

QString configDirectory()
{
    return qEnvironmentVariable("XDG_CONFIG_HOME");
}

void clearSettingsStore()
{
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Tarnwick"));
    settings.clear();
    settings.sync();
}

} // namespace brookhum::test
