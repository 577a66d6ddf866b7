#pragma once

#include "engine/gst_media_player.h"

namespace brookhum::test {

// The real player, counting its plays and the notifications it delivers.
class CountingGstPlayer : public GstMediaPlayer {
public:
    CountingGstPlayer()
    {
        connect(this, &MediaPlayer::Notify, this, [this] { ++notifications; });
    }

    void Play() override
    {
        ++plays;
        GstMediaPlayer::Play();
    }

    int plays = 0;
    int notifications = 0;
};

} // namespace brookhum::test
