#include "app/levelling_switch.h"

#include "engine/play_engine.h"
#include "gst/gst_media_player.h"
#include "gst/loudness_leveller.h"

namespace brookhum {

LevellingSwitch::LevellingSwitch(GstMediaPlayer &player, QString soundFont, bool on)
    : m_player(player), m_soundFont(std::move(soundFont))
{
    setOn(on);
}

LevellingSwitch::~LevellingSwitch()
{
    setOn(false);
}

void LevellingSwitch::follow(PlayEngine &engine)
{
    connect(&engine, &PlayEngine::optionsLoaded, this, [this, &engine] { setOn(engine.options().level); });
    const auto measureNext = [this, &engine] {
        if (m_leveller)
            m_leveller->measureSoon(engine.upcomingFile());
    };
    connect(&engine, &PlayEngine::trackStarted, this, measureNext);
    // With play at start-up the first file plays already.
    measureNext();
}

void LevellingSwitch::setOn(bool on)
{
    if (on == bool(m_leveller))
        return;
    m_player.setLeveller(nullptr);
    m_leveller.reset();
    if (on) {
        m_leveller = std::make_unique<LoudnessLeveller>(m_soundFont, LoudnessCache::defaultLocation());
        m_player.setLeveller(m_leveller.get());
    }
}

} // namespace brookhum
