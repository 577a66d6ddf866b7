#include "gst/gst_midi_synth.h"

#include "gst/gst_handles.h"

#include <QFile>
#include <QFileInfo>

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

// Runs for every element playbin adds, possibly on a streaming thread; it only
// sets properties of the new element, which is safe there.
void setUpElement(GstElement * /*playbin*/, GstElement *element, gpointer data)
{
    GstElementFactory *factory = gst_element_get_factory(element);
    if (!factory || g_strcmp0(gst_plugin_feature_get_name(GST_PLUGIN_FEATURE(factory)), "fluiddec") != 0)
        return;
    const auto *soundFont = static_cast<const std::string *>(data);
    if (!soundFont->empty())
        g_object_set(element, "soundfont", soundFont->c_str(), nullptr);
    g_object_set(element, "synth-gain", SynthGain, nullptr);
}

void deleteSoundFontName(gpointer data, GClosure *)
{
    delete static_cast<std::string *>(data);
}

} // namespace

QString generalMidiSoundFont()
{
    // default-GM.sf2 is the soundfont the system administrator chose through
    // Debian's alternatives; the other two are the packages that provide it.
    static const char *const candidates[] = {"default-GM.sf2", "TimGM6mb.sf2", "FluidR3_GM.sf2"};
    for (const char *name : candidates) {
        const QString path = u"/usr/share/sounds/sf2/"_s + QLatin1StringView(name);
        if (QFileInfo(path).isFile())
            return path;
    }
    return {};
}

void configureMidiSynth(GstElement *playbin, const QString &soundFont)
{
    auto *name = new std::string(QFile::encodeName(soundFont).toStdString());
    g_signal_connect_data(playbin, "element-setup", G_CALLBACK(setUpElement), name,
                          deleteSoundFontName, GConnectFlags(0));
}

} // namespace brookhum
