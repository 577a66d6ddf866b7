#pragma once

#include "gst/gst_media_player.h"

#include <QByteArray>

namespace brookhum::test {

// The output of the players a test makes: the sink that BROOKHUM_AUDIO_SINK
// names for the test (ctest sets a fake one that decodes as fast as it can).
inline GstPlayerConfig testOutput()
{
    return GstPlayerConfig{qgetenv("BROOKHUM_AUDIO_SINK")};
}

} // namespace brookhum::test
