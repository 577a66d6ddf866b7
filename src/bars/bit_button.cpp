#include "bars/bit_button.h"

#include <QIcon>

namespace brookhum {

BitButton::BitButton(QWidget *parent) : QPushButton(parent)
{
    setIconSize(QSize(20, 20));
}

void BitButton::setGlyph(const QPixmap &glyph)
{
    m_glyph = glyph;
    setIcon(QIcon(glyph));
}

} // namespace brookhum
