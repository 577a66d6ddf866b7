// A long run of unattended play through the real engine and GStreamer player,
// decoding as fast as they can, with no pause between files: ten directory
// slots of twenty short WAV, MP3 and MIDI files each (200 files), directory
// repetition switched on and off every minute, so that slots are both
// repeated (and read again) and left. Prints the plays, resident memory,
// threads and open descriptors every 30 seconds, and says whether every play
// got exactly one notification and no error was shown.
//
// Usage: soak_bench [minutes]   (default 10)

#include "bench_environment.h"
#include "engine/menu_actions.h"
#include "settings/setting_names.h"
#include "support/counting_player.h"
#include "support/engine_rig.h"
#include "support/event_wait.h"
#include "support/media_fixtures.h"
#include "support/test_application.h"

#include <QAction>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

using namespace Qt::StringLiterals;
using namespace brookhum;
using namespace brookhum::test;

namespace {

constexpr int Slots = 10;
constexpr int FilesPerSlot = 20;

double residentMegabytes()
{
    QFile status(u"/proc/self/status"_s);
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLong() / 1024.0;
    }
    return -1;
}

qsizetype entriesOf(const QString &directory)
{
    return QDir(directory).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System).size();
}

void writeMedia(const QTemporaryDir &media)
{
    for (int k = 1; k <= Slots; ++k) {
        const QString dir = media.path() + u"/slot %1"_s.arg(k);
        QDir().mkpath(dir);
        for (int i = 1; i <= FilesPerSlot; ++i) {
            const QString path = dir + u"/f%1"_s.arg(i, 2, 10, QLatin1Char('0'));
            switch (i % 3) {
            case 0: writeMidiFile(path + u".mid"_s, 250); break;
            case 1: writeToneWav(path + u".wav"_s, 40, 300 + 20 * i); break;
            default: writeToneMp3(path + u".mp3"_s, 40, 300 + 20 * i); break;
            }
        }
        storeSlot(SlotKind::Directory, k, dir);
    }
    storeTexts({{settings::PlayFlag(), u"1"_s}});
}

} // namespace

int main(int argc, char **argv)
{
    const bench::BenchEnvironment environment;
    TestApplication app(argc, argv);
    const int minutes = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
    QTemporaryDir media;
    writeMedia(media);

    EngineRigWith<CountingPlayer> rig;
    rig.windows.createHiddenBars();
    rig.formCreate();
    QElapsedTimer clock;
    clock.start();
    std::printf("| minute | plays | RSS MB | threads | descriptors | directory repetition |\n|--:|--:|--:|--:|--:|---|\n");
    for (int half = 1; half <= 2 * minutes; ++half) {
        waitUntil([&] { return !app.shownErrors.isEmpty(); }, half * 30'000 - int(clock.elapsed()));
        if (!app.shownErrors.isEmpty())
            break;
        if (half % 2 == 0)
            rig.actions.NDirRepetition->trigger();
        std::printf("| %.1f | %d | %.1f | %lld | %lld | %s |\n", half / 2.0, rig.player.plays, residentMegabytes(),
                    static_cast<long long>(entriesOf(u"/proc/self/task"_s)),
                    static_cast<long long>(entriesOf(u"/proc/self/fd"_s)),
                    rig.actions.NDirRepetition->isChecked() ? "on" : "off");
        std::fflush(stdout);
    }
    rig.engine.NStopClick();
    waitUntil([&] { return rig.player.notifications == rig.player.plays; });
    std::printf("\n%d plays, %d notifications, %lld errors shown%s\n", rig.player.plays, rig.player.notifications,
                static_cast<long long>(app.shownErrors.size()),
                app.shownErrors.isEmpty() ? "" : qPrintable(u": "_s + app.shownErrors.first()));
    return rig.player.notifications == rig.player.plays && app.shownErrors.isEmpty() ? 0 : 1;
}
