#include "button_glyphs.h"

#include "paint_support.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPolygonF>

namespace brookhum::draw {
namespace {

constexpr QSize transportSize(20, 20);

QLinearGradient verticalShade(qreal top, qreal bottom, const QColor &light, const QColor &dark)
{
    QLinearGradient shade(0, top, 0, bottom);
    shade.setColorAt(0, light);
    shade.setColorAt(1, dark);
    return shade;
}

// A right-pointing triangle between `left` and `tip`, on the glyph's
// vertical centre line.
void paintPlayTriangle(QPainter &painter, qreal left, qreal tip, const QBrush &fill,
                       const QColor &edge)
{
    painter.setPen(QPen(edge, 1, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.setBrush(fill);
    painter.drawPolygon(QPolygonF{QPointF(left + 0.5, 3.5), QPointF(tip + 0.5, 10),
                                  QPointF(left + 0.5, 16.5)});
}

} // namespace

QImage playGlyph()
{
    QImage image = transparentImage(transportSize);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    paintPlayTriangle(painter, 5, 16,
                      verticalShade(3, 17, QColor(0x5c, 0xd0, 0x5c), QColor(0x1e, 0x8a, 0x2e)),
                      QColor(0x14, 0x5e, 0x1e));
    return image;
}

QImage nextGlyph()
{
    QImage image = transparentImage(transportSize);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor edge(0x0e, 0x3f, 0x8a);
    const QLinearGradient fill =
        verticalShade(3, 17, QColor(0x6a, 0xa8, 0xf0), QColor(0x1c, 0x5c, 0xc0));
    paintPlayTriangle(painter, 2, 12, fill, edge);
    painter.setPen(QPen(edge, 1));
    painter.setBrush(fill);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.drawRect(QRect(13, 3, 3, 13));
    return image;
}

QImage stopGlyph()
{
    QImage image = transparentImage(transportSize);
    QPainter painter(&image);
    painter.setPen(QPen(QColor(0x7f, 0x12, 0x12), 1));
    painter.setBrush(verticalShade(4, 16, QColor(0xf0, 0x62, 0x5a), QColor(0xb8, 0x1c, 0x1c)));
    painter.drawRect(QRect(4, 4, 11, 11));
    return image;
}

QImage previewStopGlyph()
{
    QImage image = transparentImage(QSize(30, 30));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0x74, 0x74, 0x74), 1));
    painter.setBrush(verticalShade(2, 28, QColor(0xec, 0xec, 0xec), QColor(0xae, 0xae, 0xae)));
    painter.drawRoundedRect(QRectF(2.5, 2.5, 25, 25), 5, 5);

    // A dark undercoat gives the X an edge on the light grey.
    for (const auto &[colour, width] :
         {std::pair{QColor(0x7a, 0x0c, 0x0c), 5.0}, std::pair{QColor(0xe5, 0x2a, 0x22), 3.0}}) {
        painter.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(9.5, 9.5), QPointF(20.5, 20.5));
        painter.drawLine(QPointF(20.5, 9.5), QPointF(9.5, 20.5));
    }
    return image;
}

} // namespace brookhum::draw
