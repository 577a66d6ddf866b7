#include "engine/gst_playbin.h"

#include "engine/gst_bus_event.h"
#include "engine/gst_midi_synth.h"
#include "engine/media_error.h"

#include <QCoreApplication>
#include <QFile>

#include <atomic>

using namespace Qt::StringLiterals;

namespace brookhum {

struct GstPlaybin::BusRoute {
    QObject *receiver;
    quint64 generation;
    std::atomic<quint64> playId{0};
};

namespace {

// playbin's "flags": decode and play the audio stream only.
constexpr guint PlayFlagAudio = 1u << 1;

constexpr GstClockTime OpenTimeout = 5 * GST_SECOND;

} // namespace

QString GstPlaybin::errorText(GstMessage *message, bool withDetails)
{
    GError *rawError = nullptr;
    gchar *rawDetails = nullptr;
    gst_message_parse_error(message, &rawError, withDetails ? &rawDetails : nullptr);
    const GErrorPtr error(rawError);
    const GCharPtr details(rawDetails);
    QString text = error ? QString::fromUtf8(error->message) : u"unknown error"_s;
    if (details)
        text += u" ("_s + QString::fromUtf8(details.get()) + u')';
    return text;
}

// Runs on whichever thread posts the message. Only the player's thread may act
// on it, so the message travels there as a Qt event; nothing is left on the
// bus, which no GLib main loop ever drains. The player needs only the end of
// the stream and errors.
//
// A sync handler that drops a message owns it and must release it: every
// message holds its source element, so one kept would keep the whole
// pipeline alive.
GstBusSyncReply GstPlaybin::forwardBusMessage(GstBus *, GstMessage *message, gpointer data)
{
    const GstMessagePtr dropped(message);
    const auto *route = static_cast<const BusRoute *>(data);
    if (GST_MESSAGE_TYPE(message) & (GST_MESSAGE_EOS | GST_MESSAGE_ERROR)) {
        QCoreApplication::postEvent(route->receiver,
                                    new GstBusEvent(message, route->generation, route->playId.load()));
    }
    return GST_BUS_DROP;
}

// The sink that BROOKHUM_AUDIO_SINK describes (a gst-launch style
// description such as "fakesink sync=true"), or the desktop's default output.
GstElementPtr GstPlaybin::makeAudioSink() const
{
    const QByteArray description = qgetenv("BROOKHUM_AUDIO_SINK").trimmed();
    if (description.isEmpty()) {
        GstElementPtr sink = adoptElement(gst_element_factory_make("autoaudiosink", nullptr));
        if (!sink)
            fail(u"GStreamer's automatic audio output (autoaudiosink) is not installed"_s);
        return sink;
    }
    GError *rawError = nullptr;
    GstElementPtr sink = adoptElement(gst_parse_bin_from_description(description.constData(), TRUE, &rawError));
    const GErrorPtr error(rawError);
    if (error || !sink) {
        fail(u"the audio output \"%1\" given in BROOKHUM_AUDIO_SINK is not usable: %2"_s.arg(
            QString::fromLocal8Bit(description),
            error ? QString::fromUtf8(error->message) : u"unknown error"_s));
    }
    return sink;
}

GstPlaybin::GstPlaybin(const QString &fileName, QObject *receiver, quint64 generation)
    : m_fileName(fileName)
    , m_route(new BusRoute{receiver, generation})
{
    if (fileName.isEmpty())
        fail(u"no file name given"_s);

    GError *rawError = nullptr;
    const GCharPtr uri(gst_filename_to_uri(QFile::encodeName(fileName).constData(), &rawError));
    const GErrorPtr uriError(rawError);
    if (!uri)
        fail(uriError ? QString::fromUtf8(uriError->message) : u"not a valid file name"_s);

    m_playbin = adoptElement(gst_element_factory_make("playbin", nullptr));
    if (!m_playbin)
        fail(u"GStreamer's playbin is not installed"_s);
    GstElementPtr sink = makeAudioSink();

    g_object_set(m_playbin.get(), "uri", uri.get(), "flags", PlayFlagAudio, "audio-sink", sink.get(), nullptr);
    // With video off playbin still probes video sinks when a file holds
    // pictures, and some of them open windows or crash without a display.
    for (const char *property : {"video-sink", "text-sink"}) {
        const GstElementPtr nothing = adoptElement(gst_element_factory_make("fakesink", nullptr));
        if (nothing)
            g_object_set(m_playbin.get(), property, nothing.get(), nullptr);
    }
    configureMidiSynth(m_playbin.get(), generalMidiSoundFont());
    m_bus.reset(gst_element_get_bus(m_playbin.get()));
}

GstPlaybin::~GstPlaybin()
{
    if (!m_playbin)
        return;
    gst_element_set_state(m_playbin.get(), GST_STATE_NULL);
    if (m_bus)
        gst_bus_set_sync_handler(m_bus.get(), nullptr, nullptr, nullptr);
}

void GstPlaybin::fail(const QString &reason) const
{
    throw MediaError(u"Cannot play \"%1\": %2"_s.arg(m_fileName, reason));
}

void GstPlaybin::preroll()
{
    // Until the file is ready the messages stay queued on the bus, where this
    // thread reads the reason of a failure at once.
    const GstStateChangeReturn result = gst_element_set_state(m_playbin.get(), GST_STATE_PAUSED);
    if (result == GST_STATE_CHANGE_FAILURE) {
        const GstMessagePtr error(gst_bus_pop_filtered(m_bus.get(), GST_MESSAGE_ERROR));
        fail(error ? errorText(error.get()) : u"GStreamer cannot open it"_s);
    }
    if (result == GST_STATE_CHANGE_ASYNC) {
        const GstMessagePtr done(gst_bus_timed_pop_filtered(
            m_bus.get(), OpenTimeout, GstMessageType(GST_MESSAGE_ERROR | GST_MESSAGE_ASYNC_DONE)));
        if (!done)
            fail(u"it was not ready to play within 5 seconds"_s);
        if (GST_MESSAGE_TYPE(done.get()) == GST_MESSAGE_ERROR)
            fail(errorText(done.get()));
    }

    gint audioStreams = 0;
    g_object_get(m_playbin.get(), "n-audio", &audioStreams, nullptr);
    if (audioStreams <= 0)
        fail(u"it holds no sound that can be played"_s);

    routeBusMessages();
}

void GstPlaybin::routeBusMessages()
{
    gst_bus_set_sync_handler(m_bus.get(), forwardBusMessage, m_route.get(), nullptr);
    // Whatever was queued before the handler took over is older than all it
    // will forward; an error among it means the file is not usable after all.
    while (GstMessagePtr message{gst_bus_pop(m_bus.get())}) {
        if (GST_MESSAGE_TYPE(message.get()) == GST_MESSAGE_ERROR)
            fail(errorText(message.get()));
    }
}

bool GstPlaybin::synthesizesMidi() const
{
    return m_fileName.endsWith(u".mid"_s, Qt::CaseInsensitive);
}

void GstPlaybin::detach()
{
    gst_bus_set_sync_handler(m_bus.get(), nullptr, nullptr, nullptr);
}

void GstPlaybin::setPlayId(quint64 playId)
{
    m_route->playId.store(playId);
}

void GstPlaybin::play()
{
    if (gst_element_set_state(m_playbin.get(), GST_STATE_PLAYING) == GST_STATE_CHANGE_FAILURE)
        fail(u"GStreamer refused to start playing it"_s);
}

void GstPlaybin::pause()
{
    gst_element_set_state(m_playbin.get(), GST_STATE_PAUSED);
}

std::optional<qint64> GstPlaybin::positionMs() const
{
    gint64 position = 0;
    if (!gst_element_query_position(m_playbin.get(), GST_FORMAT_TIME, &position) || position < 0)
        return std::nullopt;
    return (position + GST_MSECOND / 2) / GST_MSECOND;
}

std::optional<qint64> GstPlaybin::durationMs() const
{
    gint64 duration = 0;
    if (!gst_element_query_duration(m_playbin.get(), GST_FORMAT_TIME, &duration) || duration < 0)
        return std::nullopt;
    return (duration + GST_MSECOND / 2) / GST_MSECOND;
}

void GstPlaybin::waitUntilSettled() const
{
    gst_element_get_state(m_playbin.get(), nullptr, nullptr, OpenTimeout);
}

void GstPlaybin::seekMs(qint64 positionMs)
{
    // A seek is only reliable once the pipeline has reached PAUSED, and the
    // position reads true only after the seek has prerolled again.
    waitUntilSettled();
    const auto flags = GstSeekFlags(GST_SEEK_FLAG_FLUSH | GST_SEEK_FLAG_ACCURATE);
    if (!gst_element_seek_simple(m_playbin.get(), GST_FORMAT_TIME, flags, positionMs * GST_MSECOND))
        fail(u"GStreamer cannot move to %1 ms in it"_s.arg(positionMs));
    waitUntilSettled();
}

} // namespace brookhum
