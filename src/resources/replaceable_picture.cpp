#include "resources/replaceable_picture.h"

#include "resources/picture_resources.h"

#include <QCoreApplication>
#include <QDir>
#include <QImageReader>

using namespace Qt::StringLiterals;

namespace brookhum {

QStringList replaceablePictureFileNames()
{
    return {u"Repeat.bmp"_s,    u"No_Repeat.bmp"_s,       u"DirRepeat.bmp"_s,
            u"No_DirRepeat.bmp"_s, u"Temporary_stop.bmp"_s, u"No_Temporary_stop.bmp"_s};
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
