// The media player's side of the player benchmark (run-player-bench.sh).
//
//   player_bench generate <directory> <seconds>
//       writes bench.wav, bench.mp3 and bench.mid (multi-instrument) there
//   player_bench play <file>
//       opens the file with the media player, plays it to its end and exits
//   player_bench bare <file>
//       plays the file to its end through a plain playbin, without the media
//       player, in the same process setting (Qt application, same libraries):
//       what the player's own code adds is the difference to "play"
//
// Exit status: 0 done, 1 the file could not be written or played, 2 usage.

#include "gst/gst_handles.h"
#include "gst/gst_media_player.h"
#include "base/media_error.h"
#include "band_midi.h"
#include "support/media_fixtures.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cstdio>
#include <stdexcept>

using namespace Qt::StringLiterals;
using namespace brookhum;

namespace {

int generate(const QString &directory, int seconds)
{
    const QDir dir(directory);
    const int durationMs = seconds * 1000;
    brookhum::test::writeToneWav(dir.filePath(u"bench.wav"_s), durationMs);
    brookhum::test::writeToneMp3(dir.filePath(u"bench.mp3"_s), durationMs);
    brookhum::bench::writeBandMidi(dir.filePath(u"bench.mid"_s), durationMs);
    return 0;
}

int play(const QString &file)
{
    brookhum::GstMediaPlayer player{brookhum::GstPlayerConfig{qgetenv("BROOKHUM_AUDIO_SINK"), {}}};
    QObject::connect(&player, &brookhum::MediaPlayer::Notify, QCoreApplication::instance(),
                     &QCoreApplication::quit);
    player.setFileName(file);
    player.Open();
    player.Play();
    return QCoreApplication::exec();
}

int bare(const QString &file)
{
    gst_init(nullptr, nullptr);
    const GstElementPtr playbin = adoptElement(gst_element_factory_make("playbin", nullptr));
    GError *rawError = nullptr;
    const GCharPtr uri(gst_filename_to_uri(QFile::encodeName(file).constData(), &rawError));
    const GErrorPtr uriError(rawError);
    const GstElementPtr sink =
        adoptElement(gst_parse_bin_from_description(qgetenv("BROOKHUM_AUDIO_SINK").constData(), TRUE, &rawError));
    const GErrorPtr sinkError(rawError);
    if (!playbin || !uri || !sink || sinkError)
        throw std::runtime_error("cannot build a playbin (is BROOKHUM_AUDIO_SINK set?)");
    g_object_set(playbin.get(), "uri", uri.get(), "audio-sink", sink.get(), nullptr);

    const GstBusPtr bus(gst_element_get_bus(playbin.get()));
    gst_element_set_state(playbin.get(), GST_STATE_PLAYING);
    const GstMessagePtr end(gst_bus_timed_pop_filtered(bus.get(), GST_CLOCK_TIME_NONE,
                                                       GstMessageType(GST_MESSAGE_EOS | GST_MESSAGE_ERROR)));
    gst_element_set_state(playbin.get(), GST_STATE_NULL);
    return GST_MESSAGE_TYPE(end.get()) == GST_MESSAGE_EOS ? 0 : 1;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    try {
        if (args.size() == 4 && args[1] == u"generate"_s && args[3].toInt() > 0)
            return generate(args[2], args[3].toInt());
        if (args.size() == 3 && args[1] == u"play"_s)
            return play(args[2]);
        if (args.size() == 3 && args[1] == u"bare"_s)
            return bare(args[2]);
    } catch (const std::exception &error) {
        std::fprintf(stderr, "player_bench: %s\n", error.what());
        return 1;
    }
    std::fprintf(stderr, "usage: player_bench generate <directory> <seconds> | play <file> | bare <file>\n");
    return 2;
}
