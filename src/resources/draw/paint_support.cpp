#include "paint_support.h"

#include <QLineF>
#include <QPainter>
#include <QPolygonF>
#include <QTransform>

#include <cmath>
#include <cstddef>
#include <numbers>

namespace brookhum::draw {

QImage transparentImage(QSize size)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

QImage filledImage(QSize size, const QColor &colour)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

QPainterPath arrowHead(QPointF tip, QPointF direction, qreal length, qreal width)
{
    const qreal norm = std::hypot(direction.x(), direction.y());
    const QPointF along = direction / norm;
    const QPointF across(-along.y(), along.x());
    const QPointF base = tip - along * length;
    QPainterPath path;
    path.addPolygon(QPolygonF{tip, base + across * (width / 2), base - across * (width / 2)});
    path.closeSubpath();
    return path;
}

void paintPixelArt(QPainter &painter, QPoint origin, std::initializer_list<std::string_view> rows,
                   const std::map<char, QColor> &colours)
{
    int y = origin.y();
    for (std::string_view row : rows) {
        for (std::size_t x = 0; x < row.size(); ++x) {
            const auto colour = colours.find(row[x]);
            if (colour != colours.end())
                painter.fillRect(QRect(origin.x() + int(x), y, 1, 1), colour->second);
        }
        ++y;
    }
}

void paintNotePair(QPainter &painter, const QRectF &box, const QColor &colour)
{
    const qreal w = box.width();
    const qreal h = box.height();
    const qreal headW = 0.36 * w;
    const qreal headH = 0.25 * h;
    const qreal stem = std::max<qreal>(1.0, 0.09 * w);
    const QPointF head1 = box.topLeft() + QPointF(0.19 * w, 0.86 * h);
    const QPointF head2 = box.topLeft() + QPointF(0.79 * w, 0.76 * h);

    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    for (const QPointF &centre : {head1, head2}) {
        QTransform tilt;
        tilt.translate(centre.x(), centre.y());
        tilt.rotate(-22);
        QPainterPath head;
        head.addEllipse(QPointF(0, 0), headW / 2, headH / 2);
        painter.drawPath(tilt.map(head));
    }
    // Stems rise from the right side of each head to the beam.
    const qreal stem1X = head1.x() + headW / 2 - stem;
    const qreal stem2X = head2.x() + headW / 2 - stem;
    const qreal beamH = 0.2 * h;
    const qreal beam1Top = box.top() + 0.1 * h;
    const qreal beam2Top = box.top();
    painter.drawRect(QRectF(stem1X, beam1Top, stem, head1.y() - beam1Top));
    painter.drawRect(QRectF(stem2X, beam2Top, stem, head2.y() - beam2Top));
    painter.drawPolygon(QPolygonF{
        QPointF(stem1X, beam1Top), QPointF(stem2X + stem, beam2Top),
        QPointF(stem2X + stem, beam2Top + beamH), QPointF(stem1X, beam1Top + beamH)});
    painter.restore();
}

void strokeWave(QPainter &painter, qreal left, qreal right, qreal baseline, qreal amplitude,
                qreal periods)
{
    QPainterPath wave;
    const int steps = 64;
    for (int i = 0; i <= steps; ++i) {
        const qreal t = qreal(i) / steps;
        const QPointF point(left + t * (right - left),
                            baseline - amplitude * std::sin(t * periods * 2 * std::numbers::pi));
        if (i == 0)
            wave.moveTo(point);
        else
            wave.lineTo(point);
    }
    painter.save();
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(wave);
    painter.restore();
}

} // namespace brookhum::draw
