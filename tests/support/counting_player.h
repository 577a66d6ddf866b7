#pragma once

#include "gst/gst_media_player.h"
#include "support/media_fixtures.h"

namespace brookhum::test {

// The real player on the fast output, counting its plays and the
// notifications it delivers.
struct CountingPlayer : GstMediaPlayer {
    CountingPlayer() : GstMediaPlayer(fastOutput())
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
