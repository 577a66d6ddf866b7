#pragma once

#include "engine/media_player.h"

namespace brookhum {

// Placeholder until the GStreamer player lands.
class GstMediaPlayer : public MediaPlayer {
    Q_OBJECT
public:
    explicit GstMediaPlayer(QObject *parent = nullptr);
    ~GstMediaPlayer() override;

    void setFileName(const QString &path) override { m_fileName = path; }
    QString FileName() const override { return m_fileName; }
    void Open() override;
    void Play() override {}
    void Stop() override {}
    void Close() override {}
    void setTimeFormat(TimeFormat) override {}
    qint64 Position() const override { return 0; }
    void setPosition(qint64) override {}

private:
    QString m_fileName;
};

} // namespace brookhum
