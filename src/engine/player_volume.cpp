#include "engine/player_volume.h"

#include "base/error_display.h"
#include "base/media_player.h"
#include "engine/ports.h"

#include <algorithm>

namespace brookhum {

namespace {

std::optional<int> wholePercent(const QString &text)
{
    const bool digits = !text.isEmpty() && text.size() <= 3
                        && std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
    const int percent = digits ? text.toInt() : -1;
    return percent >= 0 && percent <= PlayerVolume::Full ? std::optional(percent) : std::nullopt;
}

} // namespace

PlayerVolume::PlayerVolume(MediaPlayer &player, SettingsPort &settings, ErrorDisplay &errors, QObject *parent)
    : QObject(parent), m_player(player), m_settings(settings), m_errors(errors)
{
}

void PlayerVolume::load()
{
    m_percent = wholePercent(m_settings.readVolume().text).value_or(Full);
    m_player.setVolume(m_percent);
    Q_EMIT changed(m_percent);
}

void PlayerVolume::set(int percent)
{
    percent = std::clamp(percent, 0, Full);
    if (percent == m_percent)
        return;
    m_percent = percent;
    m_player.setVolume(m_percent);
    Q_EMIT changed(m_percent);
    guarded(m_errors, [this] { m_settings.writeVolume(QString::number(m_percent)); })();
}

void PlayerVolume::follow(MediaPlayer &other)
{
    other.setVolume(m_percent);
    connect(this, &PlayerVolume::changed, &other, [&other](int percent) { other.setVolume(percent); });
}

} // namespace brookhum
