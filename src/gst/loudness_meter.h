#pragma once

#include <QString>

#include <chrono>
#include <cstddef>
#include <functional>
#include <optional>
#include <stop_token>

namespace brookhum {

// How loud a file plays, as EBU R128 measures it.
struct Loudness {
    double integratedLufs; // the whole file's loudness, in LUFS
    double peakDb;         // its highest sample, in dB below full scale
};

// Decodes a whole file as fast as it can, through the same elements as play
// (a MIDI file through the synthesizer, on the given soundfont and at the
// same gain), and measures it. nullopt when the file cannot be decoded, holds
// only silence, takes longer than the limit or is told to stop.
std::optional<Loudness> measureLoudness(const QString &fileName, const QString &soundFont,
                                        std::chrono::seconds limit, std::stop_token stop = {});

// The decoding underneath: hands every block of interleaved float samples to
// the sink in order, until the end (true) or until the sink refuses a block,
// the file fails or the limit passes (false).
using SampleSink = std::function<bool(const float *samples, std::size_t frames, int channels, int rate)>;
bool decodeFloatSamples(const QString &fileName, const QString &soundFont, std::chrono::seconds limit,
                        const SampleSink &sink);

} // namespace brookhum
