#include "bars/baseline_label.h"

#include <QPainter>

namespace brookhum {

BaselineLabel::BaselineLabel(const QString &text, QWidget *parent) : QLabel(text, parent) {}

void BaselineLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(palette().color(foregroundRole()));
    painter.drawText(QPoint(0, Baseline), text());
}

} // namespace brookhum
