// Thousands of file changes through the real GStreamer player: every play
// gets exactly one notification, no file is skipped or played twice out of
// order, and the memory in use is printed for a person to compare.

#include "engine/menu_actions.h"
#include "settings/setting_names.h"
#include "support/counting_gst_player.h"
#include "support/engine_rig.h"
#include "support/event_wait.h"
#include "support/media_fixtures.h"
#include "support/test_application.h"

#include <QDir>
#include <QFile>

#include <cstdio>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace brookhum;
using namespace brookhum::test;

namespace {

long residentKilobytes()
{
    QFile status(u"/proc/self/status"_s);
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    }
    return -1;
}

} // namespace

TEST(PlaybackSoak, TwoThousandFileChangesKeepOrderAndOneNotificationPerPlay)
{
    const int changes = qEnvironmentVariableIntValue("BROOKHUM_SOAK_CHANGES") > 0
                            ? qEnvironmentVariableIntValue("BROOKHUM_SOAK_CHANGES")
                            : 2000;
    clearSettingsStore();
    QTemporaryDir media;
    QStringList cycle;
    for (int k = 1; k <= 2; ++k) {
        const QString dir = media.path() + u"/slot %1"_s.arg(k);
        QDir().mkpath(dir);
        for (int i = 1; i <= 6; ++i) {
            const QString name = u"s%1 f%2"_s.arg(k).arg(i);
            if (k == 2 && i == 6) {
                writeMidiFile(dir + u'/' + name + u".mid"_s, 40);
                cycle.append(name + u".mid"_s);
            } else if (i % 2 == 0) {
                writeToneMp3(dir + u'/' + name + u".mp3"_s, 30);
                cycle.append(name + u".mp3"_s);
            } else {
                writeToneWav(dir + u'/' + name + u".wav"_s, 30);
                cycle.append(name + u".wav"_s);
            }
        }
        const auto names = settings::slotValueNames(settings::SlotKind::Directory, k);
        storeTexts({{names.path, dir}, {names.flag, u"1"_s}});
    }
    storeTexts({{settings::PlayFlag(), u"1"_s}});

    EngineRigWith<CountingGstPlayer> rig;
    rig.windows.createHiddenBars();
    long warmedUp = 0;
    long halfway = 0;
    QObject::connect(&rig.player, &MediaPlayer::Notify, [&] {
        if (rig.player.notifications == 100)
            warmedUp = residentKilobytes();
        if (rig.player.notifications == changes / 2)
            halfway = residentKilobytes();
    });
    rig.formCreate();
    ASSERT_TRUE(waitUntil([&] { return rig.player.plays >= changes + 1 || !testApp().shownErrors.isEmpty(); },
                          600'000));
    rig.engine.NStopClick();
    ASSERT_TRUE(waitUntil([&] { return rig.player.notifications == rig.player.plays; }));
    const long atEnd = residentKilobytes();

    EXPECT_TRUE(testApp().shownErrors.isEmpty()) << testApp().shownErrors.join(u"\n"_s).toStdString();
    EXPECT_EQ(rig.player.notifications, rig.player.plays);
    const QStringList &played = rig.windows.indicationCaptions;
    ASSERT_GE(played.size(), changes + 1);
    for (int i = 0; i < played.size(); ++i)
        ASSERT_EQ(played[i], cycle[i % cycle.size()]) << "play " << i;

    std::printf("soak: %d plays, %d notifications; resident memory after 100 plays %ld kB, after %d %ld kB, "
                "at the end %ld kB\n",
                rig.player.plays, rig.player.notifications, warmedUp, changes / 2, halfway, atEnd);
}
