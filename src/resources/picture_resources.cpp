#include "resources/picture_resources.h"

// Q_INIT_RESOURCE declares a function, so it must run outside any namespace.
static void registerBrookhumPictures()
{
    Q_INIT_RESOURCE(brookhum_pictures);
}

namespace brookhum {

QString builtInPicturePath(const QString &fileName)
{
    static const bool registered = (registerBrookhumPictures(), true);
    Q_UNUSED(registered);
    return QStringLiteral(":/brookhum/pictures/") + fileName;
}

} // namespace brookhum
