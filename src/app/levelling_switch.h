#pragma once

#include <QObject>
#include <QString>

#include <memory>

namespace brookhum {

class GstMediaPlayer;
class LoudnessLeveller;
class PlayEngine;

// Loudness levelling as its tick in the set-up dialog asks: while it is on,
// the player gets a leveller, and the file that comes next is measured while
// the one before plays. Off, nothing is measured and nothing kept in memory.
class LevellingSwitch : public QObject {
    Q_OBJECT
public:
    // `on` is the stored tick, read before the first file can start.
    LevellingSwitch(GstMediaPlayer &player, QString soundFont, bool on);
    ~LevellingSwitch() override;

    // Follows the tick at every settings load, and the files as they start.
    void follow(PlayEngine &engine);
    void setOn(bool on);

private:
    GstMediaPlayer &m_player;
    QString m_soundFont;
    std::unique_ptr<LoudnessLeveller> m_leveller;
};

} // namespace brookhum
