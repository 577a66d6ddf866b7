#pragma once

#include "engine/menu_actions.h"
#include "engine/play_engine.h"
#include "settings/stored_settings.h"
#include "support/fake_media_player.h"
#include "support/fake_windows.h"
#include "support/test_application.h"

namespace brookhum::test {

// The play engine wired as in the program, on the run's settings store,
// around a media player of the test's choice and fake bars, with waits that
// take no time unless onWait does (each is recorded) and a clock the test sets.
template <typename Player>
struct EngineRigWith {
    MenuActions actions{testApp()};
    Player player;
    FakeWindows windows;
    StoredSettings settings{testStore()};
    std::time_t now = 1'700'000'000;
    QList<int> waits; // every blocking wait asked for, in seconds
    std::function<void(int seconds)> onWait;
    PlayEngine engine{PlayEngine::Ports{actions, player, settings, windows, testApp()},
                      [this](int seconds) {
                          waits.append(seconds);
                          if (onWait)
                              onWait(seconds);
                      },
                      [this] { return now; }};

    const PlayState &state() const { return engine.state(); }

    // The main window's creation: settings part, then the settings load.
    void formCreate()
    {
        engine.FormCreateSettingsPart();
        engine.LoadSettings();
    }
};

using EngineRig = EngineRigWith<FakeMediaPlayer>;

} // namespace brookhum::test
