#include "gst/loudness_meter.h"

#include "base/media_error.h"
#include "gst/gst_handles.h"
#include "gst/gst_playbin.h"

#include <gst/app/gstappsink.h>

#include <ebur128.h>

#include <algorithm>
#include <cmath>
#include <memory>

namespace brookhum {

namespace {

struct Ebur128Deleter {
    void operator()(ebur128_state *state) const { ebur128_destroy(&state); }
};
using Ebur128Ptr = std::unique_ptr<ebur128_state, Ebur128Deleter>;

struct SampleDeleter {
    void operator()(GstSample *sample) const { gst_sample_unref(sample); }
};
using GstSamplePtr = std::unique_ptr<GstSample, SampleDeleter>;

// Float samples, whatever the decoder gives; sync=false decodes as fast as it can.
constexpr const char *MeterSink =
    "audioconvert ! audio/x-raw,format=F32LE,layout=interleaved ! appsink name=meter sync=false max-buffers=8";

bool handOver(GstSample *sample, const SampleSink &sink)
{
    GstBuffer *buffer = gst_sample_get_buffer(sample);
    const GstStructure *format = gst_caps_get_structure(gst_sample_get_caps(sample), 0);
    int rate = 0, channels = 0;
    if (!buffer || !gst_structure_get_int(format, "rate", &rate) ||
        !gst_structure_get_int(format, "channels", &channels) || rate <= 0 || channels <= 0)
        return false;
    GstMapInfo map;
    if (!gst_buffer_map(buffer, &map, GST_MAP_READ))
        return false;
    const bool taken = sink(reinterpret_cast<const float *>(map.data), map.size / sizeof(float) / size_t(channels),
                            channels, rate);
    gst_buffer_unmap(buffer, &map);
    return taken;
}

} // namespace

bool decodeFloatSamples(const QString &fileName, const QString &soundFont, std::chrono::seconds limit,
                        const SampleSink &sink)
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    try {
        GstPlaybin playbin(fileName, GstPlayerConfig{MeterSink, soundFont}, nullptr, 0);
        playbin.preroll();
        const GstElementPtr meter = playbin.element("meter");
        if (!meter)
            return false;
        auto *appSink = GST_APP_SINK(meter.get());
        playbin.play();
        while (std::chrono::steady_clock::now() < deadline) {
            const GstSamplePtr sample(gst_app_sink_try_pull_sample(appSink, GST_SECOND / 4));
            if (sample && !handOver(sample.get(), sink))
                return false;
            if (!sample && gst_app_sink_is_eos(appSink))
                return true;
        }
        return false;
    } catch (const MediaError &) {
        return false;
    }
}

std::optional<Loudness> measureLoudness(const QString &fileName, const QString &soundFont, std::chrono::seconds limit,
                                        std::stop_token stop)
{
    Ebur128Ptr state;
    const bool whole = decodeFloatSamples(fileName, soundFont, limit,
                                          [&](const float *samples, std::size_t frames, int channels, int rate) {
        if (stop.stop_requested())
            return false;
        if (!state)
            state.reset(ebur128_init(unsigned(channels), unsigned(rate), EBUR128_MODE_I | EBUR128_MODE_SAMPLE_PEAK));
        return state && state->channels == unsigned(channels) && state->samplerate == unsigned(rate) &&
               ebur128_add_frames_float(state.get(), samples, frames) == EBUR128_SUCCESS;
    });
    double loudness = 0;
    if (!whole || !state || ebur128_loudness_global(state.get(), &loudness) != EBUR128_SUCCESS ||
        !std::isfinite(loudness))
        return std::nullopt;
    double peak = 0;
    for (unsigned channel = 0; channel < state->channels; ++channel) {
        double channelPeak = 0;
        if (ebur128_sample_peak(state.get(), channel, &channelPeak) == EBUR128_SUCCESS)
            peak = std::max(peak, channelPeak);
    }
    return Loudness{loudness, peak > 0 ? 20 * std::log10(peak) : -100.0};
}

} // namespace brookhum
