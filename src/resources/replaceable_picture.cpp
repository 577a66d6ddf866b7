#include "resources/replaceable_picture.h"

#include "resources/picture_resources.h"
#include "resources/toggle_picture_names.h"

#include <QCoreApplication>
#include <QDir>
#include <QImageReader>

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
    return replaceablePicture(fileName, QCoreApplication::applicationDirPath());
}

QPixmap replaceablePicture(const QString &fileName, const QString &directory)
{
    QImageReader replacement(QDir(directory).filePath(fileName));
    // Trust the content over the name, so a PNG saved as "Repeat.bmp" still works.
    replacement.setDecideFormatFromContent(true);
    QImage image = replacement.read();
    if (image.isNull())
        image = QImageReader(builtInPicturePath(fileName)).read();
    return QPixmap::fromImage(image);
}

} // namespace brookhum
