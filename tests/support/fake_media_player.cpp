#include "support/fake_media_player.h"

#include "base/media_error.h"

using namespace Qt::StringLiterals;

namespace brookhum::test {

void FakeMediaPlayer::setFileName(const QString &path)
{
    m_fileName = path;
}

void FakeMediaPlayer::Open()
{
    calls.append(u"Open "_s + m_fileName);
    if (failingFiles.contains(m_fileName) || m_fileName.isEmpty())
        throw MediaError(u"Cannot play \"%1\""_s.arg(m_fileName));
    m_open = true;
    m_position = 0;
}

void FakeMediaPlayer::Play()
{
    calls.append(u"Play"_s);
    if (!m_open)
        throw MediaError(u"Nothing is open"_s);
    m_playing = true;
    playedFiles.append(m_fileName);
}

void FakeMediaPlayer::endPlay()
{
    if (!m_playing)
        return;
    m_playing = false;
    ++m_pending;
}

void FakeMediaPlayer::Stop()
{
    calls.append(u"Stop"_s);
    endPlay();
}

void FakeMediaPlayer::Close()
{
    calls.append(u"Close"_s);
    endPlay();
    m_open = false;
}

void FakeMediaPlayer::setPosition(qint64 position)
{
    calls.append(u"Position "_s + QString::number(position));
    m_position = position;
}

void FakeMediaPlayer::finishPlayback()
{
    endPlay();
}

int FakeMediaPlayer::deliverNotifications(int limit)
{
    int delivered = 0;
    while (m_pending > 0 && delivered < limit) {
        --m_pending;
        ++delivered;
        Q_EMIT Notify();
    }
    return delivered;
}

int FakeMediaPlayer::endTrack()
{
    finishPlayback();
    return deliverNotifications();
}

} // namespace brookhum::test
