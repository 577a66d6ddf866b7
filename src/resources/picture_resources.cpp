#include "resources/picture_resources.h"

namespace brookhum {

QString builtInPicturePath(const QString &fileName)
{
    return QStringLiteral(":/brookhum/pictures/") + fileName;
}

} // namespace brookhum
