#pragma once

#include "engine/menu_actions.h"
#include "engine/play_engine.h"
#include "settings/stored_settings.h"
#include "support/fake_media_player.h"
#include "support/fake_windows.h"
#include "support/test_application.h"

#include <QStringList>
#include <QTemporaryDir>

namespace brookhum::test {

// The play engine wired as in the program around a media player of the
// test's choice and fake bars, with zero-length waits and a clock the test
// sets.
template <typename Player>
struct EngineRigWith {
    MenuActions actions{testApp()};
    Player player;
    FakeWindows windows;
    StoredSettings settings{testStore()};
    std::time_t now = 1'700'000'000;
    QList<int> waits; // every blocking wait asked for, in seconds
    PlayEngine engine{PlayEngine::Ports{actions, player, settings, windows, testApp()},
                      [this](int seconds) { waits.append(seconds); }, [this] { return now; }};

    const PlayState &state() const { return engine.state(); }

    // The main window's creation: settings part, then the settings load.
    void formCreate()
    {
        engine.FormCreateSettingsPart();
        engine.LoadSettings();
    }
};

using EngineRig = EngineRigWith<FakeMediaPlayer>;

// Writes text values into the store, e.g. {{"BrookhumPlayFlag", "1"}}.
void storeTexts(const QList<std::pair<QString, QString>> &values);
QString storedText(const QString &name); // "non" when absent

// Creates empty files with the given names in a new subdirectory of root
// and returns the subdirectory's path.
QString makeDirectoryWithFiles(const QTemporaryDir &root, const QString &name, const QStringList &files);

// "a01.mp3", "a02.mp3", ... as many as asked.
QStringList numberedNames(const QString &prefix, int count, const QString &extension = QStringLiteral("mp3"));

} // namespace brookhum::test
