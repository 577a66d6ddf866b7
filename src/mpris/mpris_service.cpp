#include "mpris/mpris_service.h"

#include "mpris/media_controls.h"
#include "mpris/mpris_adaptors.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QTimer>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace brookhum {

namespace {

const QString PlayerInterface = u"org.mpris.MediaPlayer2.Player"_s;
const QString ObjectPath = u"/org/mpris/MediaPlayer2"_s;

QVariantMap playerProperties(const MediaControls &controls)
{
    return {
        {u"PlaybackStatus"_s, controls.playbackStatus()},
        {u"LoopStatus"_s, controls.loopStatus()},
        {u"Shuffle"_s, controls.shuffle()},
        {u"Metadata"_s, controls.metadata()},
        {u"CanGoNext"_s, controls.canGoNext()},
        {u"CanPlay"_s, controls.canPlay()},
        {u"CanPause"_s, controls.canPause()},
        {u"Volume"_s, controls.volume()},
    };
}

bool claim(QDBusConnection &bus, const QString &name)
{
    if (bus.registerService(name))
        return true;
    std::fprintf(stderr, "Brookhum: the media controls stay off: the name %s is taken on the session bus.\n",
                 name.toUtf8().constData());
    return false;
}

} // namespace

MprisService::MprisService(MediaControls &controls, QObject *parent) : QObject(parent), m_controls(controls)
{
    new MprisRootAdaptor(&m_root, m_controls);
    new MprisPlayerAdaptor(&m_root, m_controls);
    new CommandsAdaptor(&m_commands, m_controls);
    m_announced = playerProperties(m_controls);
    // A burst of changes (a file start switches several menu entries) goes
    // out as one announcement, once the handler that made them is done.
    connect(&m_controls, &MediaControls::changed, this, [this] {
        if (!m_announcing) {
            m_announcing = true;
            QTimer::singleShot(0, this, [this] { announceChanges(); });
        }
    });
}

QString MprisService::serviceName()
{
    return u"org.mpris.MediaPlayer2.brookhum"_s;
}

bool MprisService::start()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        std::fputs("Brookhum: no session bus: the media keys and the desktop's media controls stay off.\n", stderr);
        return false;
    }
    bus.registerObject(ObjectPath, &m_root, QDBusConnection::ExportAdaptors);
    bus.registerObject(u"/com/tarnwick/Brookhum"_s, &m_commands, QDBusConnection::ExportAdaptors);
    const bool commands = claim(bus, u"com.tarnwick.Brookhum"_s);
    return claim(bus, serviceName()) && commands;
}

void MprisService::announceChanges()
{
    m_announcing = false;
    const QVariantMap now = playerProperties(m_controls);
    QVariantMap changed;
    for (auto it = now.cbegin(); it != now.cend(); ++it) {
        if (m_announced.value(it.key()) != it.value())
            changed.insert(it.key(), it.value());
    }
    m_announced = now;
    if (changed.isEmpty())
        return;
    QDBusMessage signal = QDBusMessage::createSignal(ObjectPath, u"org.freedesktop.DBus.Properties"_s,
                                                     u"PropertiesChanged"_s);
    signal << PlayerInterface << changed << QStringList();
    QDBusConnection::sessionBus().send(signal);
}

} // namespace brookhum
