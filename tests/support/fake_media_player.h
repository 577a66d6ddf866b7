#pragma once

#include "base/media_player.h"

#include <QSet>
#include <QStringList>

namespace brookhum::test {

// A media player that plays nothing and keeps time only when told. It records
// every call, fails Open for chosen files, and holds back the completion
// notifications until the test delivers them, as the real player does by
// posting them after the running handler has returned.
class FakeMediaPlayer : public MediaPlayer {
    Q_OBJECT
public:
    using MediaPlayer::MediaPlayer;

    void setFileName(const QString &path) override;
    QString FileName() const override { return m_fileName; }
    void Open() override;
    void Play() override;
    void Stop() override;
    void Close() override;
    void setTimeFormat(TimeFormat) override {}
    qint64 Position() const override { return m_position; }
    qint64 Length() const override { return length; }
    void setPosition(qint64 position) override;
    void setVolume(int percent) override { volume = percent; }

    // The file playing reaches its end by itself.
    void finishPlayback();
    // Delivers held-back notifications, including those raised while they
    // are handled, until none is left or `limit` were delivered. Returns how
    // many were delivered.
    int deliverNotifications(int limit = 1'000);
    // finishPlayback() then deliverNotifications().
    int endTrack();

    bool isOpen() const { return m_open; }
    bool isPlaying() const { return m_playing; }
    int pendingNotifications() const { return m_pending; }
    void setPlayingPosition(qint64 position) { m_position = position; }

    QSet<QString> failingFiles;  // Open throws for these
    QStringList calls;           // "Open <file>", "Play", "Stop", "Close", "Position <ms>"
    QStringList playedFiles;     // the file of every Play, in order
    qint64 length = -1;          // what Length() says
    int volume = 100;            // what setVolume() was given last

private:
    void endPlay();

    QString m_fileName;
    bool m_open = false;
    bool m_playing = false;
    qint64 m_position = 0;
    int m_pending = 0;
};

} // namespace brookhum::test
