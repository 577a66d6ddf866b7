#pragma once

#include "engine/gst_handles.h"

#include <QString>

#include <memory>
#include <optional>

class QObject;

namespace brookhum {

// One file in a GStreamer playbin that plays sound only (no video or subtitle
// window ever opens). The pipeline is made in the NULL state; preroll() opens
// the file. Destruction stops the pipeline and releases it.
//
// Once prerolled, every end-of-stream and error message is posted to the
// receiver as a GstBusEvent stamped with the generation given here and the
// current play id. The pipeline's state is only ever changed from the thread
// that owns this object.
class GstPlaybin {
public:
    // Throws MediaError when the pipeline cannot be built for the file.
    GstPlaybin(const QString &fileName, QObject *receiver, quint64 generation);
    ~GstPlaybin();
    GstPlaybin(const GstPlaybin &) = delete;
    GstPlaybin &operator=(const GstPlaybin &) = delete;

    // Opens the file and waits, at most 5 seconds, until it is ready to play
    // at its start. Throws MediaError naming the file and the reason.
    void preroll();

    // Stamps the bus messages posted from now on.
    void setPlayId(quint64 playId);

    // Starts playing and returns at once. Throws MediaError when refused.
    void play();
    void pause();

    std::optional<qint64> positionMs() const;
    std::optional<qint64> durationMs() const;
    // Moves to the given place and waits until the pipeline is ready there.
    // Throws MediaError when the pipeline refuses.
    void seekMs(qint64 positionMs);

    // Whether this pipeline renders MIDI through the synthesizer.
    bool synthesizesMidi() const;

    // From now on no message of this pipeline reaches the receiver, so the
    // pipeline may be taken down on another thread.
    void detach();

    // The text of an error message; with details, GStreamer's debug text too.
    static QString errorText(GstMessage *message, bool withDetails = false);

private:
    struct BusRoute;

    static GstBusSyncReply forwardBusMessage(GstBus *bus, GstMessage *message, gpointer data);
    GstElementPtr makeAudioSink() const;
    [[noreturn]] void fail(const QString &reason) const;
    void waitUntilSettled() const;
    void routeBusMessages();

    QString m_fileName;
    std::unique_ptr<BusRoute> m_route;
    GstElementPtr m_playbin;
    GstBusPtr m_bus;
};

} // namespace brookhum
