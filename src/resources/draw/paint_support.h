#pragma once

#include <QColor>
#include <QImage>
#include <QPainterPath>
#include <QPointF>
#include <QRectF>
#include <QSize>

#include <initializer_list>
#include <map>
#include <string_view>

class QPainter;

namespace brookhum::draw {

// The button face of the bars; the toggle bitmaps have no alpha channel and
// sit on this colour.
inline const QColor faceColour{0xf0, 0xf0, 0xf0};

// A transparent ARGB image of the given size.
QImage transparentImage(QSize size);

// An opaque image of the given size filled with one colour.
QImage filledImage(QSize size, const QColor &colour);

// A filled triangle whose tip is at `tip`, pointing along `direction`
// (need not be normalised), `length` long and `width` wide at its base.
QPainterPath arrowHead(QPointF tip, QPointF direction, qreal length, qreal width);

// Sets single pixels from a hand-drawn map: each row is one line of
// characters starting at `origin`, each character a key of `colours`; any
// other character leaves its pixel alone. Small glyphs stay sharp this way.
void paintPixelArt(QPainter &painter, QPoint origin, std::initializer_list<std::string_view> rows,
                   const std::map<char, QColor> &colours);

// A beamed pair of eighth notes filling `box`, the way a music note reads at
// icon sizes.
void paintNotePair(QPainter &painter, const QRectF &box, const QColor &colour);

// A gentle wave of `periods` whole periods along the horizontal line at
// `baseline`, stroked with the painter's pen.
void strokeWave(QPainter &painter, qreal left, qreal right, qreal baseline, qreal amplitude,
                qreal periods);

} // namespace brookhum::draw
