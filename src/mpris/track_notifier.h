#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>

#include <deque>
#include <optional>

namespace brookhum {

class MediaPlayer;
class PlayEngine;

// While the option asks for it, tells the desktop of each file the player
// moves on to by itself (the sequencing or a repetition) with a short,
// transient notification that replaces the one before; a file the user's
// own command started is not told. Sent over the freedesktop notification
// service without ever waiting for it; with no such service, or no bus,
// nothing is shown and nothing is said.
class TrackNotifier : public QObject {
    Q_OBJECT
public:
    TrackNotifier(PlayEngine &engine, MediaPlayer &player, QDBusConnection bus, QObject *parent = nullptr);

private:
    void trackStarted(bool byPlayer);
    void send(const QString &summary);
    void answered(std::optional<uint> id);

    PlayEngine &m_engine;
    MediaPlayer &m_player;
    QDBusConnection m_bus;
    // The notification on screen, which the next one replaces; 0 for none.
    uint m_shown = 0;
    bool m_waiting = false;
    // What comes while a notification is still on its way is sent, in turn,
    // once the service has answered with the id to replace. A service that
    // hangs lets only the newest few wait.
    std::deque<QString> m_queued;
};

} // namespace brookhum
