#pragma once

#include "gst/loudness_cache.h"

#include <QObject>
#include <QSet>

#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>
#include <thread>

namespace brookhum {

// Levels loudness between files: each file is measured once, on a thread of
// low priority while other files play, and then always played with the one
// gain that brings it to the levelled loudness. A gain never changes inside
// a play, so nothing pumps; a file not measured yet plays as it is, once.
class LoudnessLeveller : public QObject {
    Q_OBJECT
public:
    // MIDI files are measured as they sound on the soundfont given (the
    // system's when empty).
    LoudnessLeveller(const QString &soundFont, QString cachePath, QObject *parent = nullptr);
    ~LoudnessLeveller() override;

    // The gain for the file in dB, when it has been measured; otherwise
    // nullopt, and the file is measured soon.
    std::optional<double> gainDbFor(const QString &file);
    // Measures a file that is not measured yet, soon.
    void measureSoon(const QString &file);

Q_SIGNALS:
    // A file has been measured, or found not measurable.
    void measured(const QString &file);

private:
    void measureQueued(std::stop_token stop);
    void remember(const QString &file, const std::optional<FileStamp> &stamp, const QString &soundFont,
                  const std::optional<Loudness> &loudness);

    QString m_soundFont;

    // Guards all below: the player asks, the measuring thread answers.
    std::mutex m_mutex;
    LoudnessCache m_cache;
    // Files that cannot be measured, not asked again this run.
    QSet<QString> m_unmeasurable;
    std::condition_variable_any m_queued;
    std::deque<QString> m_queue;
    QSet<QString> m_waiting; // queued or being measured
    std::jthread m_worker;
};

} // namespace brookhum
