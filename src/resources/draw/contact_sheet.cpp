#include "contact_sheet.h"

#include <QPainter>

#include <algorithm>
#include <utility>

namespace brookhum::draw {
namespace {

const QColor lightPanel{0xf0, 0xf0, 0xf0};
const QColor darkPanel{0x2b, 0x2b, 0x2b};
const QColor sheetBackground{0x80, 0x80, 0x80};
constexpr int gap = 8;

int zoomFor(const QImage &picture)
{
    return std::clamp(480 / std::max(1, picture.width()), 2, 8);
}

} // namespace

QImage contactSheet(const QList<QImage> &pictures)
{
    int width = 0;
    int height = gap;
    for (const QImage &picture : pictures) {
        const int zoom = zoomFor(picture);
        width = std::max(width, 2 * picture.width() + 2 * zoom * picture.width() + 5 * gap);
        height += zoom * picture.height() + 2 * gap;
    }

    QImage sheet(QSize(width, height), QImage::Format_RGB32);
    sheet.fill(sheetBackground);
    QPainter painter(&sheet);
    int top = gap;
    for (const QImage &picture : pictures) {
        const int zoom = zoomFor(picture);
        const QSize real = picture.size();
        const QSize large = real * zoom;
        const std::pair<QSize, QColor> cells[] = {
            {real, lightPanel}, {real, darkPanel}, {large, lightPanel}, {large, darkPanel}};
        int left = gap;
        for (const auto &[size, panel] : cells) {
            const QRect cell(QPoint(left, top), size);
            painter.fillRect(cell.adjusted(-gap / 2, -gap / 2, gap / 2, gap / 2), panel);
            painter.drawImage(cell, picture);
            left += size.width() + gap;
        }
        top += large.height() + 2 * gap;
    }
    return sheet;
}

} // namespace brookhum::draw
