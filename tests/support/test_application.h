#pragma once

#include "base/error_display.h"

#include <QApplication>
#include <QStringList>

namespace brookhum {
class RegIniFile;
}

namespace brookhum::test {

// The application object of every test: records what the standard error
// display would have shown instead of opening a message box.
class TestApplication : public QApplication, public ErrorDisplay {
public:
    TestApplication(int &argc, char **argv) : QApplication(argc, argv) {}

    void showException(const QString &message) override { shownErrors.append(message); }

    QStringList shownErrors;
};

TestApplication &testApp();

// The directory that holds this test run's settings store
// ($XDG_CONFIG_HOME); empty and private to the run.
QString configDirectory();

// The run's settings store, as the program opens it once.
RegIniFile &testStore();

// Removes every stored setting, so each test starts from a first run.
void clearSettingsStore();

} // namespace brookhum::test
