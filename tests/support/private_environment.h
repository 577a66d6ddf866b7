#pragma once

#include <QTemporaryDir>

namespace brookhum::test {

// A run's own settings store and runtime directory, empty at the start and
// removed at the end, and the offscreen platform unless another is asked
// for. Made before the application object, used for the settings after it.
class PrivateEnvironment {
public:
    PrivateEnvironment();

    // Points the per-user settings store here; needs the application object.
    void useForSettings() const;

private:
    QTemporaryDir m_config;
    QTemporaryDir m_runtime;
};

} // namespace brookhum::test
