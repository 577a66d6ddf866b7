#include "bars/toggle_pictures.h"

#include "resources/replaceable_picture.h"

using namespace Qt::StringLiterals;

namespace brookhum {

QString togglePictureFileName(Toggle toggle, bool checked)
{
    switch (toggle) {
    case Toggle::Repetition:
        return checked ? u"Repeat.bmp"_s : u"No_Repeat.bmp"_s;
    case Toggle::DirRepetition:
        return checked ? u"DirRepeat.bmp"_s : u"No_DirRepeat.bmp"_s;
    case Toggle::OneTimeStop:
        return checked ? u"Temporary_stop.bmp"_s : u"No_Temporary_stop.bmp"_s;
    }
    return {};
}

QPixmap togglePicture(Toggle toggle, bool checked)
{
    return replaceablePicture(togglePictureFileName(toggle, checked));
}

} // namespace brookhum
