#pragma once

#include "app/main_window.h"
#include "setup/set_up_hint_handler.h"
#include "support/fake_media_player.h"
#include "support/test_application.h"

#include <memory>

namespace brookhum::test {

// What the program's entry hands the main window, for a test: the run's
// store and error display, fake players, waits that take no time, a fixed
// seed for the random order and no tray icon.
inline TForm1::Parts mainWindowParts(FormRefs &forms, PendingSlotPaths &pending,
                                     std::unique_ptr<MediaPlayer> player = std::make_unique<FakeMediaPlayer>())
{
    static SetUpHintHandler hints;
    return {forms,
            pending,
            testStore(),
            testApp(),
            hints,
            std::move(player),
            [] { return std::make_unique<FakeMediaPlayer>(); },
            [](int) {},
            [] { return std::time_t{1'700'000'000}; },
            false};
}

} // namespace brookhum::test
