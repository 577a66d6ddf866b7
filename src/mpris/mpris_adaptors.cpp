#include "mpris/mpris_adaptors.h"

#include "mpris/media_controls.h"

using namespace Qt::StringLiterals;

namespace brookhum {

MprisRootAdaptor::MprisRootAdaptor(QObject *object, MediaControls &controls)
    : QDBusAbstractAdaptor(object), m_controls(controls)
{
}

QString MprisRootAdaptor::identity() const
{
    return u"Brookhum"_s;
}

QString MprisRootAdaptor::desktopEntry() const
{
    return u"com.tarnwick.Brookhum"_s;
}

QStringList MprisRootAdaptor::supportedMimeTypes() const
{
    return {u"audio/midi"_s, u"audio/x-wav"_s, u"audio/mpeg"_s};
}

void MprisRootAdaptor::Raise()
{
    m_controls.showSelectBar();
}

void MprisRootAdaptor::Quit()
{
    m_controls.quit();
}

MprisPlayerAdaptor::MprisPlayerAdaptor(QObject *object, MediaControls &controls)
    : QDBusAbstractAdaptor(object), m_controls(controls)
{
}

QString MprisPlayerAdaptor::playbackStatus() const
{
    return m_controls.playbackStatus();
}

QString MprisPlayerAdaptor::loopStatus() const
{
    return m_controls.loopStatus();
}

void MprisPlayerAdaptor::setLoopStatus(const QString &status)
{
    m_controls.setLoopStatus(status);
}

bool MprisPlayerAdaptor::shuffle() const
{
    return m_controls.shuffle();
}

void MprisPlayerAdaptor::setShuffle(bool on)
{
    m_controls.setShuffle(on);
}

QVariantMap MprisPlayerAdaptor::metadata() const
{
    return m_controls.metadata();
}

double MprisPlayerAdaptor::volume() const
{
    return m_controls.volume();
}

void MprisPlayerAdaptor::setVolume(double volume)
{
    m_controls.setVolume(volume);
}

qlonglong MprisPlayerAdaptor::position() const
{
    return m_controls.positionMicroseconds();
}

bool MprisPlayerAdaptor::canGoNext() const
{
    return m_controls.canGoNext();
}

bool MprisPlayerAdaptor::canPlay() const
{
    return m_controls.canPlay();
}

bool MprisPlayerAdaptor::canPause() const
{
    return m_controls.canPause();
}

void MprisPlayerAdaptor::Next()
{
    m_controls.next();
}

void MprisPlayerAdaptor::Pause()
{
    m_controls.pause();
}

void MprisPlayerAdaptor::PlayPause()
{
    m_controls.playPause();
}

void MprisPlayerAdaptor::Stop()
{
    m_controls.stop();
}

void MprisPlayerAdaptor::Play()
{
    m_controls.play();
}

CommandsAdaptor::CommandsAdaptor(QObject *object, MediaControls &controls)
    : QDBusAbstractAdaptor(object), m_controls(controls)
{
}

void CommandsAdaptor::ShowSelectBar()
{
    m_controls.showSelectBar();
}

void CommandsAdaptor::ShowSetUp()
{
    m_controls.showSetUp();
}

void CommandsAdaptor::SetVolume(int percent)
{
    m_controls.setVolumePercent(percent);
}

} // namespace brookhum
