#pragma once

#include <QObject>

namespace brookhum {

class ErrorDisplay;
class MediaPlayer;
class SettingsPort;

// The player's own volume, 0 to 100, kept in the store. It is the file as
// it is at 100; the sound server's volume of the stream stays the user's.
class PlayerVolume : public QObject {
    Q_OBJECT
public:
    static constexpr int Full = 100;

    PlayerVolume(MediaPlayer &player, SettingsPort &settings, ErrorDisplay &errors, QObject *parent = nullptr);

    // Reads the stored volume and gives it to the player. Anything but a
    // whole number from 0 to 100 reads as full and is left as it is.
    void load();
    int percent() const { return m_percent; }
    // Clamps to 0..100, applies at once and stores a change. A store that
    // cannot be written is reported; the volume is applied all the same.
    void set(int percent);
    // Gives the volume to another player now and at every change, for as
    // long as that player lives.
    void follow(MediaPlayer &other);

Q_SIGNALS:
    void changed(int percent);

private:
    MediaPlayer &m_player;
    SettingsPort &m_settings;
    ErrorDisplay &m_errors;
    int m_percent = Full;
};

} // namespace brookhum
