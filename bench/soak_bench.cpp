// Thousands of file changes through the real engine and GStreamer player,
// decoding as fast as they can: prints the plays, the notifications and the
// resident memory after 100 plays, half way and at the end, and says whether
// every play got exactly one notification in the right order.
//
// Usage: soak_bench [changes]   (default 2000)

#include "engine/menu_actions.h"
#include "settings/setting_names.h"
#include "bench_environment.h"
#include "support/counting_player.h"
#include "support/engine_rig.h"
#include "support/event_wait.h"
#include "support/media_fixtures.h"
#include "support/test_application.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <cstdio>
#include <cstdlib>


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

int main(int argc, char **argv)
{
    const bench::BenchEnvironment environment;
    TestApplication app(argc, argv);
    const int changes = argc > 1 ? std::max(1, std::atoi(argv[1])) : 2000;
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

    EngineRigWith<CountingPlayer> rig;
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
    waitUntil([&] { return rig.player.plays >= changes + 1 || !app.shownErrors.isEmpty(); }, 3'600'000);
    rig.engine.NStopClick();
    waitUntil([&] { return rig.player.notifications == rig.player.plays; });
    const long atEnd = residentKilobytes();

    const QStringList &played = rig.windows.indicationCaptions;
    int outOfOrder = 0;
    for (int i = 0; i < played.size(); ++i)
        outOfOrder += played[i] != cycle[i % cycle.size()] ? 1 : 0;
    std::printf("| plays | notifications | out of order | errors | RSS after 100 (kB) | after %d (kB) | at the end (kB) |\n"
                "|---|---|---|---|---|---|---|\n| %d | %d | %d | %lld | %ld | %ld | %ld |\n",
                changes / 2, rig.player.plays, rig.player.notifications, outOfOrder,
                static_cast<long long>(app.shownErrors.size()), warmedUp, halfway, atEnd);
    return rig.player.notifications == rig.player.plays && outOfOrder == 0 && app.shownErrors.isEmpty() ? 0 : 1;
}
