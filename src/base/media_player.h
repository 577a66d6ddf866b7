#pragma once

#include <QObject>
#include <QString>

namespace brookhum {

// What the play engine and the set-up dialog's preview need of a media player.
//
// Order of use: setFileName, Open, Play; then the end of the file or Stop;
// Close before the next Open.
//
// Completion: for each Play exactly one Notify, when that playback reaches the
// end, is cut short by Stop or Close, or fails while playing. It is delivered on
// the user-interface thread after the handler that caused it has returned.
// Open, and Stop or Close while not playing, raise none.
class MediaPlayer : public QObject {
    Q_OBJECT
public:
    enum class TimeFormat { Milliseconds };

    using QObject::QObject;
    ~MediaPlayer() override = default;

    virtual void setFileName(const QString &path) = 0;
    virtual QString FileName() const = 0;

    // Opens the file that FileName names, at its start. Throws MediaError when
    // the file is missing or cannot be played.
    virtual void Open() = 0;
    // Starts playback from the current position and returns at once.
    virtual void Play() = 0;
    // Halts playback; the file stays open and keeps its position.
    virtual void Stop() = 0;
    // Releases the file.
    virtual void Close() = 0;

    virtual void setTimeFormat(TimeFormat format) = 0;
    // Position in the current time format. Setting it while open seeks.
    virtual qint64 Position() const = 0;
    virtual void setPosition(qint64 position) = 0;
    // How long the open file plays, in the current time format; -1 when it
    // is not known.
    virtual qint64 Length() const = 0;

    // The player's own volume, 0 to 100 (the file as it is); applies at once
    // and to every file after.
    virtual void setVolume(int percent) = 0;

Q_SIGNALS:
    void Notify();
};

} // namespace brookhum
