#include "gst/gst_media_player.h"

#include "gst/gst_bus_event.h"
#include "gst/gst_playbin.h"
#include "gst/loudness_leveller.h"
#include "base/media_error.h"
#include "base/native_path.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>
#include <QPointer>
#include <QScopeGuard>
#include <QtDebug>

using namespace Qt::StringLiterals;

namespace brookhum {

namespace {

QEvent::Type completionEventType()
{
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

// A seek to within this distance of the current place is skipped, so that
// resuming exactly where playback paused never depends on how precisely a
// format can seek.
constexpr qint64 SeekTolerance = 5;

// The length of an MP3 is estimated from its bit rate, so a place a little
// past the reported end still counts as the end.
constexpr qint64 EndSlack = 250;

using namespace std::chrono_literals;

// Between two files the player waits 3 seconds; a file opened ahead and not
// asked for well after that is let go of, so that a synthesizer with its
// soundfont does not stay in memory for nothing.
constexpr auto PreparedLifetime = 10s;

// A resumed play that fails before it has played this long failed at its
// start, not later.
constexpr qint64 ResumeProgress = 1000;

QString shown(const QString &fileName)
{
    return displayText(fileName);
}

} // namespace

GstMediaPlayer::GstMediaPlayer(GstPlayerConfig config, QObject *parent)
    : MediaPlayer(parent), m_config(std::move(config))
{
    gst_init(nullptr, nullptr);
    m_overrun.setSingleShot(true);
    connect(&m_overrun, &QTimer::timeout, this, [this] { endOverrunningPlay(); });
    m_preparedExpiry.setSingleShot(true);
    connect(&m_preparedExpiry, &QTimer::timeout, this, [this] { m_prepared.reset(); });
}

GstMediaPlayer::~GstMediaPlayer() = default;

void GstMediaPlayer::setFileName(const QString &path)
{
    m_fileName = path;
    if (m_leveller)
        m_leveller->measureSoon(path);
    m_prepared.reset();
    if (m_playbin)
        prepare();
}

void GstMediaPlayer::prepare()
{
    try {
        auto playbin = std::make_unique<GstPlaybin>(m_fileName, m_config, this, 0);
        playbin->setVolume(m_volume * levelGainOf(m_fileName));
        playbin->beginPreroll();
        m_prepared = std::move(playbin);
        m_preparedExpiry.start(PreparedLifetime);
    } catch (const MediaError &) {
        // Open tries again and reports why the file cannot be played.
    }
}

std::unique_ptr<GstPlaybin> GstMediaPlayer::takePrepared()
{
    m_preparedExpiry.stop();
    return std::move(m_prepared);
}

QString GstMediaPlayer::FileName() const
{
    return m_fileName;
}

void GstMediaPlayer::Open()
{
    std::unique_ptr<GstPlaybin> playbin = takePrepared();
    Close();
    // Measured meanwhile, a file opened ahead gets its gain now: it prerolls
    // again as it is opened.
    m_levelGain = levelGainOf(m_fileName);
    if (playbin) {
        playbin->setGeneration(++m_generation);
        playbin->setVolume(m_volume * m_levelGain);
        playbin->awaitPreroll();
    } else {
        playbin = std::make_unique<GstPlaybin>(m_fileName, m_config, this, ++m_generation);
        playbin->setVolume(m_volume * m_levelGain);
        playbin->preroll();
    }
    m_playbin = std::move(playbin);
    m_failure.clear();
    m_failedWhileIdle = false;
    m_paused = false;
    m_lastPosition = 0;
}

void GstMediaPlayer::Play()
{
    requireOpen();
    reopenAfterIdleFailure();
    if (!m_failure.isEmpty())
        throw MediaError(u"Cannot play \"%1\": %2"_s.arg(shown(m_fileName), m_failure));
    // Playing again while playing starts a new play; the one before counts as
    // cut short, so each still gets its own notification.
    if (m_playing)
        endPlay();
    const std::optional<qint64> resumedFrom = m_paused ? std::optional(Position()) : std::nullopt;
    m_playbin->setPlayId(++m_playId);
    m_playbin->play();
    m_playing = true;
    m_paused = false;
    m_resumedFrom = resumedFrom;
    watchForOverrun();
}

void GstMediaPlayer::watchForOverrun()
{
    const std::optional<qint64> length = m_playbin->lengthMs();
    if (!length)
        return;
    const auto allowance = m_overrunAllowance.value_or(10s + std::chrono::milliseconds(*length / 4));
    const qint64 left = std::max<qint64>(*length - Position(), 0);
    m_overrun.start(std::chrono::milliseconds(left) + allowance);
}

void GstMediaPlayer::endOverrunningPlay()
{
    if (!m_playing)
        return;
    qWarning().noquote() << u"Playback of \"%1\" ran well past its end; it counts as ended."_s.arg(shown(m_fileName));
    m_playbin->pause();
    endPlay();
}

void GstMediaPlayer::Stop()
{
    if (!m_playbin || !m_playing)
        return;
    m_lastPosition = Position();
    m_playbin->pause();
    m_paused = true;
    endPlay();
}

void GstMediaPlayer::Close()
{
    if (!m_playbin)
        return;
    if (m_playing)
        endPlay();
    // The pipeline goes down on a worker thread (see ~GstPlaybin).
    m_playbin.reset();
    ++m_generation;
    QCoreApplication::removePostedEvents(this, GstBusEvent::eventType());
    m_lastPosition = 0;
    m_paused = false;
}

void GstMediaPlayer::setTimeFormat(TimeFormat)
{
    // Milliseconds are the only format there is.
}

qint64 GstMediaPlayer::Position() const
{
    if (!m_playbin)
        return m_lastPosition;
    return m_playbin->positionMs().value_or(m_lastPosition);
}

void GstMediaPlayer::setPosition(qint64 position)
{
    requireOpen();
    reopenAfterIdleFailure();
    if (position < 0)
        throw MediaError(u"Cannot play \"%1\" from %2 ms"_s.arg(shown(m_fileName)).arg(position));
    if (qAbs(Position() - position) <= SeekTolerance)
        return;
    if (const auto duration = m_playbin->lengthMs(); duration && position > *duration) {
        if (position - *duration > EndSlack) {
            throw MediaError(u"Cannot play \"%1\" from %2 ms: it is only %3 ms long"_s.arg(shown(m_fileName))
                                 .arg(position)
                                 .arg(*duration));
        }
        position = *duration;
    }
    m_playbin->seekMs(position);
    m_lastPosition = position;
}

// A pipeline that failed while nothing played on it (the sound server went
// away during a pause) is opened again where it stood, so that play resumes
// once the server is back. Throws MediaError while it cannot be opened; the
// next call tries again.
void GstMediaPlayer::reopenAfterIdleFailure()
{
    if (m_failedWhileIdle)
        takePipeline(openAgainAt(m_lastPosition), m_lastPosition);
}

std::unique_ptr<GstPlaybin> GstMediaPlayer::openAgainAt(qint64 place)
{
    auto playbin = std::make_unique<GstPlaybin>(m_fileName, m_config, this, m_generation + 1);
    playbin->setVolume(m_volume * m_levelGain);
    playbin->preroll();
    if (place > 0)
        playbin->seekMs(place);
    return playbin;
}

// Replaces the open pipeline without ending what plays: a play goes on, on
// the new one.
void GstMediaPlayer::takePipeline(std::unique_ptr<GstPlaybin> playbin, qint64 place)
{
    m_playbin = std::move(playbin);
    ++m_generation;
    QCoreApplication::removePostedEvents(this, GstBusEvent::eventType());
    m_playbin->setPlayId(m_playId);
    applyVolume();
    m_lastPosition = place;
    m_failure.clear();
    m_failedWhileIdle = false;
}

// Most outputs notice a sound server that went away during a pause only
// when asked to play again, and fail then, before a moment has played: such a
// resume is made once more on the file opened anew.
bool GstMediaPlayer::resumeAgain()
{
    const std::optional<qint64> from = std::exchange(m_resumedFrom, std::nullopt);
    if (!from || Position() > *from + ResumeProgress)
        return false;
    try {
        takePipeline(openAgainAt(*from), *from);
        m_playbin->play();
        return true;
    } catch (const MediaError &) {
        return false;
    }
}

void GstMediaPlayer::setVolume(int percent)
{
    m_volume = std::clamp(percent, 0, 100) / 100.0;
    applyVolume();
}

void GstMediaPlayer::setLeveller(LoudnessLeveller *leveller)
{
    m_leveller = leveller;
}

// One gain for the whole play of a file: 1 while levelling is off or the
// file is not measured yet.
double GstMediaPlayer::levelGainOf(const QString &file) const
{
    const std::optional<double> gainDb = m_leveller ? m_leveller->gainDbFor(file) : std::nullopt;
    return std::pow(10.0, gainDb.value_or(0.0) / 20);
}

// A pipeline gets the volume before its first buffer, since a short file
// goes through the volume element whole while it prerolls; a file opened
// ahead gets it again when it is opened for good.
void GstMediaPlayer::applyVolume()
{
    if (m_playbin)
        m_playbin->setVolume(m_volume * m_levelGain);
}

qint64 GstMediaPlayer::Length() const
{
    return m_playbin ? m_playbin->lengthMs().value_or(-1) : -1;
}

void GstMediaPlayer::requireOpen() const
{
    if (!m_playbin)
        throw MediaError(u"Cannot play \"%1\": it is not open"_s.arg(shown(m_fileName)));
}

bool GstMediaPlayer::event(QEvent *event)
{
    if (event->type() == GstBusEvent::eventType()) {
        handleBusEvent(*static_cast<GstBusEvent *>(event));
        return true;
    }
    if (event->type() == completionEventType()) {
        deliverCompletion();
        return true;
    }
    return MediaPlayer::event(event);
}

void GstMediaPlayer::handleBusEvent(const GstBusEvent &event)
{
    if (!m_playbin || event.generation() != m_generation)
        return;
    switch (GST_MESSAGE_TYPE(event.message())) {
    case GST_MESSAGE_EOS:
        if (m_playing && event.playId() == m_playId) {
            // Paused at the end, the next Play ends again at once instead of
            // waiting for a stream that is over.
            m_playbin->pause();
            endPlay();
        }
        break;
    case GST_MESSAGE_ERROR:
        if (m_playing && resumeAgain())
            break;
        // A broken pipeline ends whatever plays on it, like the end of the
        // file, so that unattended playback goes on with the next one.
        if (m_failure.isEmpty()) {
            m_failure = GstPlaybin::errorText(event.message());
            m_failedWhileIdle = !m_playing;
            qWarning().noquote() << u"Playback of \"%1\" failed: %2"_s.arg(
                shown(m_fileName), GstPlaybin::errorText(event.message(), true));
        }
        if (m_playing)
            endPlay();
        break;
    default:
        break;
    }
}

void GstMediaPlayer::endPlay()
{
    m_overrun.stop();
    m_playing = false;
    m_resumedFrom.reset();
    postCompletion();
}

void GstMediaPlayer::postCompletion()
{
    QCoreApplication::postEvent(this, new QEvent(completionEventType()));
}

void GstMediaPlayer::deliverCompletion()
{
    // A handler of Notify that runs a local event loop must not get the next
    // notification inside the first; it is sent again once the handler is done.
    if (m_notifying) {
        ++m_heldCompletions;
        return;
    }
    m_notifying = true;
    const QPointer<GstMediaPlayer> alive(this);
    const auto done = qScopeGuard([&] {
        if (!alive)
            return;
        m_notifying = false;
        for (; m_heldCompletions > 0; --m_heldCompletions)
            postCompletion();
    });
    Q_EMIT Notify();
}

} // namespace brookhum
