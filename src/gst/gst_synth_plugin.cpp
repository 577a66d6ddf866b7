// A GStreamer plug-in of one element, "brookhumsynth": a MIDI synthesizer on
// libfluidsynth that decodebin prefers to the stock fluiddec. It sounds the
// same (the same synthesizer, with fluiddec's soundfont and gain properties,
// reverb, chorus and polyphony), but
// - loads only the samples of the instruments a file uses, where fluiddec
//   loads and locks the whole soundfont in memory (141 MB for FluidR3), and
// - renders in slices of a fifth of a second between events, where fluiddec
//   sends a buffer down the pipeline for every 10 ms tick of the parser.
// It is a plug-in of its own, loaded at the first MIDI file, because
// libfluidsynth brings a dozen libraries (SDL, JACK, ALSA, libsndfile...)
// that a program playing WAV and MP3 files should not carry.

#include <version.h>

#include <fluidsynth.h>
#include <gst/gst.h>

#include <initializer_list>
#include <memory>
#include <new>

// GStreamer's plug-in description names the source package by this macro.
#define PACKAGE "brookhum"

namespace {

constexpr int SampleRate = 44100;
constexpr int Channels = 2;
// Silence between events is rendered once this much of it has gathered; in
// the first second, in smaller slices, so that the sink starts without delay.
constexpr GstClockTime Slice = 200 * GST_MSECOND;
constexpr GstClockTime StartSlice = 20 * GST_MSECOND;
// fluiddec's defaults, which the program's element setup may change.
constexpr double DefaultGain = 0.2;

enum Property { PropSoundFont = 1, PropSynthGain };

// A synthesizer with its settings, freed together (the synthesizer first).
struct FluidSynth {
    std::unique_ptr<fluid_settings_t, decltype(&delete_fluid_settings)> settings{new_fluid_settings(),
                                                                                 delete_fluid_settings};
    std::unique_ptr<fluid_synth_t, decltype(&delete_fluid_synth)> synth{nullptr, delete_fluid_synth};
};

struct Synth {
    GstElement parent;
    GstPad *sinkPad;
    GstPad *srcPad;
    gchar *soundFont;
    double gain;
    std::unique_ptr<FluidSynth> fluid; // from READY on; made and ended with the instance
    GstClockTime start;    // the stream time of the first event
    GstClockTime rendered; // the stream time up to which samples went out
    GstClockTime latest;   // the latest event's time
    bool discont;
};

struct SynthClass {
    GstElementClass parent;
};

GstElementClass *parentClass = nullptr;

GstStaticPadTemplate sinkTemplate =
    GST_STATIC_PAD_TEMPLATE("sink", GST_PAD_SINK, GST_PAD_ALWAYS, GST_STATIC_CAPS("audio/x-midi-event"));
GstStaticPadTemplate srcTemplate = GST_STATIC_PAD_TEMPLATE(
    "src", GST_PAD_SRC, GST_PAD_ALWAYS,
    GST_STATIC_CAPS("audio/x-raw, format=F32LE, rate=44100, channels=2, layout=interleaved"));

Synth *synthOf(GstObject *object)
{
    return reinterpret_cast<Synth *>(object);
}

guint64 frameAt(GstClockTime time)
{
    return gst_util_uint64_scale_int(time, SampleRate, GST_SECOND);
}

// Renders the samples from where the last slice ended up to `until` and
// sends them downstream.
GstFlowReturn renderUntil(Synth *s, GstClockTime until)
{
    if (!GST_CLOCK_TIME_IS_VALID(s->rendered) || until <= s->rendered)
        return GST_FLOW_OK;
    const guint64 frames = frameAt(until) - frameAt(s->rendered);
    GstBuffer *buffer = gst_buffer_new_allocate(nullptr, frames * Channels * sizeof(float), nullptr);
    GstMapInfo map;
    gst_buffer_map(buffer, &map, GST_MAP_WRITE);
    fluid_synth_write_float(s->fluid->synth.get(), static_cast<int>(frames), map.data, 0, Channels, map.data, 1, Channels);
    gst_buffer_unmap(buffer, &map);
    GST_BUFFER_PTS(buffer) = s->rendered;
    GST_BUFFER_DURATION(buffer) = until - s->rendered;
    GST_BUFFER_OFFSET(buffer) = frameAt(s->rendered);
    GST_BUFFER_OFFSET_END(buffer) = frameAt(until);
    if (s->discont)
        GST_BUFFER_FLAG_SET(buffer, GST_BUFFER_FLAG_DISCONT);
    s->discont = false;
    s->rendered = until;
    return gst_pad_push(s->srcPad, buffer);
}

// One event as midiparse sends it: a status byte and its data, or a system
// exclusive message from F0 to F7. Ticks and meta events change nothing.
void play(fluid_synth_t *synth, const guint8 *data, gsize size)
{
    if (size == 0)
        return;
    const int channel = data[0] & 0x0F;
    const auto byte = [&](gsize i) { return i < size ? data[i] : 0; };
    switch (data[0] & 0xF0) {
    case 0x80: fluid_synth_noteoff(synth, channel, byte(1)); break;
    case 0x90: fluid_synth_noteon(synth, channel, byte(1), byte(2)); break;
    case 0xA0: fluid_synth_key_pressure(synth, channel, byte(1), byte(2)); break;
    case 0xB0: fluid_synth_cc(synth, channel, byte(1), byte(2)); break;
    case 0xC0: fluid_synth_program_change(synth, channel, byte(1)); break;
    case 0xD0: fluid_synth_channel_pressure(synth, channel, byte(1)); break;
    case 0xE0: fluid_synth_pitch_bend(synth, channel, byte(2) << 7 | byte(1)); break;
    default:
        if (data[0] == 0xF0 && size >= 2)
            fluid_synth_sysex(synth, reinterpret_cast<const char *>(data) + 1, static_cast<int>(size - 2), nullptr,
                              nullptr, nullptr, 0);
        break;
    }
}

GstFlowReturn chain(GstPad *, GstObject *parent, GstBuffer *buffer)
{
    Synth *s = synthOf(parent);
    const GstClockTime time = GST_BUFFER_PTS(buffer);
    GstMapInfo map;
    gst_buffer_map(buffer, &map, GST_MAP_READ);
    const bool tick = map.size == 0 || map.data[0] == 0xF9 || map.data[0] == 0xFF;
    GstFlowReturn result = GST_FLOW_OK;
    if (GST_CLOCK_TIME_IS_VALID(time)) {
        if (!GST_CLOCK_TIME_IS_VALID(s->rendered))
            s->start = s->rendered = time;
        s->latest = time;
        // Before an event the synthesizer plays what came before it, so each
        // event sounds at its exact sample.
        const GstClockTime slice = s->rendered < s->start + GST_SECOND ? StartSlice : Slice;
        if (!tick || time >= s->rendered + slice)
            result = renderUntil(s, time);
    }
    play(s->fluid->synth.get(), map.data, map.size);
    gst_buffer_unmap(buffer, &map);
    gst_buffer_unref(buffer);
    return result;
}

gboolean sinkEvent(GstPad *pad, GstObject *parent, GstEvent *event)
{
    Synth *s = synthOf(parent);
    switch (GST_EVENT_TYPE(event)) {
    case GST_EVENT_CAPS: {
        gst_event_unref(event);
        GstCaps *caps = gst_pad_get_pad_template_caps(s->srcPad);
        const gboolean done = gst_pad_set_caps(s->srcPad, caps);
        gst_caps_unref(caps);
        return done;
    }
    case GST_EVENT_FLUSH_STOP:
        fluid_synth_system_reset(s->fluid->synth.get());
        s->start = s->rendered = s->latest = GST_CLOCK_TIME_NONE;
        s->discont = true;
        break;
    case GST_EVENT_EOS:
        if (GST_CLOCK_TIME_IS_VALID(s->latest))
            renderUntil(s, s->latest);
        break;
    default:
        break;
    }
    return gst_pad_event_default(pad, parent, event);
}

bool startSynth(Synth *s)
{
    auto fluid = std::make_unique<FluidSynth>();
    fluid_settings_t *settings = fluid->settings.get();
    fluid_settings_setnum(settings, "synth.sample-rate", SampleRate);
    fluid_settings_setnum(settings, "synth.gain", s->gain);
    // Samples of an instrument are read when a channel selects it, and
    // freed when no channel uses it any more.
    fluid_settings_setint(settings, "synth.dynamic-sample-loading", 1);
    fluid_settings_setint(settings, "synth.lock-memory", 0);
    fluid->synth.reset(new_fluid_synth(settings));
    if (!fluid->synth || !s->soundFont || fluid_synth_sfload(fluid->synth.get(), s->soundFont, 1) == FLUID_FAILED)
        return false;
    s->fluid = std::move(fluid);
    return true;
}

GstStateChangeReturn changeState(GstElement *element, GstStateChange transition)
{
    Synth *s = synthOf(GST_OBJECT(element));
    if (transition == GST_STATE_CHANGE_NULL_TO_READY && !startSynth(s)) {
        GST_ELEMENT_ERROR(element, RESOURCE, OPEN_READ, ("Cannot load the soundfont \"%s\".", s->soundFont), (nullptr));
        return GST_STATE_CHANGE_FAILURE;
    }
    if (transition == GST_STATE_CHANGE_READY_TO_PAUSED) {
        s->start = s->rendered = s->latest = GST_CLOCK_TIME_NONE;
        s->discont = true;
    }
    const GstStateChangeReturn result = parentClass->change_state(element, transition);
    if (transition == GST_STATE_CHANGE_READY_TO_NULL)
        s->fluid.reset();
    return result;
}

void setProperty(GObject *object, guint id, const GValue *value, GParamSpec *pspec)
{
    Synth *s = synthOf(GST_OBJECT(object));
    if (id == PropSoundFont) {
        g_free(s->soundFont);
        s->soundFont = g_value_dup_string(value);
    } else if (id == PropSynthGain) {
        s->gain = g_value_get_double(value);
    } else {
        G_OBJECT_WARN_INVALID_PROPERTY_ID(object, id, pspec);
    }
}

void getProperty(GObject *object, guint id, GValue *value, GParamSpec *pspec)
{
    const Synth *s = synthOf(GST_OBJECT(object));
    if (id == PropSoundFont)
        g_value_set_string(value, s->soundFont);
    else if (id == PropSynthGain)
        g_value_set_double(value, s->gain);
    else
        G_OBJECT_WARN_INVALID_PROPERTY_ID(object, id, pspec);
}

void finalize(GObject *object)
{
    Synth *s = synthOf(GST_OBJECT(object));
    s->fluid.~unique_ptr();
    g_free(s->soundFont);
    G_OBJECT_CLASS(parentClass)->finalize(object);
}

void classInit(gpointer klass, gpointer)
{
    parentClass = GST_ELEMENT_CLASS(g_type_class_peek_parent(klass));
    GObjectClass *objectClass = G_OBJECT_CLASS(klass);
    objectClass->set_property = setProperty;
    objectClass->get_property = getProperty;
    objectClass->finalize = finalize;
    const auto flags = GParamFlags(G_PARAM_READWRITE | G_PARAM_STATIC_STRINGS);
    g_object_class_install_property(
        objectClass, PropSoundFont,
        g_param_spec_string("soundfont", "Soundfont", "The soundfont file to play with", nullptr, flags));
    g_object_class_install_property(objectClass, PropSynthGain,
                                    g_param_spec_double("synth-gain", "Synth gain", "The synthesizer's output gain",
                                                        0.0, 10.0, DefaultGain, flags));
    GstElementClass *elementClass = GST_ELEMENT_CLASS(klass);
    elementClass->change_state = changeState;
    gst_element_class_add_static_pad_template(elementClass, &sinkTemplate);
    gst_element_class_add_static_pad_template(elementClass, &srcTemplate);
    gst_element_class_set_static_metadata(elementClass, "Brookhum MIDI synthesizer", "Codec/Decoder/Audio",
                                          "Plays MIDI events through fluidsynth, loading samples on demand",
                                          "Tarnwick");
}

void instanceInit(GTypeInstance *instance, gpointer)
{
    Synth *s = synthOf(GST_OBJECT(instance));
    s->sinkPad = gst_pad_new_from_static_template(&sinkTemplate, "sink");
    gst_pad_set_chain_function(s->sinkPad, chain);
    gst_pad_set_event_function(s->sinkPad, sinkEvent);
    gst_element_add_pad(GST_ELEMENT(instance), s->sinkPad);
    s->srcPad = gst_pad_new_from_static_template(&srcTemplate, "src");
    gst_pad_use_fixed_caps(s->srcPad);
    gst_element_add_pad(GST_ELEMENT(instance), s->srcPad);
    s->soundFont = nullptr;
    s->gain = DefaultGain;
    new (&s->fluid) std::unique_ptr<FluidSynth>();
    s->start = s->rendered = s->latest = GST_CLOCK_TIME_NONE;
    s->discont = true;
}

gboolean pluginInit(GstPlugin *plugin)
{
    // fluidsynth would print its messages on the terminal.
    for (const int level : {FLUID_PANIC, FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG})
        fluid_set_log_function(level, nullptr, nullptr);
    const GType type = g_type_register_static_simple(GST_TYPE_ELEMENT, "BrookhumSynth", sizeof(SynthClass), classInit,
                                                     sizeof(Synth), instanceInit, GTypeFlags(0));
    return gst_element_register(plugin, "brookhumsynth", GST_RANK_PRIMARY + 1, type);
}

} // namespace

GST_PLUGIN_DEFINE(GST_VERSION_MAJOR, GST_VERSION_MINOR, brookhumsynth, "Brookhum's MIDI synthesizer", pluginInit,
                  BROOKHUM_VERSION, "unknown", "Brookhum", "Tarnwick")
