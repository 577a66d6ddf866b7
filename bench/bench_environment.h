#pragma once

#include <QTemporaryDir>

namespace brookhum::bench {

// A benchmark's own settings store and runtime directory, removed at the end,
// and the offscreen platform. Made before the application object.
class BenchEnvironment {
public:
    BenchEnvironment()
    {
        qputenv("XDG_CONFIG_HOME", m_config.path().toUtf8());
        qputenv("XDG_RUNTIME_DIR", m_runtime.path().toUtf8());
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }

private:
    QTemporaryDir m_config;
    QTemporaryDir m_runtime;
};

} // namespace brookhum::bench
