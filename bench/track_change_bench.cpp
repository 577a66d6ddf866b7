// Track-change overhead: from a file's natural end to the next file's first
// audio buffer, for WAV, MP3 and MIDI, beyond the 3 seconds of silence between
// files. The real engine, settings load and GStreamer player run as in the
// program, the wait between files blocks this thread as the program's does
// (and how long it really took is taken out); a timing sink notes when sound
// ends and starts. Prints a table.
//
// Usage: track_change_bench [changes per format]

#include "gst/gst_media_player.h"
#include "settings/setting_names.h"
#include "support/engine_rig.h"
#include "support/event_wait.h"
#include "band_midi.h"
#include "support/media_fixtures.h"
#include "bench_environment.h"
#include "support/test_application.h"
#include "timing_sink.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>

using namespace Qt::StringLiterals;
using namespace brookhum;

namespace {

struct Format {
    const char *name;
    const char *extension;
    std::function<void(const QString &)> write;
    double targetMs;
};

// Milliseconds between each end of stream and the first buffer after it,
// less the wait between the two files.
std::vector<double> changeTimes(const std::vector<bench::SinkMark> &marks, const std::vector<double> &waitsMs)
{
    std::vector<double> ms;
    for (size_t i = 0; i + 1 < marks.size(); ++i) {
        if (marks[i].kind == bench::SinkMark::EndOfStream && marks[i + 1].kind == bench::SinkMark::FirstBuffer)
            ms.push_back(static_cast<double>(marks[i + 1].microseconds - marks[i].microseconds) / 1000.0);
    }
    for (size_t i = 0; i < ms.size() && i < waitsMs.size(); ++i)
        ms[i] -= waitsMs[i];
    ms.resize(std::min(ms.size(), waitsMs.size()));
    return ms;
}

// The real player, playing into the timing sink.
struct TimingPlayer : GstMediaPlayer {
    TimingPlayer() : GstMediaPlayer(GstPlayerConfig{"brookhumtimingsink", {}}) {}
};

std::vector<double> measure(const Format &format, int changes, bench::TimingLog &log, const QString &root)
{
    test::clearSettingsStore();
    const QString dir = root + u'/' + QLatin1StringView(format.name);
    QDir().mkpath(dir);
    for (int i = 0; i <= changes; ++i)
        format.write(dir + u"/%1.%2"_s.arg(i, 3, 10, QLatin1Char('0')).arg(QLatin1StringView(format.extension)));
    const auto names = settings::slotValueNames(settings::SlotKind::Directory, 1);
    test::storeTexts({{names.path, dir}, {names.flag, u"1"_s}, {settings::PlayFlag(), u"1"_s}});

    const size_t before = log.marks().size();
    test::EngineRigWith<TimingPlayer> rig;
    std::vector<double> waitsMs;
    rig.onWait = [&](int seconds) {
        const auto start = std::chrono::steady_clock::now();
        QThread::sleep(static_cast<unsigned long>(seconds));
        waitsMs.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    };
    rig.formCreate();
    test::waitUntil([&] { return log.marks().size() >= before + 2 * static_cast<size_t>(changes + 1); }, 120'000);
    rig.engine.NStopClick();
    const auto all = log.marks();
    return changeTimes(std::vector<bench::SinkMark>(all.begin() + static_cast<long>(before), all.end()), waitsMs);
}

} // namespace

int main(int argc, char **argv)
{
    const bench::BenchEnvironment environment;
    test::TestApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    const int changes = args.size() > 1 ? std::max(1, args[1].toInt()) : 10;

    gst_init(nullptr, nullptr);
    bench::TimingLog log;
    bench::registerTimingSink(log);

    const Format formats[] = {
        {"wav", "wav", [](const QString &path) { test::writeToneWav(path, 300); }, 10},
        {"mp3", "mp3", [](const QString &path) { test::writeToneMp3(path, 300); }, 10},
        {"midi", "mid", [](const QString &path) { bench::writeBandMidi(path, 300); }, 10},
    };
    QTemporaryDir media;
    std::printf("\nTrack change: natural end of a file to the next file's first audio buffer,\n"
                "beyond the 3 s wait between files, %d changes per format\n\n", changes);
    std::printf("| %-6s | %7s | %9s | %7s | %9s | %-7s |\n", "format", "min ms", "median ms", "max ms", "target ms",
                "met");
    std::printf("|--------|---------|-----------|---------|-----------|---------|\n");
    bool allMet = true;
    for (const Format &format : formats) {
        std::vector<double> ms = measure(format, changes, log, media.path());
        if (ms.empty()) {
            std::printf("| %-6s | no change measured%43s|\n", format.name, "");
            allMet = false;
            continue;
        }
        std::sort(ms.begin(), ms.end());
        const double median = ms[ms.size() / 2];
        const bool met = ms.back() <= format.targetMs;
        allMet = allMet && met;
        std::printf("| %-6s | %7.1f | %9.1f | %7.1f | %9.0f | %-7s |\n", format.name, ms.front(), median, ms.back(),
                    format.targetMs, met ? "yes" : "NO");
    }
    std::printf("\n%s\n", allMet ? "all targets met" : "some targets NOT met");
    return 0;
}
