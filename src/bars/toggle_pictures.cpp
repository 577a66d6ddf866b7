#include "bars/toggle_pictures.h"

#include "resources/replaceable_picture.h"
#include "resources/toggle_picture_names.h"

using namespace Qt::StringLiterals;

namespace brookhum {

QString togglePictureFileName(Toggle toggle, bool checked)
{
    // The pictures are listed in the order of the toggles.
    const TogglePictureNames &names = TogglePictures[static_cast<std::size_t>(toggle)];
    return QString::fromUtf16(checked ? names.checked : names.unchecked);
}

QPixmap togglePicture(Toggle toggle, bool checked)
{
    return replaceablePicture(togglePictureFileName(toggle, checked));
}

} // namespace brookhum
