// Unattended play through the real GStreamer player on generated media: real
// ends of stream drive the sequence across slots and wraps, every play gets
// exactly one notification, and nothing is skipped or repeated.

#include "settings/setting_names.h"
#include "support/counting_player.h"
#include "support/engine_rig.h"
#include "support/event_wait.h"
#include "support/media_fixtures.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace brookhum;
using namespace brookhum::test;


TEST_F(StoreTest, ThreeRoundsOverTwoSlotsPlayEveryFileOnceInOrder)
{
    QTemporaryDir media;
    for (const int k : {1, 3}) {
        const QString dir = media.filePath(u"slot %1 音"_s.arg(k));
        QDir().mkpath(dir);
        if (k == 1) {
            writeToneWav(dir + u"/a1.wav"_s, 100);
            writeToneMp3(dir + u"/a2.mp3"_s, 100);
        } else {
            writeMidiFile(dir + u"/b1.mid"_s, 250);
        }
        storeSlot(SlotKind::Directory, k, dir);
        storeTexts({{settings::PlayFlag(), u"1"_s}});
    }
    EngineRigWith<CountingPlayer> rig;
    rig.windows.createHiddenBars();
    rig.formCreate();
    ASSERT_TRUE(waitUntil([&] { return rig.player.plays >= 9; })) << rig.player.plays << " plays";
    rig.engine.NStopClick();
    ASSERT_TRUE(waitUntil([&] { return rig.player.notifications == rig.player.plays; }))
        << rig.player.notifications << " notifications for " << rig.player.plays << " plays";
    const QStringList round{u"a1.wav"_s, u"a2.mp3"_s, u"b1.mid"_s};
    EXPECT_EQ(rig.windows.indicationCaptions.mid(0, 9), round + round + round);
    EXPECT_TRUE(testApp().shownErrors.isEmpty()) << testApp().shownErrors.join(u"\n"_s).toStdString();
}
