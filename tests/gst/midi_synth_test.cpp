// The program's MIDI synthesizer against GStreamer's fluiddec: playbin picks
// it, and it renders a file to the same samples.

#include "gst/gst_handles.h"
#include "gst/gst_synth_loader.h"
#include "support/midi_bytes.h"
#include "support/media_fixtures.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace brookhum;
using namespace brookhum::test;

namespace {

// The samples a synthesizer element renders from the file, as 16-bit PCM.
QByteArray rendered(const char *synth, const QString &file, const QString &out)
{
    const QString description = u"filesrc location=\"%1\" ! midiparse ! %2 soundfont=/usr/share/sounds/sf2/default-GM.sf2 "
                                "synth-gain=0.7 ! audioconvert ! audio/x-raw,format=S16LE ! filesink location=\"%3\""_s
                                    .arg(file, QLatin1String(synth), out);
    const GstElementPtr pipeline = adoptElement(gst_parse_launch(description.toUtf8().constData(), nullptr));
    EXPECT_TRUE(pipeline) << synth;
    if (!pipeline)
        return {};
    const GstBusPtr bus(gst_element_get_bus(pipeline.get()));
    gst_element_set_state(pipeline.get(), GST_STATE_PLAYING);
    const GstMessagePtr end(gst_bus_timed_pop_filtered(bus.get(), 30 * GST_SECOND,
                                                       GstMessageType(GST_MESSAGE_EOS | GST_MESSAGE_ERROR)));
    gst_element_set_state(pipeline.get(), GST_STATE_NULL);
    EXPECT_TRUE(end && GST_MESSAGE_TYPE(end.get()) == GST_MESSAGE_EOS) << synth << " did not render to the end";
    QFile samples(out);
    return samples.open(QIODevice::ReadOnly) ? samples.readAll() : QByteArray();
}

TEST(MidiSynth, IsPickedOverFluiddecAndSoundsTheSame)
{
    gst_init(nullptr, nullptr);
    loadSynthPlugin();
    const GstObjectPtr<GstPluginFeature> ours(GST_PLUGIN_FEATURE(gst_element_factory_find("brookhumsynth")));
    const GstObjectPtr<GstPluginFeature> stock(GST_PLUGIN_FEATURE(gst_element_factory_find("fluiddec")));
    ASSERT_TRUE(ours && stock) << "the plug-in is not built beside the program";
    EXPECT_GT(gst_plugin_feature_get_rank(ours.get()), gst_plugin_feature_get_rank(stock.get()));

    // Piano and strings, a program change, a pitch bend, a controller and a
    // pause of two seconds with nothing but the parser's ticks.
    const QByteArray strings = b({0x00, 0xC1, 48, 0x00, 0x91, 48, 100, 0x00, 0xE1, 0x00, 0x50, 0x00, 0xB1, 7, 90});
    const QByteArray piano = tempo(500000) + note(480) + note(240) + b({0x8F, 0x40, 0x90, 64, 90, 0x83, 0x60, 0x80, 64, 0});
    QTemporaryDir dir;
    writeFile(dir.filePath(u"band.mid"_s), midi({piano, strings + b({0x87, 0x40, 0x81, 48, 0})}));
    const QByteArray stockSamples = rendered("fluiddec", dir.filePath(u"band.mid"_s), dir.filePath(u"stock.raw"_s));
    const QByteArray ourSamples = rendered("brookhumsynth", dir.filePath(u"band.mid"_s), dir.filePath(u"ours.raw"_s));
    EXPECT_GT(ourSamples.size(), 44100 * 2 * 2 * 3) << "shorter than the file";
    EXPECT_TRUE(ourSamples == stockSamples) << ourSamples.size() << " bytes against " << stockSamples.size();
}

} // namespace
