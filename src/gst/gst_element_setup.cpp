#include "gst/gst_element_setup.h"

#include "base/native_path.h"
#include "gst/gst_handles.h"

#include <string>

using namespace Qt::StringLiterals;

namespace brookhum {

namespace {

// fluidsynth's own default gain of 0.2 leaves MIDI music far quieter than the
// WAV and MP3 files around it: a piano melody peaks near -28 dBFS. Measured
// with a level element on a loud band (melody, strings, bass, brass, drums at
// velocities 90 to 110) through TimGM6mb, the peak is -14.7 dBFS at 0.2,
// -3.8 dBFS at 0.7 and -0.7 dBFS at 1.0. 0.7 keeps about 4 dB of headroom for
// denser passages. One patch of TimGM6mb, String Ensemble 1 (program 48), is
// some 14 dB louder than the rest and can clip at any gain above 0.2; all
// the others should not stay too quiet on its account.
constexpr double SynthGain = 0.7;

// In microseconds.
constexpr gint64 SinkBufferTime = 2'000'000;
constexpr gint64 SinkLatencyTime = 400'000;

struct Setup {
    std::string soundFont;
    std::string mediaName;
};

bool isMadeBy(GstElement *element, const char *factoryName)
{
    GstElementFactory *factory = gst_element_get_factory(element);
    return factory && g_strcmp0(gst_plugin_feature_get_name(GST_PLUGIN_FEATURE(factory)), factoryName) == 0;
}

// Runs for every element playbin adds, possibly on a streaming thread; it only
// sets properties of the new element, which is safe there.
void setUpElement(GstElement * /*playbin*/, GstElement *element, gpointer data)
{
    const auto *setup = static_cast<const Setup *>(data);
    if (isMadeBy(element, "brookhumsynth") || isMadeBy(element, "fluiddec")) {
        g_object_set(element, "soundfont", setup->soundFont.c_str(), "synth-gain", SynthGain, nullptr);
    } else if (isMadeBy(element, "pulsesink")) {
        // What the desktop's sound settings show for the stream.
        GstStructure *properties = gst_structure_new("props", "media.role", G_TYPE_STRING, "music", "media.name",
                                                     G_TYPE_STRING, setup->mediaName.c_str(), "application.name",
                                                     G_TYPE_STRING, "Brookhum", "application.id", G_TYPE_STRING,
                                                     "com.tarnwick.Brookhum", "application.icon_name", G_TYPE_STRING,
                                                     "com.tarnwick.Brookhum", nullptr);
        g_object_set(element, "stream-properties", properties, "client-name", "Brookhum", nullptr);
        gst_structure_free(properties);
        // Background music needs no low latency: the stock 200 ms buffer
        // refilled every 10 ms wakes the process a hundred times a second.
        // Two seconds of buffer refilled in fifths keep the server safer
        // from underruns with a fraction of the wakeups (25 a second playing
        // MP3, against 30 refilled in quarters and 54 in halves, where each
        // refill comes as many small writes); pausing and stopping still act
        // at once, as the sink flushes the buffer.
        g_object_set(element, "buffer-time", SinkBufferTime, "latency-time", SinkLatencyTime, nullptr);
    }
}

void deleteSetup(gpointer data, GClosure *)
{
    delete static_cast<Setup *>(data);
}

} // namespace

QString chooseSoundFont(const QString &given)
{
    if (!given.isEmpty())
        return given;
    // default-GM.sf2 is the soundfont the system administrator chose through
    // Debian's alternatives; the others are what the packages install.
    for (const QString &directory : {u"/usr/share/sounds/sf2"_s, u"/usr/share/soundfonts"_s}) {
        for (const QString &name : {u"default-GM.sf2"_s, u"FluidR3_GM.sf2"_s, u"TimGM6mb.sf2"_s}) {
            if (isRegularFile(directory + u'/' + name))
                return directory + u'/' + name;
        }
    }
    return {};
}

void configureElements(GstElement *playbin, const QString &soundFont, const QString &mediaName)
{
    auto *setup = new Setup{nativePath(soundFont).toStdString(), mediaName.toStdString()};
    g_signal_connect_data(playbin, "element-setup", G_CALLBACK(setUpElement), setup, deleteSetup, GConnectFlags(0));
}

} // namespace brookhum
