#include "banners.h"

#include "paint_support.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>

using namespace Qt::StringLiterals;

namespace brookhum::draw {
namespace {

// DejaVu Sans comes with every Debian desktop; another face would change the
// look of the words, not the size of the pictures.
QFont latinFont(int pixelSize, QFont::Weight weight)
{
    QFont font(u"DejaVu Sans"_s);
    font.setPixelSize(pixelSize);
    font.setWeight(weight);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

} // namespace

QImage dragDropBanner()
{
    QImage image = transparentImage(QSize(100, 25));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);

    painter.setFont(latinFont(13, QFont::Bold));
    painter.setPen(QColor(0x1f, 0x3f, 0x7a));
    painter.drawText(QRect(0, 6, 34, 19), Qt::AlignLeft | Qt::AlignTop, u"drag"_s);
    painter.drawText(QRect(64, 6, 36, 19), Qt::AlignRight | Qt::AlignTop, u"drop"_s);

    // The arrow leaves "drag", arches over the gap and lands on "drop".
    const QColor arrow(0xe0, 0x6a, 0x00);
    QPainterPath arc;
    arc.moveTo(28, 8);
    arc.cubicTo(38, -1, 58, -1, 67, 5.5);
    painter.setPen(QPen(arrow, 2, Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(arc);
    painter.setPen(Qt::NoPen);
    painter.setBrush(arrow);
    painter.drawPath(arrowHead(QPointF(72, 10), QPointF(1, 0.9), 6, 7));
    return image;
}

QImage versionBanner()
{
    QImage image = filledImage(QSize(150, 30), Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);

    QLinearGradient sky(0, 0, 150, 0);
    sky.setColorAt(0, QColor(0x12, 0x3c, 0x7c));
    sky.setColorAt(1, QColor(0x2a, 0x8c, 0xc8));
    painter.fillRect(image.rect(), sky);

    painter.setPen(QPen(QColor(0x7c, 0xd8, 0xff, 150), 1.6, Qt::SolidLine, Qt::RoundCap));
    strokeWave(painter, -2, 152, 25.5, 1.6, 5);
    paintNotePair(painter, QRectF(7, 4, 18, 17), Qt::white);

    painter.setFont(latinFont(19, QFont::Bold));
    painter.setPen(Qt::white);
    painter.drawText(QRect(33, 0, 117, 26), Qt::AlignLeft | Qt::AlignVCenter, u"Brookhum"_s);
    return image;
}

QImage indicationBadge()
{
    QImage image = transparentImage(QSize(30, 10));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    paintNotePair(painter, QRectF(0, 0, 9, 10), Qt::white);
    painter.setPen(QPen(QColor(0xb8, 0xf0, 0xff), 1.5, Qt::SolidLine, Qt::RoundCap));
    strokeWave(painter, 12, 29, 5, 2.5, 1.5);
    return image;
}

} // namespace brookhum::draw
