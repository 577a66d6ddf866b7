#include "icon_tiles.h"

#include "paint_support.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPolygonF>

namespace brookhum::draw {
namespace {

struct TileColours {
    QColor top;
    QColor bottom;
    QColor rim;
};

const QColor waveCyan{0xa8, 0xec, 0xff};

// Paints the rounded tile that fills the whole icon.
void paintTile(QPainter &painter, int edge, const TileColours &colours)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient shade(0, 0, 0, edge);
    shade.setColorAt(0, colours.top);
    shade.setColorAt(1, colours.bottom);
    painter.setPen(QPen(colours.rim, 1));
    painter.setBrush(shade);
    const qreal radius = edge / 5.0;
    painter.drawRoundedRect(QRectF(0.5, 0.5, edge - 1, edge - 1), radius, radius);
    painter.restore();
}

} // namespace

// The 32-pixel icons are drawn as shapes; the 16-pixel ones pixel by pixel,
// since scaled-down shapes blur at that size.

QImage applicationIconImage(int edge)
{
    QImage image = transparentImage(QSize(edge, edge));
    QPainter painter(&image);
    const TileColours blue{QColor(0x4a, 0x9c, 0xf0), QColor(0x17, 0x4a, 0x9a),
                           QColor(0x0e, 0x30, 0x6a)};
    // Music over a brook: the note pair above a light wave. Larger theme
    // icons scale the 32-pixel shapes, so every size shows the same picture
    // as the scalable one.
    if (edge > 16) {
        painter.scale(edge / 32.0, edge / 32.0);
        paintTile(painter, 32, blue);
        painter.setRenderHint(QPainter::Antialiasing);
        paintNotePair(painter, QRectF(7, 3, 19, 16.5), Qt::white);
        painter.setPen(QPen(waveCyan, 2.2, Qt::SolidLine, Qt::RoundCap));
        strokeWave(painter, 5, 27, 25, 1.8, 2);
        return image;
    }
    paintTile(painter, edge, blue);
    paintPixelArt(painter, QPoint(0, 2),
                  {
                      "......wwwwww....",
                      "......wwwwww....",
                      "......w....w....",
                      "......w....w....",
                      "......w....w....",
                      "......w..www....",
                      "....www.wwww....",
                      "...wwww.www.....",
                      "...www..........",
                      "......cc....cc..",
                      "..c..c..c..c....",
                      "...cc....cc.....",
                  },
                  {{'w', Qt::white}, {'c', waveCyan}});
    return image;
}

QImage selectBarIconImage(int edge)
{
    QImage image = transparentImage(QSize(edge, edge));
    QPainter painter(&image);
    paintTile(painter, edge,
              {QColor(0x52, 0xc2, 0x74), QColor(0x1a, 0x78, 0x3c), QColor(0x0f, 0x4e, 0x26)});
    // A play triangle beside a short list: start play at a chosen entry.
    if (edge >= 32) {
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::white);
        painter.drawPolygon(QPolygonF{QPointF(6, 7), QPointF(16, 16), QPointF(6, 25)});
        for (int row = 0; row < 3; ++row)
            painter.fillRect(QRect(19, 9 + row * 6, 8, 3), Qt::white);
        return image;
    }
    paintPixelArt(painter, QPoint(0, 3),
                  {
                      "...w............",
                      "...ww....wwww...",
                      "...www...wwww...",
                      "...wwww.........",
                      "...wwwww.wwww...",
                      "...wwwww.wwww...",
                      "...wwww.........",
                      "...www...wwww...",
                      "...ww....wwww...",
                      "...w............",
                  },
                  {{'w', Qt::white}});
    return image;
}

QImage indicationBarIconImage(int edge)
{
    QImage image = transparentImage(QSize(edge, edge));
    QPainter painter(&image);
    paintTile(painter, edge,
              {QColor(0x8a, 0x96, 0xa2), QColor(0x44, 0x4e, 0x58), QColor(0x26, 0x2e, 0x36)});
    // A note with lines of text: what plays and what comes next.
    if (edge >= 32) {
        painter.setRenderHint(QPainter::Antialiasing);
        paintNotePair(painter, QRectF(5, 5, 13, 11), Qt::white);
        painter.fillRect(QRect(20, 11, 7, 3), Qt::white);
        painter.fillRect(QRect(5, 19, 22, 3), Qt::white);
        painter.fillRect(QRect(5, 24, 15, 3), Qt::white);
        return image;
    }
    paintPixelArt(painter, QPoint(0, 2),
                  {
                      ".....w..........",
                      ".....ww.........",
                      ".....w.w........",
                      ".....w...wwwww..",
                      "...www...wwwww..",
                      "...www..........",
                      "................",
                      "..wwwwwwwwwwww..",
                      "..wwwwwwwwwwww..",
                      "................",
                      "..wwwwwwwww.....",
                      "..wwwwwwwww.....",
                  },
                  {{'w', Qt::white}});
    return image;
}

} // namespace brookhum::draw
