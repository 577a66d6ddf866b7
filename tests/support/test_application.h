#pragma once

#include "base/error_display.h"
#include "base/slots.h"

#include <QApplication>
#include <QList>
#include <QStringList>

#include <gtest/gtest.h>

#include <utility>

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

// The run's settings store, as the program opens it once, in a directory of
// the run's own ($XDG_CONFIG_HOME).
RegIniFile &testStore();
QString storeFilePath();
void clearSettingsStore();

// Writes text values into the store, e.g. {{"BrookhumPlayFlag", "1"}}.
void storeTexts(const QList<std::pair<QString, QString>> &values);
QString storedText(const QString &name); // "non" when absent
// Stores slot k of the kind with its path and flag.
void storeSlot(SlotKind kind, int k, const QString &path, const QString &flag = QStringLiteral("1"));

// A test that starts from a first run: an empty store and no error shown.
class StoreTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        clearSettingsStore();
        testApp().shownErrors.clear();
    }
};

} // namespace brookhum::test
