#pragma once

#include <QObject>
#include <QVariantMap>

#include <optional>


namespace brookhum {

class MediaPlayer;
class PlayEngine;

// What the desktop's media controls (media keys, the panel's media card,
// playerctl) see of the player, and what they may do: exactly what the tray
// menu's entries do, and only while the entry is enabled.
class MediaControls : public QObject {
    Q_OBJECT
public:
    MediaControls(PlayEngine &engine, MediaPlayer &player, QObject *parent = nullptr);

    QString playbackStatus() const; // "Playing", "Paused" or "Stopped"
    QString loopStatus() const;     // "Track", "Playlist" or "None"
    bool shuffle() const;
    // mpris:trackid, xesam:title, xesam:url and, when known, mpris:length.
    QVariantMap metadata() const;
    qint64 positionMicroseconds() const;
    bool canPlay() const;
    bool canPause() const;
    bool canGoNext() const;
    // The player's own volume, 0.0 to 1.0.
    double volume() const;

    void play();
    void pause();
    void playPause();
    void stop();
    void next();
    void setLoopStatus(const QString &status);
    void setShuffle(bool on);
    // Values outside 0.0..1.0 are taken as the nearer end.
    void setVolume(double volume);
    void setVolumePercent(int percent);
    void showSelectBar();
    void showSetUp();
    void quit();

Q_SIGNALS:
    // Something above may have changed.
    void changed();

private:
    bool paused() const;
    void wantPaused(bool paused);
    void applySoon();
    void applyWanted();

    PlayEngine &m_engine;
    MediaPlayer &m_player;
    // What a burst of commands asked for, until it is applied.
    std::optional<bool> m_wantedPaused;
    bool m_nextWanted = false;
    bool m_applyQueued = false;
};

} // namespace brookhum
