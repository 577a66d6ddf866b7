#pragma once

#include "base/file_stamp.h"
#include "gst/loudness_meter.h"

#include <QHash>
#include <QString>

#include <optional>

namespace brookhum {

// The loudness of every file measured so far, kept in a file of its own
// between runs, so that each file is measured once. An entry holds for the
// version of the file it was measured on (its size and time of writing) and,
// for a MIDI file, for the soundfont it was synthesized with.
class LoudnessCache {
public:
    // Reads what the file at filePath holds; a missing or damaged file
    // gives an empty cache, rebuilt as files are measured again.
    explicit LoudnessCache(QString filePath);

    // $XDG_CACHE_HOME/brookhum/loudness.
    static QString defaultLocation();

    std::optional<Loudness> find(const QString &file, const QString &soundFont) const;
    // Notes a measurement and writes the cache file anew, in one piece.
    void remember(const QString &file, const FileStamp &stamp, const QString &soundFont, const Loudness &loudness);

private:
    struct Entry {
        FileStamp stamp;
        QString soundFont; // empty for anything but MIDI
        Loudness loudness;
    };
    void save() const;

    QString m_filePath;
    QHash<QString, Entry> m_entries;
};

} // namespace brookhum
