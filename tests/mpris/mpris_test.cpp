// The desktop's media controls over the engine on a fake player: what a burst
// of commands from the desktop does to play.

#include "engine/menu_actions.h"
#include "mpris/media_controls.h"
#include "settings/setting_names.h"
#include "support/engine_rig.h"
#include "support/media_fixtures.h"

#include <QAction>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

using namespace Qt::StringLiterals;
using namespace brookhum;
using namespace brookhum::test;

namespace {

TEST_F(StoreTest, ABurstOfCommandsMovesPlayOnceToWhereItAsks)
{
    const struct { const char *name; std::function<void(MediaControls &)> burst; const char *status; int toggles, opens; } rows[] = {
        {"AThousandTogglesStackedAsAThousandPauses", [](MediaControls &c) { for (int i = 0; i < 1000; ++i) c.playPause(); },
         "Playing", 0, 1},
        {"AnOddBurstEndsOnTheWrongSide", [](MediaControls &c) { for (int i = 0; i < 1001; ++i) c.playPause(); },
         "Paused", 1, 1},
        {"PauseThenPlayLeftPaused", [](MediaControls &c) { c.pause(), c.pause(), c.play(); }, "Playing", 0, 1},
        {"ABurstOfNextSkippingManyFiles", [](MediaControls &c) { for (int i = 0; i < 50; ++i) c.next(); },
         "Playing", 0, 2},
    };
    const QTemporaryDir media;
    const QString dir = makeDirectoryWithFiles(media, u"music"_s, numberedNames(u"n"_s, 5));
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        clearSettingsStore();
        storeSlot(SlotKind::Directory, 1, dir);
        storeTexts({{settings::PlayFlag(), u"1"_s}});
        EngineRig rig;
        rig.windows.createHiddenBars();
        rig.formCreate();
        MediaControls controls(rig.engine, rig.player);
        int toggles = 0;
        QObject::connect(rig.actions.NOneTimeStop, &QAction::triggered, [&] { ++toggles; });

        row.burst(controls);
        QCoreApplication::sendPostedEvents();
        rig.player.deliverNotifications();
        EXPECT_EQ(controls.playbackStatus(), QString::fromUtf8(row.status));
        EXPECT_EQ(toggles, row.toggles) << "pauses and resumes made";
        EXPECT_EQ(rig.player.playedFiles.size(), row.opens);
    }
}

} // namespace
