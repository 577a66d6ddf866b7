#include "mpris/media_controls.h"

#include "base/media_player.h"
#include "base/native_path.h"
#include "base/path_text.h"
#include "engine/menu_actions.h"
#include "engine/play_engine.h"

#include <QAction>
#include <QTimer>
#include <QDBusObjectPath>
#include <QUrl>

#include <algorithm>
#include <cmath>
#include <utility>

using namespace Qt::StringLiterals;

namespace brookhum {

MediaControls::MediaControls(PlayEngine &engine, MediaPlayer &player, QObject *parent)
    : QObject(parent), m_engine(engine), m_player(player)
{
    connect(&m_engine, &PlayEngine::trackStarted, this, &MediaControls::changed);
    connect(&m_engine.volume(), &PlayerVolume::changed, this, &MediaControls::changed);
    // Every state the controls show is an entry's enabled state or check mark.
    for (QAction *entry : m_engine.actions().findChildren<QAction *>())
        connect(entry, &QAction::changed, this, &MediaControls::changed);
}

bool MediaControls::paused() const
{
    return m_engine.actions().NOneTimeStop->isChecked();
}

QString MediaControls::playbackStatus() const
{
    if (m_engine.state().PlayerOpen != 1)
        return u"Stopped"_s;
    return paused() ? u"Paused"_s : u"Playing"_s;
}

QString MediaControls::loopStatus() const
{
    const MenuActions &a = m_engine.actions();
    if (a.NRepetition->isChecked())
        return u"Track"_s;
    return a.NDirRepetition->isChecked() ? u"Playlist"_s : u"None"_s;
}

bool MediaControls::shuffle() const
{
    return m_engine.actions().NRandDirAll->isChecked();
}

QVariantMap MediaControls::metadata() const
{
    // With play at start-up the first file starts before the controls exist.
    const quint64 track = m_engine.trackStarts();
    if (track == 0)
        return {{u"mpris:trackid"_s, QVariant::fromValue(QDBusObjectPath(u"/org/mpris/MediaPlayer2/TrackList/NoTrack"_s))}};
    const QString file = m_player.FileName();
    QVariantMap metadata{
        {u"mpris:trackid"_s, QVariant::fromValue(QDBusObjectPath(u"/com/tarnwick/Brookhum/track/%1"_s.arg(track)))},
        {u"xesam:title"_s, displayText(fileNamePart(file))},
        {u"xesam:url"_s, QString::fromLatin1(QUrl::fromLocalFile(file).toEncoded())},
    };
    if (const qint64 length = m_player.Length(); length >= 0)
        metadata.insert(u"mpris:length"_s, length * 1000);
    return metadata;
}

qint64 MediaControls::positionMicroseconds() const
{
    return m_engine.state().PlayerOpen == 1 ? m_player.Position() * 1000 : 0;
}

// True also while playing: a player with a current track can play it, and
// desktop clients (playerctl among them) ignore one that says otherwise.
bool MediaControls::canPlay() const
{
    return m_engine.actions().NPlay->isEnabled() || m_engine.state().PlayerOpen == 1;
}

bool MediaControls::canPause() const
{
    return m_engine.actions().NOneTimeStop->isEnabled();
}

bool MediaControls::canGoNext() const
{
    return m_engine.actions().NNext->isEnabled();
}

// QAction::trigger() does nothing for a disabled entry, as a click would.
void MediaControls::play()
{
    if (m_engine.state().PlayerOpen == 1)
        wantPaused(false);
    else
        m_engine.actions().NPlay->trigger();
}

void MediaControls::pause()
{
    if (m_engine.state().PlayerOpen == 1)
        wantPaused(true);
}

void MediaControls::playPause()
{
    if (m_engine.state().PlayerOpen == 1)
        wantPaused(!m_wantedPaused.value_or(paused()));
    else
        m_engine.actions().NPlay->trigger();
}

void MediaControls::stop()
{
    applyWanted();
    m_engine.actions().NStop->trigger();
}

void MediaControls::next()
{
    if (!std::exchange(m_nextWanted, true))
        applySoon();
}

// The desktop may send commands far faster than a pause, a start or a file
// change is made (a held key, a script, a burst from a remote control): they
// only note what is wanted, and once the burst has been read the player is
// moved there with one command, not a thousand stacked ones.
void MediaControls::wantPaused(bool paused)
{
    m_wantedPaused = paused;
    applySoon();
}

void MediaControls::applySoon()
{
    if (!std::exchange(m_applyQueued, true))
        QTimer::singleShot(0, this, [this] { applyWanted(); });
}

void MediaControls::applyWanted()
{
    m_applyQueued = false;
    const std::optional<bool> wantedPaused = std::exchange(m_wantedPaused, std::nullopt);
    if (wantedPaused && *wantedPaused != paused() && m_engine.state().PlayerOpen == 1)
        m_engine.actions().NOneTimeStop->trigger();
    if (std::exchange(m_nextWanted, false))
        m_engine.actions().NNext->trigger();
}

// Each mode is switched through its own command, so its picture follows.
void MediaControls::setLoopStatus(const QString &status)
{
    const MenuActions &a = m_engine.actions();
    const bool track = status == u"Track"_s;
    const bool playlist = status == u"Playlist"_s;
    if (a.NRepetition->isChecked() != track)
        a.NRepetition->trigger();
    if (!track && a.NDirRepetition->isChecked() != playlist)
        a.NDirRepetition->trigger();
}

void MediaControls::setShuffle(bool on)
{
    if (shuffle() != on)
        m_engine.actions().NRandDirAll->trigger();
}

double MediaControls::volume() const
{
    return m_engine.volume().percent() / double(PlayerVolume::Full);
}

void MediaControls::setVolume(double volume)
{
    if (std::isnan(volume))
        return;
    setVolumePercent(int(std::lround(std::clamp(volume, 0.0, 1.0) * PlayerVolume::Full)));
}

void MediaControls::setVolumePercent(int percent)
{
    m_engine.volume().set(percent);
}

void MediaControls::showSelectBar()
{
    m_engine.actions().Form4Show->trigger();
}

void MediaControls::showSetUp()
{
    m_engine.actions().NSetUp->trigger();
}

void MediaControls::quit()
{
    m_engine.actions().NClose->trigger();
}

} // namespace brookhum
