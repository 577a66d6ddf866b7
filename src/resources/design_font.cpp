#include "resources/design_font.h"

#include <QStringList>

using namespace Qt::StringLiterals;

namespace brookhum {

QFont designFont(int pixelSize)
{
    QFont font;
    // Qt takes the first family it finds installed, so the list goes from the
    // designed face to ever more general Japanese Gothic faces.
    font.setFamilies({
        u"ＭＳ Ｐゴシック"_s,
        u"MS PGothic"_s,
        u"Noto Sans CJK JP"_s,
        u"Source Han Sans JP"_s,
        u"IPAPGothic"_s,
        u"IPAexGothic"_s,
        u"VL PGothic"_s,
        u"TakaoPGothic"_s,
        u"Hiragino Kaku Gothic ProN"_s,
        u"Meiryo"_s,
        u"Yu Gothic"_s,
    });
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelSize);
    return font;
}

} // namespace brookhum
