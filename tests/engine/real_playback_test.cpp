// Unattended play through the real GStreamer player on generated media: real
// ends of stream drive the sequence across a slot boundary and a wrap, and
// pause, resume and next work on a real pipeline.

#include "engine/menu_actions.h"
#include "settings/setting_names.h"
#include "support/counting_gst_player.h"
#include "support/engine_rig.h"
#include "support/event_wait.h"
#include "support/media_fixtures.h"
#include "support/scoped_env.h"
#include "support/test_application.h"
#include "support/store_test.h"

#include <QAction>
#include <QDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace brookhum;
using namespace brookhum::test;

namespace {

using RealRig = EngineRigWith<CountingGstPlayer>;

class RealPlayback : public StoreTest {
protected:
    QString directory(const QString &name)
    {
        const QString path = media.path() + u'/' + name;
        QDir().mkpath(path);
        return path;
    }

    void storeDirectorySlot(int k, const QString &dir)
    {
        const auto names = settings::slotValueNames(settings::SlotKind::Directory, k);
        storeTexts({{names.path, dir}, {names.flag, u"1"_s}});
    }

    QTemporaryDir media;
};

} // namespace

TEST_F(RealPlayback, EndsOfStreamDriveTheSequenceAcrossASlotBoundaryAndAWrap)
{
    const QString first = directory(u"first slot"_s);
    const QString second = directory(u"二番目"_s);
    writeToneWav(first + u"/a1.wav"_s, 150);
    writeToneMp3(first + u"/a2.mp3"_s, 150);
    writeMidiFile(second + u"/b1.mid"_s, 200);
    storeDirectorySlot(1, first);
    storeDirectorySlot(3, second);
    storeTexts({{settings::PlayFlag(), u"1"_s}});

    RealRig rig;
    rig.windows.createHiddenBars();
    rig.formCreate();
    ASSERT_TRUE(waitUntil([&] { return rig.windows.indicationCaptions.size() >= 6; }))
        << rig.windows.indicationCaptions.join(u", "_s).toStdString();
    rig.engine.NStopClick();
    ASSERT_TRUE(waitUntil([&] { return rig.player.notifications == rig.player.plays; }));

    EXPECT_EQ(rig.windows.indicationCaptions.mid(0, 6),
              (QStringList{u"a1.wav"_s, u"a2.mp3"_s, u"b1.mid"_s, u"a1.wav"_s, u"a2.mp3"_s, u"b1.mid"_s}));
    EXPECT_TRUE(testApp().shownErrors.isEmpty()) << testApp().shownErrors.join(u"\n"_s).toStdString();
}

TEST_F(RealPlayback, PauseResumeAndNextOnARealPipeline)
{
    // Real-time pacing, so that a pause happens in the middle of the file.
    const ScopedAudioSink sink("fakesink sync=true");
    const QString dir = directory(u"pause"_s);
    writeToneWav(dir + u"/1 long.wav"_s, 3000);
    writeToneWav(dir + u"/2 short.wav"_s, 100);
    storeDirectorySlot(1, dir);
    storeTexts({{settings::PlayFlag(), u"1"_s}});

    RealRig rig;
    rig.windows.createHiddenBars();
    rig.formCreate();
    ASSERT_EQ(rig.windows.indicationCaptions, QStringList{u"1 long.wav"_s});
    ASSERT_TRUE(waitUntil([&] { return rig.player.Position() >= 300; }));

    rig.actions.NOneTimeStop->trigger();
    const int paused = rig.state().PausePosition;
    EXPECT_GE(paused, 300);
    ASSERT_TRUE(waitUntil([&] { return rig.player.notifications == 1; }));
    EXPECT_EQ(rig.windows.indicationCaptions.size(), 1) << "no file change while paused";

    rig.actions.NOneTimeStop->trigger();
    EXPECT_GE(rig.player.Position(), paused - 100) << "resumed where it paused, not from the start";
    ASSERT_TRUE(waitUntil([&] { return rig.player.Position() > paused + 50; }));

    rig.actions.NNext->trigger();
    ASSERT_TRUE(waitUntil([&] { return rig.windows.indicationCaptions.size() == 2; }));
    EXPECT_EQ(rig.windows.indicationCaptions.last(), u"2 short.wav"_s);
    rig.engine.NStopClick();
    ASSERT_TRUE(waitUntil([&] { return rig.player.notifications == rig.player.plays; }));
    EXPECT_TRUE(testApp().shownErrors.isEmpty());
}
