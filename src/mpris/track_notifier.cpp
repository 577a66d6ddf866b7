#include "mpris/track_notifier.h"

#include "base/media_player.h"
#include "base/native_path.h"
#include "base/path_text.h"
#include "engine/play_engine.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QVariantMap>

#include <utility>

using namespace Qt::StringLiterals;

namespace brookhum {

namespace {

constexpr int ShownMs = 5000;
// A service that does not answer in this time is taken as gone.
constexpr int AnswerMs = 5000;
constexpr std::size_t MostQueued = 10;

} // namespace

TrackNotifier::TrackNotifier(PlayEngine &engine, MediaPlayer &player, QDBusConnection bus, QObject *parent)
    : QObject(parent), m_engine(engine), m_player(player), m_bus(std::move(bus))
{
    connect(&m_engine, &PlayEngine::trackStarted, this, &TrackNotifier::trackStarted);
}

void TrackNotifier::trackStarted(bool byPlayer)
{
    if (!byPlayer || !m_engine.options().notify || !m_bus.isConnected())
        return;
    // The name as the bars show it.
    const QString summary = displayText(fileNamePart(m_player.FileName()));
    if (!m_waiting) {
        send(summary);
        return;
    }
    m_queued.push_back(summary);
    if (m_queued.size() > MostQueued)
        m_queued.pop_front();
}

void TrackNotifier::send(const QString &summary)
{
    QDBusMessage call = QDBusMessage::createMethodCall(u"org.freedesktop.Notifications"_s, u"/org/freedesktop/Notifications"_s,
                                                       u"org.freedesktop.Notifications"_s, u"Notify"_s);
    const QVariantMap hints{{u"transient"_s, true}, {u"desktop-entry"_s, u"com.tarnwick.Brookhum"_s}};
    call << u"Brookhum"_s << m_shown << u"com.tarnwick.Brookhum"_s << summary << QString() << QStringList() << hints
         << ShownMs;
    m_waiting = true;
    auto *watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call, AnswerMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher *done) {
        done->deleteLater();
        const QDBusPendingReply<uint> reply = *done;
        answered(reply.isError() ? std::nullopt : std::optional(reply.value()));
    });
}

void TrackNotifier::answered(std::optional<uint> id)
{
    m_waiting = false;
    m_shown = id.value_or(0);
    if (!m_queued.empty()) {
        const QString next = m_queued.front();
        m_queued.pop_front();
        send(next);
    }
}

} // namespace brookhum
