#pragma once

#include "gst/gst_media_player.h"
#include "support/test_output.h"

namespace brookhum::test {

// The real player, counting its plays and the notifications it delivers.
class CountingGstPlayer : public GstMediaPlayer {
public:
    CountingGstPlayer() : GstMediaPlayer(testOutput())
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
