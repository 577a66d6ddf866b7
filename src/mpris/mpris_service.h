#pragma once

#include <QObject>
#include <QVariantMap>

namespace brookhum {

class MediaControls;

// The player on the session bus: the MPRIS 2.2 interfaces under the name
// org.mpris.MediaPlayer2.brookhum (media keys, the panel's media card,
// playerctl), and the program's own commands under com.tarnwick.Brookhum,
// which a second start of the program uses to hand its command over.
// Every property change is announced with PropertiesChanged.
class MprisService : public QObject {
    Q_OBJECT
public:
    explicit MprisService(MediaControls &controls, QObject *parent = nullptr);

    // Claims the names. Without a session bus, or with a name taken, says so
    // in one line on standard error and returns false; the player runs on.
    bool start();

    static QString serviceName();

private:
    void announceChanges();

    MediaControls &m_controls;
    QObject m_root;     // /org/mpris/MediaPlayer2
    QObject m_commands; // /com/tarnwick/Brookhum
    QVariantMap m_announced;
    bool m_announcing = false;
};

} // namespace brookhum
