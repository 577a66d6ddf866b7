#pragma once

#include "base/media_player.h"
#include "gst/gst_player_config.h"

#include <QTimer>

#include <chrono>
#include <memory>
#include <optional>

namespace brookhum {

class GstBusEvent;
class GstPlaybin;
class LoudnessLeveller;

// The media player over GStreamer's playbin: WAV, MP3 and, through the
// fluidsynth decoder and a General MIDI soundfont, MIDI files. Sound goes
// where the configuration says.
//
// Each instance has a pipeline of its own, so several can sound at once.
// Completion notifications are posted to the instance as events and emitted
// from its event handler, never from inside Play, Stop or Close, and never
// while a Notify of the same instance is still being handled.
//
// A play that runs well past the file's known length ends as the end of the
// file does, so a pipeline that never finishes cannot hold unattended play.
//
// A file named while another is open is opened at once beside it, so that it
// is ready to sound when Open comes: between two files the player is only
// named the next one, then, after a pause, told to close and open.
class GstMediaPlayer : public MediaPlayer {
    Q_OBJECT
public:
    explicit GstMediaPlayer(GstPlayerConfig config = {}, QObject *parent = nullptr);
    ~GstMediaPlayer() override;

    void setFileName(const QString &path) override;
    QString FileName() const override;
    void Open() override;
    void Play() override;
    void Stop() override;
    void Close() override;
    void setTimeFormat(TimeFormat format) override;
    qint64 Position() const override;
    void setPosition(qint64 position) override;
    qint64 Length() const override;
    void setVolume(int percent) override;

    // Levels loudness between files through the leveller given, from the
    // next file opened on; null plays every file as it is.
    void setLeveller(LoudnessLeveller *leveller);

    // How long past its length a play may run before it counts as ended;
    // by default 10 seconds plus a quarter of the length.
    void setOverrunAllowance(std::chrono::milliseconds allowance) { m_overrunAllowance = allowance; }

protected:
    bool event(QEvent *event) override;

private:
    void prepare();
    std::unique_ptr<GstPlaybin> takePrepared();
    void requireOpen() const;
    void applyVolume();
    double levelGainOf(const QString &file) const;
    void reopenAfterIdleFailure();
    std::unique_ptr<GstPlaybin> openAgainAt(qint64 place);
    void takePipeline(std::unique_ptr<GstPlaybin> playbin, qint64 place);
    bool resumeAgain();
    void handleBusEvent(const GstBusEvent &event);
    void watchForOverrun();
    void endOverrunningPlay();
    void endPlay();
    void postCompletion();
    void deliverCompletion();

    GstPlayerConfig m_config;
    QString m_fileName;
    std::unique_ptr<GstPlaybin> m_playbin;
    // The file named next, opened ahead; let go of if not opened in time.
    std::unique_ptr<GstPlaybin> m_prepared;
    QTimer m_preparedExpiry;
    // Bumped for every pipeline, so that messages of a closed one are dropped.
    quint64 m_generation = 0;
    // Bumped for every Play, so that messages of an earlier play are dropped.
    quint64 m_playId = 0;
    bool m_playing = false;
    // Paused by Stop, and where the play that resumed began, until it ends.
    bool m_paused = false;
    std::optional<qint64> m_resumedFrom;
    // The reason the open pipeline failed, if it did, and whether nothing
    // played on it then.
    QString m_failure;
    bool m_failedWhileIdle = false;
    qint64 m_lastPosition = 0;
    double m_volume = 1.0;
    LoudnessLeveller *m_leveller = nullptr;
    // The open file's own gain, from the leveller.
    double m_levelGain = 1.0;
    bool m_notifying = false;
    int m_heldCompletions = 0;
    QTimer m_overrun;
    std::optional<std::chrono::milliseconds> m_overrunAllowance;
};

} // namespace brookhum
