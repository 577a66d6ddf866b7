#include "resources/replaceable_picture.h"

#include "resources/picture_resources.h"
#include "resources/toggle_picture_names.h"

#include <QCoreApplication>
#include <QDir>
#include <QImageReader>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace brookhum {

QStringList replaceablePictureFileNames()
{
    QStringList names;
    for (const TogglePictureNames &toggle : TogglePictures)
        names << QString::fromUtf16(toggle.checked) << QString::fromUtf16(toggle.unchecked);
    return names;
}

QPixmap replaceablePicture(const QString &fileName)
{
    // The user's own first, in a directory of theirs that needs no root to
    // write; then beside the program, where they have always been looked
    // for; then where an installed program keeps them (<prefix>/share/brookhum).
    const QString programDirectory = QCoreApplication::applicationDirPath();
    return replaceablePicture(fileName, {QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + u"/brookhum"_s,
                                         programDirectory, programDirectory + u"/../share/brookhum"_s});
}

QPixmap replaceablePicture(const QString &fileName, const QStringList &directories)
{
    for (const QString &directory : directories) {
        QImageReader replacement(QDir(directory).filePath(fileName));
        // Trust the content over the name, so a PNG saved as "Repeat.bmp" still works.
        replacement.setDecideFormatFromContent(true);
        const QImage image = replacement.read();
        if (!image.isNull())
            return QPixmap::fromImage(image);
    }
    return QPixmap::fromImage(QImageReader(builtInPicturePath(fileName)).read());
}

} // namespace brookhum
