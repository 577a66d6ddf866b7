#include "engine/gst_media_player.h"

#include "engine/media_error.h"

using namespace Qt::StringLiterals;

namespace brookhum {

GstMediaPlayer::GstMediaPlayer(QObject *parent) : MediaPlayer(parent) {}
GstMediaPlayer::~GstMediaPlayer() = default;

void GstMediaPlayer::Open()
{
    throw MediaError(u"Cannot open \"%1\": no player yet"_s.arg(m_fileName));
}

} // namespace brookhum
