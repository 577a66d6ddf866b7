#include "gst/gst_playbin.h"

#include "gst/gst_bus_event.h"
#include "gst/gst_element_setup.h"
#include "gst/gst_pipeline_worker.h"
#include "gst/gst_synth_loader.h"
#include "base/media_error.h"
#include "gst/midi_file_check.h"
#include "gst/soundfont_check.h"
#include "base/native_path.h"
#include "base/path_text.h"

#include <QCoreApplication>

#include <atomic>
#include <chrono>
#include <mutex>


using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace brookhum {

// Shared with the bus's sync handler, which may still be running on a
// streaming thread while the pipeline is being let go.
struct GstPlaybin::BusRoute {
    std::mutex mutex;
    QObject *receiver; // null once detached
    quint64 generation;
    std::atomic<quint64> playId{0};
};

namespace {

// playbin's "flags": decode and play the audio stream only, in the format
// the decoder gives, which every sound server takes: no converter, no
// resampler, and no software volume (nothing here sets a volume).
constexpr guint PlayFlags = 1u << 1 | 1u << 5;

constexpr std::chrono::milliseconds OpenTimeout = 5s;
// Starting, pausing and seeking answer at once on a healthy pipeline.
constexpr std::chrono::milliseconds AnswerTimeout = 2s;

// A MIDI file is small; one larger than this is not one to play.
constexpr qint64 LargestMidiFile = 64 * 1024 * 1024;

GstClockTime clockTime(std::chrono::milliseconds duration)
{
    return static_cast<GstClockTime>(duration.count()) * GST_MSECOND;
}

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
    BusRoute &route = **static_cast<std::shared_ptr<BusRoute> *>(data);
    if (GST_MESSAGE_TYPE(message) & (GST_MESSAGE_EOS | GST_MESSAGE_ERROR)) {
        const std::lock_guard lock(route.mutex);
        if (route.receiver)
            QCoreApplication::postEvent(route.receiver, new GstBusEvent(message, route.generation, route.playId.load()));
    }
    return GST_BUS_DROP;
}

// The sink a gst-launch style description such as "fakesink sync=true"
// names, or the desktop's default output.
GstElementPtr GstPlaybin::makeAudioSink(const QByteArray &description) const
{
    if (description.trimmed().isEmpty()) {
        GstElementPtr sink = adoptElement(gst_element_factory_make("autoaudiosink", nullptr));
        if (!sink)
            fail(u"GStreamer's automatic audio output (autoaudiosink) is not installed"_s);
        return sink;
    }
    GError *rawError = nullptr;
    GstElementPtr sink = adoptElement(gst_parse_bin_from_description(description.constData(), TRUE, &rawError));
    const GErrorPtr error(rawError);
    if (error || !sink) {
        fail(u"the audio output \"%1\" is not usable: %2"_s.arg(
            QString::fromLocal8Bit(description),
            error ? QString::fromUtf8(error->message) : u"unknown error"_s));
    }
    return sink;
}

namespace {

// The sound server names a stream after the title tag it last saw, and most
// files have none: a tag injected before the sink gives it the file's name.
// The player's own volume comes after it; the sound server's volume of the
// stream stays the user's to set. At full volume the volume element passes
// the sound through untouched, and the converter does so for every format
// the volume element takes (all but 8-bit samples).
//
// (Merging the decoders' small buffers into larger ones here, with
// audiobuffersplit, halves the wakeups while playing, but the latency it
// reports delays every file's first sound by some 85 ms.)
GstElementPtr makeAudioFilter(GstElement *playbin, const QString &mediaName)
{
    GError *rawError = nullptr;
    GstElementPtr filter = adoptElement(gst_parse_bin_from_description(
        "taginject name=title ! audioconvert ! volume name=volume", TRUE, &rawError));
    const GErrorPtr error(rawError);
    if (!filter)
        return nullptr;
    GstTagList *tags = gst_tag_list_new(GST_TAG_TITLE, mediaName.toUtf8().constData(), nullptr);
    const GCharPtr text(gst_tag_list_to_string(tags));
    gst_tag_list_unref(tags);
    // "taglist, title=(string)..." without the leading type name
    QByteArray description(text.get());
    description = description.mid(description.indexOf(',') + 1).trimmed();
    const GstElementPtr injector(gst_bin_get_by_name(GST_BIN(filter.get()), "title"));
    g_object_set(injector.get(), "tags", description.constData(), nullptr);
    g_object_set(playbin, "audio-filter", filter.get(), nullptr);
    return GstElementPtr(gst_bin_get_by_name(GST_BIN(filter.get()), "volume"));
}

} // namespace

GstPlaybin::GstPlaybin(const QString &fileName, const GstPlayerConfig &config, QObject *receiver, quint64 generation)
    : m_fileName(fileName)
    , m_route(std::make_shared<BusRoute>())
    , m_soundFont(chooseSoundFont(config.soundFont))
{
    m_route->receiver = receiver;
    m_route->generation = generation;
    if (fileName.isEmpty())
        fail(u"no file name given"_s);

    GError *rawError = nullptr;
    const GCharPtr uri(gst_filename_to_uri(nativePath(fileName).constData(), &rawError));
    const GErrorPtr uriError(rawError);
    if (!uri)
        fail(uriError ? QString::fromUtf8(uriError->message) : u"not a valid file name"_s);

    m_playbin = adoptElement(gst_element_factory_make("playbin", nullptr));
    if (!m_playbin)
        fail(u"GStreamer's playbin is not installed"_s);
    GstElementPtr sink = makeAudioSink(config.audioSink);

    g_object_set(m_playbin.get(), "uri", uri.get(), "flags", PlayFlags, "audio-sink", sink.get(), nullptr);
    // With video off playbin still probes video sinks when a file holds
    // pictures, and some of them open windows or crash without a display.
    for (const char *property : {"video-sink", "text-sink"}) {
        const GstElementPtr nothing = adoptElement(gst_element_factory_make("fakesink", nullptr));
        if (nothing)
            g_object_set(m_playbin.get(), property, nothing.get(), nullptr);
    }
    const QString mediaName = displayText(fileNamePart(fileName));
    configureElements(m_playbin.get(), m_soundFont, mediaName);
    m_volume = makeAudioFilter(m_playbin.get(), mediaName);
    if (!m_volume)
        fail(u"GStreamer's audio converter or volume element is not installed"_s);
    m_bus.reset(gst_element_get_bus(m_playbin.get()));
    m_worker = std::make_unique<GstPipelineWorker>(m_playbin.get());
}

GstPlaybin::~GstPlaybin()
{
    if (!m_playbin)
        return;
    detach();
    // Taking a pipeline down waits for its streaming threads (100 ms for a
    // synthesizer letting go of its voices) and for any call still running on
    // it: its worker does it, so the next file is never kept waiting.
    m_worker->release(synthesizesMidi());
}

void GstPlaybin::detach()
{
    if (m_bus)
        gst_bus_set_sync_handler(m_bus.get(), nullptr, nullptr, nullptr);
    const std::lock_guard lock(m_route->mutex);
    m_route->receiver = nullptr;
}

void GstPlaybin::fail(const QString &reason) const
{
    throw MediaError(u"Cannot play \"%1\": %2"_s.arg(displayText(m_fileName), reason));
}

// Looks at the file before GStreamer does. A named pipe (perhaps put in the
// place of a listed file) would block the opening thread for ever, and a
// broken MIDI file sends GStreamer's parser into a spin.
void GstPlaybin::inspectFile()
{
    const FileContents head = readRegularFile(m_fileName, 12);
    if (!head.problem.isEmpty())
        fail(head.problem);
    if (!looksLikeMidi(head.bytes))
        return;
    loadSynthPlugin();
    if (head.size > LargestMidiFile)
        fail(u"it is too large for a MIDI file"_s);
    if (const QString problem = soundFontProblem(m_soundFont); !problem.isEmpty())
        fail(problem);
    const FileContents whole = readRegularFile(m_fileName, LargestMidiFile);
    if (!whole.problem.isEmpty())
        fail(whole.problem);
    const MidiFileCheck check = checkMidiFile(whole.bytes);
    if (!check.ok())
        fail(check.problem);
    m_midiLengthMs = check.lengthMs;
    // GStreamer parses the very bytes that were checked: a file replaced
    // between the check and the open (an editor saving, a sync tool) must not
    // reach the parser unchecked.
    const QByteArray mediaType = whole.bytes.startsWith("RIFF") ? "audio/riff-midi" : "audio/midi";
    g_object_set(m_playbin.get(), "uri", ("data:" + mediaType + ";base64," + whole.bytes.toBase64()).constData(),
                 nullptr);
}

void GstPlaybin::preroll()
{
    beginPreroll();
    waitForPreroll();
    routeBusMessages();
}

void GstPlaybin::beginPreroll()
{
    inspectFile();
    m_prerollDeadline = std::chrono::steady_clock::now() + OpenTimeout;
    const auto change = m_worker->call<GstStateChangeReturn>(OpenTimeout, [](GstElement *pipeline) {
        return gst_element_set_state(pipeline, GST_STATE_PAUSED);
    });
    if (!change) {
        m_givenUp = true;
        fail(u"it was not ready to play within 5 seconds"_s);
    }
    // Until the file is ready the messages stay queued on the bus, where this
    // thread reads the reason of a failure at once.
    if (*change == GST_STATE_CHANGE_FAILURE) {
        const GstMessagePtr error(gst_bus_pop_filtered(m_bus.get(), GST_MESSAGE_ERROR));
        fail(error ? errorText(error.get()) : u"GStreamer cannot open it"_s);
    }
    m_prerollAsync = *change == GST_STATE_CHANGE_ASYNC;
}

void GstPlaybin::awaitPreroll()
{
    waitForPreroll();
    renewOutput();
    routeBusMessages();
}

void GstPlaybin::waitForPreroll()
{
    if (m_prerollAsync) {
        m_prerollAsync = false;
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(m_prerollDeadline -
                                                                                std::chrono::steady_clock::now());
        const GstMessagePtr done(gst_bus_timed_pop_filtered(m_bus.get(), clockTime(std::max(left, 0ms)),
                                                            GstMessageType(GST_MESSAGE_ERROR | GST_MESSAGE_ASYNC_DONE)));
        if (!done)
            fail(u"it was not ready to play within 5 seconds"_s);
        if (GST_MESSAGE_TYPE(done.get()) == GST_MESSAGE_ERROR)
            fail(errorText(done.get()));
    }

    gint audioStreams = 0;
    g_object_get(m_playbin.get(), "n-audio", &audioStreams, nullptr);
    if (audioStreams <= 0)
        fail(u"it holds no sound that can be played"_s);
}

// A file opened ahead has had its sound-server stream since then, corked, and
// the stream's clock has run on all the while although nothing played: started
// as it is, the first sound comes as late as the stream is old (3 seconds and
// more between two files). The output goes back to READY, which lets go of
// the stream, and the file is prerolled again from its start into a new one.
// Everything before the output stays open, so this takes milliseconds.
void GstPlaybin::renewOutput()
{
    const auto renewed = m_worker->call<GstStateChangeReturn>(AnswerTimeout, [](GstElement *pipeline) {
        GstElement *rawSink = nullptr;
        g_object_get(pipeline, "audio-sink", &rawSink, nullptr);
        const GstElementPtr sink(rawSink);
        if (!sink || gst_element_set_state(sink.get(), GST_STATE_READY) == GST_STATE_CHANGE_FAILURE ||
            !gst_element_sync_state_with_parent(sink.get()) ||
            !gst_element_seek_simple(pipeline, GST_FORMAT_TIME, GST_SEEK_FLAG_FLUSH, 0))
            return GST_STATE_CHANGE_FAILURE;
        return gst_element_get_state(pipeline, nullptr, nullptr, clockTime(AnswerTimeout));
    });
    if (!renewed) {
        m_givenUp = true;
        fail(u"GStreamer stopped answering"_s);
    }
    if (*renewed != GST_STATE_CHANGE_SUCCESS) {
        const GstMessagePtr error(gst_bus_pop_filtered(m_bus.get(), GST_MESSAGE_ERROR));
        fail(error ? errorText(error.get()) : u"its sound output could not be opened"_s);
    }
}

void GstPlaybin::routeBusMessages()
{
    // The handler holds its own share of the route: it may be running on a
    // streaming thread when this object lets go of the pipeline.
    gst_bus_set_sync_handler(m_bus.get(), forwardBusMessage, new std::shared_ptr<BusRoute>(m_route),
                             [](gpointer data) { delete static_cast<std::shared_ptr<BusRoute> *>(data); });
    // Whatever was queued before the handler took over is older than all it
    // will forward; an error among it means the file is not usable after all.
    while (GstMessagePtr message{gst_bus_pop(m_bus.get())}) {
        if (GST_MESSAGE_TYPE(message.get()) == GST_MESSAGE_ERROR)
            fail(errorText(message.get()));
    }
}

void GstPlaybin::setGeneration(quint64 generation)
{
    const std::lock_guard lock(m_route->mutex);
    m_route->generation = generation;
}

void GstPlaybin::setPlayId(quint64 playId)
{
    m_route->playId.store(playId);
}

void GstPlaybin::play()
{
    if (m_givenUp)
        fail(u"GStreamer stopped answering"_s);
    // A start the sound server holds up is made as soon as it answers.
    if (m_worker->setState(GST_STATE_PLAYING, AnswerTimeout) == GstPipelineWorker::Change::Refused)
        fail(u"GStreamer refused to start playing it"_s);
}

void GstPlaybin::pause()
{
    if (!m_givenUp)
        m_worker->setState(GST_STATE_PAUSED, AnswerTimeout);
}

GstElementPtr GstPlaybin::element(const char *name) const
{
    return GstElementPtr(gst_bin_get_by_name(GST_BIN(m_playbin.get()), name));
}

void GstPlaybin::setVolume(double volume)
{
    g_object_set(m_volume.get(), "volume", volume, nullptr);
}

std::optional<qint64> GstPlaybin::positionMs() const
{
    gint64 position = 0;
    if (m_givenUp || !gst_element_query_position(m_playbin.get(), GST_FORMAT_TIME, &position) || position < 0)
        return std::nullopt;
    return (position + GST_MSECOND / 2) / GST_MSECOND;
}

std::optional<qint64> GstPlaybin::lengthMs() const
{
    if (m_midiLengthMs)
        return m_midiLengthMs;
    gint64 duration = 0;
    if (m_givenUp || !gst_element_query_duration(m_playbin.get(), GST_FORMAT_TIME, &duration) || duration < 0)
        return std::nullopt;
    return (duration + GST_MSECOND / 2) / GST_MSECOND;
}

void GstPlaybin::seekMs(qint64 positionMs)
{
    if (m_givenUp)
        fail(u"GStreamer stopped answering"_s);
    // A seek is only reliable once the pipeline has reached PAUSED, and the
    // position reads true only after the seek has prerolled again.
    const auto sought = m_worker->call<bool>(OpenTimeout, [positionMs](GstElement *pipeline) {
        const GstClockTime settle = clockTime(AnswerTimeout);
        gst_element_get_state(pipeline, nullptr, nullptr, settle);
        const auto flags = GstSeekFlags(GST_SEEK_FLAG_FLUSH | GST_SEEK_FLAG_ACCURATE);
        const bool done = gst_element_seek_simple(pipeline, GST_FORMAT_TIME, flags, positionMs * GST_MSECOND);
        gst_element_get_state(pipeline, nullptr, nullptr, settle);
        return done;
    });
    if (!sought)
        m_givenUp = true;
    if (!sought || !*sought)
        fail(u"GStreamer cannot move to %1 ms in it"_s.arg(positionMs));
}

} // namespace brookhum
