#pragma once

#include "gst/gst_handles.h"
#include "gst/gst_player_config.h"

#include <QString>

#include <chrono>
#include <memory>
#include <optional>

class QObject;

namespace brookhum {

class GstPipelineWorker;

// One file in a GStreamer playbin that plays sound only (no video or subtitle
// window ever opens). The pipeline is made in the NULL state; preroll() opens
// the file.
//
// Once prerolled, every end-of-stream and error message is posted to the
// receiver as a GstBusEvent stamped with the generation given here and the
// current play id. The pipeline's state is changed only from the thread that
// owns this object, and that thread never waits on the pipeline without a
// bound: the calls that may block run on the pipeline's worker thread, which
// also takes the pipeline down when this object goes.
class GstPlaybin {
public:
    // Plays as the configuration says. Throws MediaError when the pipeline
    // cannot be built for the file.
    GstPlaybin(const QString &fileName, const GstPlayerConfig &config, QObject *receiver, quint64 generation);
    ~GstPlaybin();
    GstPlaybin(const GstPlaybin &) = delete;
    GstPlaybin &operator=(const GstPlaybin &) = delete;

    // Opens the file and waits, at most 5 seconds, until it is ready to play
    // at its start. Only a regular file is opened, and a MIDI file only when
    // its structure is sound. Throws MediaError naming the file and the reason.
    void preroll();
    // The two halves of preroll(), for a file opened ahead of time: the first
    // returns as soon as GStreamer works on the file, the second waits for the
    // rest, until 5 seconds after the first began, and gives the file a sound
    // output opened afresh.
    void beginPreroll();
    void awaitPreroll();

    // Stamp the bus messages posted from now on.
    void setGeneration(quint64 generation);
    void setPlayId(quint64 playId);

    // Starts playing and returns at once. Throws MediaError when refused.
    void play();
    // Pauses. A pipeline that does not answer at once (a sound server that
    // stalls) is paused when it does; a start asked for meanwhile wins.
    void pause();

    // The player's own volume, 1.0 being the file as it is; applies at once.
    void setVolume(double volume);

    std::optional<qint64> positionMs() const;
    // How long the file plays: what the MIDI check found, or what GStreamer
    // reports for other files.
    std::optional<qint64> lengthMs() const;
    // Moves to the given place and waits until the pipeline is ready there.
    // Throws MediaError when the pipeline refuses.
    void seekMs(qint64 positionMs);

    // An element of the pipeline (or of its sink) by name; null when none.
    GstElementPtr element(const char *name) const;

    // Whether this pipeline renders MIDI through the synthesizer.
    bool synthesizesMidi() const { return m_midiLengthMs.has_value(); }

    // The text of an error message; with details, GStreamer's debug text too.
    static QString errorText(GstMessage *message, bool withDetails = false);

private:
    struct BusRoute;

    static GstBusSyncReply forwardBusMessage(GstBus *bus, GstMessage *message, gpointer data);
    GstElementPtr makeAudioSink(const QByteArray &description) const;
    [[noreturn]] void fail(const QString &reason) const;
    void inspectFile();
    void waitForPreroll();
    void renewOutput();
    void routeBusMessages();
    void detach();

    QString m_fileName;
    std::shared_ptr<BusRoute> m_route;
    GstElementPtr m_playbin;
    GstBusPtr m_bus;
    GstElementPtr m_volume;
    std::unique_ptr<GstPipelineWorker> m_worker;
    QString m_soundFont;
    std::optional<qint64> m_midiLengthMs;
    std::chrono::steady_clock::time_point m_prerollDeadline;
    bool m_prerollAsync = false;
    // Opening or moving did not finish in time: the file counts as failed.
    bool m_givenUp = false;
};

} // namespace brookhum
