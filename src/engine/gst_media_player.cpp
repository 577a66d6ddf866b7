#include "engine/gst_media_player.h"

#include "engine/gst_bus_event.h"
#include "engine/gst_playbin.h"
#include "engine/media_error.h"

#include <QCoreApplication>
#include <QPointer>
#include <QScopeGuard>
#include <QThreadPool>
#include <QtDebug>

#ifdef __GLIBC__
#include <malloc.h>
#endif

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

// A soundfont is megabytes in many small blocks, loaded on this thread and
// freed on another; the C library keeps such freed memory unless asked to
// give it back, and a player that runs for days would grow by it.
void releaseFreedMemory()
{
#ifdef __GLIBC__
    malloc_trim(0);
#endif
}

} // namespace

GstMediaPlayer::GstMediaPlayer(QObject *parent) : MediaPlayer(parent)
{
    gst_init(nullptr, nullptr);
}

GstMediaPlayer::~GstMediaPlayer() = default;

void GstMediaPlayer::setFileName(const QString &path)
{
    m_fileName = path;
}

QString GstMediaPlayer::FileName() const
{
    return m_fileName;
}

void GstMediaPlayer::Open()
{
    Close();
    auto playbin = std::make_unique<GstPlaybin>(m_fileName, this, ++m_generation);
    playbin->preroll();
    m_playbin = std::move(playbin);
    m_failure.clear();
    m_lastPosition = 0;
}

void GstMediaPlayer::Play()
{
    requireOpen();
    if (!m_failure.isEmpty())
        throw MediaError(u"Cannot play \"%1\": %2"_s.arg(m_fileName, m_failure));
    // Playing again while playing starts a new play; the one before counts as
    // cut short, so each still gets its own notification.
    if (m_playing)
        endPlay();
    m_playbin->setPlayId(++m_playId);
    m_playbin->play();
    m_playing = true;
}

void GstMediaPlayer::Stop()
{
    if (!m_playbin || !m_playing)
        return;
    m_playbin->pause();
    endPlay();
}

void GstMediaPlayer::Close()
{
    if (!m_playbin)
        return;
    if (m_playing)
        endPlay();
    std::unique_ptr<GstPlaybin> closed = std::move(m_playbin);
    // Taking a MIDI pipeline down stalls for 100 ms while the synthesizer
    // waits for its last voices to let go of the soundfont: long enough to be
    // heard between two tracks. Detached from this player, it goes down on a
    // worker thread instead, one at a time, so that pipelines never pile up.
    if (closed->synthesizesMidi() && !m_tearingDown->exchange(true)) {
        closed->detach();
        QThreadPool::globalInstance()->start([pipeline = closed.release(), busy = m_tearingDown] {
            delete pipeline;
            releaseFreedMemory();
            busy->store(false);
        });
    }
    closed.reset();
    ++m_generation;
    QCoreApplication::removePostedEvents(this, GstBusEvent::eventType());
    m_lastPosition = 0;
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
    if (position < 0)
        throw MediaError(u"Cannot play \"%1\" from %2 ms"_s.arg(m_fileName).arg(position));
    if (qAbs(Position() - position) <= SeekTolerance)
        return;
    if (const auto duration = m_playbin->durationMs(); duration && position > *duration) {
        if (position - *duration > EndSlack) {
            throw MediaError(u"Cannot play \"%1\" from %2 ms: it is only %3 ms long"_s.arg(m_fileName)
                                 .arg(position)
                                 .arg(*duration));
        }
        position = *duration;
    }
    m_playbin->seekMs(position);
    m_lastPosition = position;
}

void GstMediaPlayer::requireOpen() const
{
    if (!m_playbin)
        throw MediaError(u"Cannot play \"%1\": it is not open"_s.arg(m_fileName));
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
        // A broken pipeline ends whatever plays on it, like the end of the
        // file, so that unattended playback goes on with the next one.
        if (m_failure.isEmpty()) {
            m_failure = GstPlaybin::errorText(event.message());
            qWarning().noquote() << u"Playback of \"%1\" failed: %2"_s.arg(
                m_fileName, GstPlaybin::errorText(event.message(), true));
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
    m_playing = false;
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
