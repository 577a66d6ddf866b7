#include "support/private_environment.h"

#include <QSettings>

namespace brookhum::test {

PrivateEnvironment::PrivateEnvironment()
{
    qputenv("XDG_CONFIG_HOME", m_config.path().toUtf8());
    qputenv("XDG_RUNTIME_DIR", m_runtime.path().toUtf8());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

void PrivateEnvironment::useForSettings() const
{
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_config.path());
}

} // namespace brookhum::test
