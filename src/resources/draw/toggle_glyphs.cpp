#include "toggle_glyphs.h"

#include "paint_support.h"

#include <QLinearGradient>
#include <QPainter>

namespace brookhum::draw {
namespace {

constexpr QSize glyphSize(20, 20);

const QColor offGlyph{0x9a, 0x9a, 0x9a};
const QColor offGlyphLight{0xcc, 0xcc, 0xcc};
const QColor arrowBlue{0x15, 0x5f, 0xc8};
const QColor digitRed{0xb7, 0x1c, 0x1c};
const QColor folderOrange{0xf0, 0x9a, 0x1a};
const QColor folderEdge{0x8a, 0x52, 0x00};
const QColor pauseRed{0xd3, 0x2f, 0x2f};

// Starts a glyph: the plain face for off, a lit amber tile with a darker rim
// for on, so the on state reads as "lit" even at a glance.
QImage glyphBase(ToggleState state)
{
    QImage image = filledImage(glyphSize, faceColour);
    if (state == ToggleState::On) {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        QLinearGradient light(0, 0, 0, glyphSize.height());
        light.setColorAt(0, QColor(0xff, 0xf8, 0xd8));
        light.setColorAt(1, QColor(0xff, 0xd8, 0x60));
        painter.setPen(QPen(QColor(0xc8, 0x8c, 0x10), 1));
        painter.setBrush(light);
        painter.drawRoundedRect(QRectF(0.5, 0.5, 19, 19), 3, 3);
    }
    return image;
}

} // namespace

QImage fileRepeatGlyph(ToggleState state)
{
    QImage image = glyphBase(state);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor arrow = state == ToggleState::On ? arrowBlue : offGlyph;

    // A rectangular loop of two strokes, the top one running right and the
    // bottom one running left. Two-pixel strokes on whole pixel boundaries
    // keep the straight parts sharp; only the rounded corners are smoothed.
    QPainterPath loop;
    loop.moveTo(4, 12);
    loop.lineTo(4, 8);
    loop.quadTo(4, 5, 7, 5);
    loop.lineTo(12, 5);
    loop.moveTo(16, 8);
    loop.lineTo(16, 12);
    loop.quadTo(16, 15, 13, 15);
    loop.lineTo(8, 15);
    painter.setPen(QPen(arrow, 2, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(loop);

    // The arrow heads and the "1" in the middle are set pixel by pixel.
    const QColor digit = state == ToggleState::On ? digitRed : offGlyph;
    paintPixelArt(painter, QPoint(5, 2),
                  {
                      ".......a  ",
                      ".......aa ",
                      ".......aaa",
                      ".......aaa",
                      ".......aa ",
                      "....11.a  ",
                      "...111    ",
                      "....11    ",
                      "....11    ",
                      "....11    ",
                      "..a.11    ",
                      ".aa       ",
                      "aaa       ",
                      "aaa       ",
                      ".aa       ",
                      "..a       ",
                  },
                  {{'a', arrow}, {'1', digit}});
    return image;
}

QImage directoryRepeatGlyph(ToggleState state)
{
    QImage image = glyphBase(state);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor arrow = state == ToggleState::On ? arrowBlue : offGlyph;

    // A ring running round from the top to the right side, where its head
    // points up into the gap.
    painter.setPen(QPen(arrow, 2, Qt::SolidLine, Qt::FlatCap));
    painter.setBrush(Qt::NoBrush);
    painter.drawArc(QRectF(4, 4, 12, 12), 110 * 16, 260 * 16);

    // The head and the folder inside the ring, pixel by pixel.
    const QColor edge = state == ToggleState::On ? folderEdge : offGlyph;
    const QColor fill = state == ToggleState::On ? folderOrange : offGlyphLight;
    paintPixelArt(painter, QPoint(7, 6),
                  {
                      "........aa  ",
                      ".......aaaa ",
                      "eee...aaaaaa",
                      "eeeeee      ",
                      "effffe      ",
                      "effffe      ",
                      "eeeeee      ",
                  },
                  {{'a', arrow}, {'e', edge}, {'f', fill}});
    return image;
}

QImage pauseGlyph(ToggleState state)
{
    QImage image = glyphBase(state);
    QPainter painter(&image);
    // Two bars on whole pixels.
    const QColor bar = state == ToggleState::On ? pauseRed : offGlyph;
    painter.fillRect(QRect(5, 4, 4, 12), bar);
    painter.fillRect(QRect(11, 4, 4, 12), bar);
    return image;
}

} // namespace brookhum::draw
