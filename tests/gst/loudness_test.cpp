// Loudness levelling on real decoding: what a file measures, what gain it is
// given, and what the cache of measurements keeps between runs.

#include "gst/loudness_leveller.h"
#include "gst/loudness_level.h"
#include "support/event_wait.h"
#include "support/media_fixtures.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;
using namespace brookhum;
using namespace brookhum::test;

namespace {

TEST(Loudness, GainBringsFilesToOneLoudnessWithoutClipping)
{
    const struct { const char *name; Loudness loudness; double gain; } rows[] = {
        {"LoudMasterNotTurnedDown", {-9.0, -0.1}, -9.0},
        {"QuietPieceNotLifted", {-30.0, -20.0}, 12.0},
        {"LiftClippingThePeak", {-30.0, -6.0}, 5.0},
        {"WhisperLiftedWithoutBound", {-60.0, -50.0}, 20.0},
        {"NoiseFloorCutWithoutBound", {5.0, 0.0}, -20.0},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_NEAR(levelGainDb(row.loudness), row.gain, 0.01);
    }
}

// A sine of amplitude 0.5 is -9 dBFS in RMS: -9.7 LUFS in mono at 440 Hz,
// where K-weighting takes 0.7 dB; the MP3 holds it in two channels, some 3 LU
// louder.
TEST(Loudness, AFileMeasuresAsItPlays)
{
    const QTemporaryDir dir;
    const QString wav = dir.filePath(u"tone.wav"_s), mp3 = dir.filePath(u"tone.mp3"_s);
    writeToneWav(wav, 3000);
    writeToneMp3(mp3, 3000);
    const std::optional<Loudness> mono = measureLoudness(wav, {}, 30s), stereo = measureLoudness(mp3, {}, 30s);
    ASSERT_TRUE(mono && stereo) << "not measured";
    EXPECT_NEAR(mono->integratedLufs, -9.7, 0.3);
    EXPECT_NEAR(stereo->integratedLufs - mono->integratedLufs, 3, 1) << "channels miscounted";
    EXPECT_NEAR(mono->peakDb, -6.0, 0.3);
    const QString midi = dir.filePath(u"tune.mid"_s);
    writeToneMidi(midi, 3000);
    EXPECT_TRUE(measureLoudness(midi, {}, 30s)) << "MIDI not measured through the synthesizer";
    EXPECT_FALSE(measureLoudness(dir.filePath(u"none.wav"_s), {}, 30s)) << "a missing file measured";
}

// The leveller measures in the background and remembers across runs what it
// measured, for the version of the file it measured.
TEST(Loudness, AMeasurementHoldsForTheFileAsItWasMeasured)
{
    const QTemporaryDir dir;
    const QString cache = dir.filePath(u"cache/loudness"_s);
    const QString file = dir.filePath(u"tone.wav"_s);
    writeToneWav(file, 1000);
    const auto measured = [&](LoudnessLeveller &leveller) {
        QSignalSpy done(&leveller, &LoudnessLeveller::measured);
        leveller.measureSoon(file);
        return waitUntil([&] { return !done.isEmpty(); }, 20000) && leveller.gainDbFor(file).has_value();
    };
    {
        LoudnessLeveller leveller({}, cache);
        EXPECT_FALSE(leveller.gainDbFor(file)) << "known before it was measured";
        ASSERT_TRUE(measured(leveller));
    }
    const struct { const char *name; std::function<void()> change; bool known; } rows[] = {
        {"MeasurementLostOnRestart", [] {}, true},
        {"ChangedFileKeptItsOldGain", [&] { writeToneWav(file, 1500, 220); }, false},
        {"DamagedCacheStoppedTheStart", [&] { writeRandomBytes(cache, 500); }, false},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        row.change();
        LoudnessLeveller leveller({}, cache);
        EXPECT_EQ(leveller.gainDbFor(file).has_value(), row.known);
        EXPECT_TRUE(row.known || measured(leveller)) << "not measured again";
    }
}

} // namespace
