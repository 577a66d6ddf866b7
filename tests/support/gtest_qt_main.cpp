// Test entry: a settings store and runtime directory of the run's own, the
// offscreen platform unless the environment asks for another, then GoogleTest.

#include "support/test_application.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    const QTemporaryDir config;
    const QTemporaryDir runtime;
    qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    qputenv("XDG_RUNTIME_DIR", runtime.path().toUtf8());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    brookhum::test::TestApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
