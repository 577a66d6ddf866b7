// Loudness levelling on a mixed corpus: MIDI through the synthesizer on each
// soundfont given, WAV and MP3 of very different levels, one piece with a
// quiet opening and a loud second half. For each file: its EBU R128 loudness
// and peak as it plays today, then levelled two ways:
//   analysed   each file measured once, played with one gain (the program's way)
//   real time  a slow gain that follows the short-term loudness as it plays,
//              as a broadcast leveller would (at most 1 dB a second, held in
//              silence), simulated on the decoded samples
// and how much the real-time gain swings inside each piece after its first
// 10 seconds, and how many samples it would clip. Also the CPU seconds the
// measurement took per minute of audio.
//
// Usage: loudness_bench <soundfont.sf2>...

#include "band_midi.h"
#include "gst/gst_handles.h"
#include "gst/loudness_level.h"
#include "gst/loudness_meter.h"
#include "support/media_fixtures.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

#include <ebur128.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <memory>
#include <vector>

using namespace Qt::StringLiterals;
using namespace brookhum;
using namespace std::chrono_literals;

namespace {

constexpr int Seconds = 40;

QString tone(const char *wave, double volume, int seconds, int offset = 0)
{
    return u"audiotestsrc wave=%1 volume=%2 freq=330 num-buffers=%3 samplesperbuffer=441 timestamp-offset=%4"_s
        .arg(QLatin1String(wave)).arg(volume).arg(seconds * 100).arg(qint64(offset) * 1'000'000'000);
}

struct Piece {
    QString label;
    QString file;
    QString soundFont;
};

struct Ebur128Deleter {
    void operator()(ebur128_state *state) const { ebur128_destroy(&state); }
};
using Ebur128Ptr = std::unique_ptr<ebur128_state, Ebur128Deleter>;

struct RealTime {
    double lufs = 0, swing = 0;
    long clipped = 0;
};

// A slow leveller run over the decoded samples in blocks of 100 ms.
RealTime levelInRealTime(const Piece &piece)
{
    Ebur128Ptr in, out;
    double gainDb = 0, lowest = 1e9, highest = -1e9, elapsed = 0;
    std::vector<float> block, levelled;
    RealTime result;
    const auto flush = [&](int channels, int rate) {
        ebur128_add_frames_float(in.get(), block.data(), block.size() / size_t(channels));
        double shortTerm = -HUGE_VAL;
        ebur128_loudness_shortterm(in.get(), &shortTerm);
        if (std::isfinite(shortTerm) && shortTerm > -50) {
            const double wanted = std::clamp(LevelledLufs - shortTerm, -20.0, 12.0);
            gainDb += std::clamp(wanted - gainDb, -0.1, 0.1); // 1 dB a second
        }
        const double gain = std::pow(10.0, gainDb / 20);
        levelled.resize(block.size());
        for (size_t i = 0; i < block.size(); ++i) {
            levelled[i] = float(block[i] * gain);
            result.clipped += std::abs(levelled[i]) > 1.0f ? 1 : 0;
        }
        ebur128_add_frames_float(out.get(), levelled.data(), levelled.size() / size_t(channels));
        elapsed += double(block.size()) / channels / rate;
        if (elapsed > 10) {
            lowest = std::min(lowest, gainDb);
            highest = std::max(highest, gainDb);
        }
        block.clear();
    };
    int channels = 0, rate = 0;
    decodeFloatSamples(piece.file, piece.soundFont, 300s, [&](const float *samples, size_t frames, int c, int r) {
        if (!in) {
            channels = c, rate = r;
            in.reset(ebur128_init(unsigned(c), unsigned(r), EBUR128_MODE_S));
            out.reset(ebur128_init(unsigned(c), unsigned(r), EBUR128_MODE_I));
        }
        block.insert(block.end(), samples, samples + frames * size_t(c));
        if (block.size() >= size_t(c * r / 10))
            flush(c, r);
        return true;
    });
    if (!block.empty())
        flush(channels, rate);
    if (out)
        ebur128_loudness_global(out.get(), &result.lufs);
    result.swing = highest >= lowest ? highest - lowest : 0;
    return result;
}

double spread(const std::vector<double> &values)
{
    return *std::max_element(values.begin(), values.end()) - *std::min_element(values.begin(), values.end());
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    gst_init(nullptr, nullptr);
    const QTemporaryDir dir;
    std::vector<Piece> corpus;
    const QString band = dir.filePath(u"band.mid"_s), piano = dir.filePath(u"piano.mid"_s);
    bench::writeBandMidi(band, Seconds * 1000);
    test::writeMidiFile(piano, Seconds * 1000);
    for (int i = 1; i < argc; ++i) {
        const QString font = QString::fromLocal8Bit(argv[i]);
        const QString name = QFileInfo(font).completeBaseName();
        corpus.push_back({u"MIDI band (%1)"_s.arg(name), band, font});
        corpus.push_back({u"MIDI piano (%1)"_s.arg(name), piano, font});
    }
    const auto make = [&](const QString &label, const QString &name, const QString &description) {
        test::writeWithPipeline(dir.filePath(name), description);
        corpus.push_back({label, dir.filePath(name), {}});
    };
    const QString wav = u" ! audio/x-raw,format=S16LE,rate=44100,channels=2 ! wavenc ! filesink name=out"_s;
    const QString mp3 = u" ! audio/x-raw,rate=44100,channels=2 ! lamemp3enc target=bitrate bitrate=192 cbr=true ! filesink name=out"_s;
    const QString stereo = u" ! audio/x-raw,format=F32LE,rate=44100,channels=2 ! c. "_s;
    make(u"WAV, quiet tone"_s, u"quiet.wav"_s, tone("sine", 0.03, Seconds) + wav);
    make(u"WAV, noise at -12 dB"_s, u"noise.wav"_s, tone("pink-noise", 0.25, Seconds) + wav);
    make(u"MP3, loud master"_s, u"master.mp3"_s, tone("pink-noise", 0.9, Seconds) + mp3);
    make(u"MP3, quiet opening, loud end"_s, u"dynamic.mp3"_s,
         u"concat name=c ! audioconvert"_s + mp3 + u" "_s + tone("sine", 0.02, Seconds / 2) + stereo +
             tone("pink-noise", 0.8, Seconds / 2, Seconds / 2) + stereo);

    std::printf("| file | loudness LUFS | peak dBFS | gain dB | analysed LUFS | real-time LUFS | real-time swing dB | "
                "real-time clipped samples | measuring, CPU s per audio minute |\n|---|--:|--:|--:|--:|--:|--:|--:|--:|\n");
    std::vector<double> before, analysed, realTime;
    for (const Piece &piece : corpus) {
        const std::clock_t started = std::clock();
        const std::optional<Loudness> loudness = measureLoudness(piece.file, piece.soundFont, 300s);
        const double cpu = double(std::clock() - started) / CLOCKS_PER_SEC;
        if (!loudness) {
            std::printf("| %s | not measured |\n", qPrintable(piece.label));
            continue;
        }
        const double gain = levelGainDb(*loudness);
        const RealTime level = levelInRealTime(piece);
        before.push_back(loudness->integratedLufs);
        analysed.push_back(loudness->integratedLufs + gain);
        realTime.push_back(level.lufs);
        std::printf("| %s | %.1f | %.1f | %+.1f | %.1f | %.1f | %.1f | %ld | %.2f |\n", qPrintable(piece.label),
                    loudness->integratedLufs, loudness->peakDb, gain, loudness->integratedLufs + gain, level.lufs,
                    level.swing, level.clipped, cpu * 60 / Seconds);
    }
    if (!before.empty()) {
        std::printf("\nSpread between the loudest and the quietest file: %.1f LU as played today, %.1f LU analysed, "
                    "%.1f LU real time. Target %.0f LUFS.\n",
                    spread(before), spread(analysed), spread(realTime), LevelledLufs);
    }
    return 0;
}
