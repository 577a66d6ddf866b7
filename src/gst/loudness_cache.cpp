#include "gst/loudness_cache.h"

#include "base/native_path.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace brookhum {

namespace {

constexpr QByteArrayView Header = "brookhum loudness 1";

// Paths are kept as the file system's bytes, which need not be UTF-8.
QByteArray encoded(const QString &path)
{
    return nativePath(path).toBase64();
}

QString decoded(const QByteArray &field)
{
    return pathFromNative(QByteArray::fromBase64(field));
}

} // namespace

LoudnessCache::LoudnessCache(QString filePath) : m_filePath(std::move(filePath))
{
    QFile file(m_filePath);
    if (!file.open(QIODevice::ReadOnly) || file.readLine().trimmed() != Header)
        return;
    while (!file.atEnd()) {
        // path, size, time, soundfont, loudness, peak
        const QList<QByteArray> fields = file.readLine().trimmed().split('\t');
        bool ok[4] = {};
        if (fields.size() != 6)
            continue;
        const Entry entry{{fields[1].toLongLong(&ok[0]), fields[2].toLongLong(&ok[1])},
                          decoded(fields[3]),
                          {fields[4].toDouble(&ok[2]), fields[5].toDouble(&ok[3])}};
        const QString path = decoded(fields[0]);
        // Files gone since are forgotten.
        if (ok[0] && ok[1] && ok[2] && ok[3] && fileStamp(path))
            m_entries.insert(path, entry);
    }
}

QString LoudnessCache::defaultLocation()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) + u"/brookhum/loudness"_s;
}

std::optional<Loudness> LoudnessCache::find(const QString &file, const QString &soundFont) const
{
    const auto it = m_entries.constFind(file);
    if (it == m_entries.cend() || fileStamp(file) != it->stamp ||
        (!it->soundFont.isEmpty() && it->soundFont != soundFont))
        return std::nullopt;
    return it->loudness;
}

void LoudnessCache::remember(const QString &file, const FileStamp &stamp, const QString &soundFont,
                             const Loudness &loudness)
{
    m_entries.insert(file, {stamp, soundFont, loudness});
    save();
}

void LoudnessCache::save() const
{
    QDir().mkpath(QFileInfo(m_filePath).path());
    QSaveFile file(m_filePath);
    if (!file.open(QIODevice::WriteOnly))
        return;
    QByteArray text = Header.toByteArray() + '\n';
    for (auto it = m_entries.cbegin(); it != m_entries.cend(); ++it) {
        text += encoded(it.key()) + '\t' + QByteArray::number(it->stamp.size) + '\t' +
                QByteArray::number(it->stamp.modifiedNs) + '\t' + encoded(it->soundFont) + '\t' +
                QByteArray::number(it->loudness.integratedLufs, 'f', 2) + '\t' +
                QByteArray::number(it->loudness.peakDb, 'f', 2) + '\n';
    }
    file.write(text);
    // A cache that cannot be written only costs measuring again.
    file.commit();
}

} // namespace brookhum
