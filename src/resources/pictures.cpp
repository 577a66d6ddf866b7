#include "resources/pictures.h"

#include "resources/picture_resources.h"

#include <QImageReader>

using namespace Qt::StringLiterals;

namespace brookhum {
namespace {

QIcon iconInTwoSizes(const QString &baseName)
{
    QIcon icon;
    icon.addFile(builtInPicturePath(baseName + u"_16.png"_s), QSize(16, 16));
    icon.addFile(builtInPicturePath(baseName + u"_32.png"_s), QSize(32, 32));
    return icon;
}

QPixmap builtInPixmap(const QString &fileName)
{
    return QPixmap(builtInPicturePath(fileName));
}

} // namespace

QIcon applicationIcon()
{
    return iconInTwoSizes(u"application"_s);
}

QIcon themedApplicationIcon()
{
    return QIcon::fromTheme(u"com.tarnwick.Brookhum"_s, applicationIcon());
}

QIcon selectBarIcon()
{
    return iconInTwoSizes(u"select_bar"_s);
}

QIcon indicationBarIcon()
{
    return iconInTwoSizes(u"indication_bar"_s);
}

QPixmap playButtonPicture()
{
    return builtInPixmap(u"play.png"_s);
}

QPixmap nextButtonPicture()
{
    return builtInPixmap(u"next.png"_s);
}

QPixmap stopButtonPicture()
{
    return builtInPixmap(u"stop.png"_s);
}

QPixmap dragDropImage()
{
    return builtInPixmap(u"drag_drop.png"_s);
}

QPixmap setupStopGlyph()
{
    return builtInPixmap(u"preview_stop.png"_s);
}

QPixmap versionPicture()
{
    QImageReader reader(builtInPicturePath(u"version.jpg"_s), "jpeg");
    return QPixmap::fromImage(reader.read());
}

QPixmap indicationPicture()
{
    return builtInPixmap(u"indication.png"_s);
}

} // namespace brookhum
