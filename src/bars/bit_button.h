#pragma once

#include <QPixmap>
#include <QPushButton>

namespace brookhum {

// A push button that shows one 20 x 20 picture, its glyph.
class BitButton : public QPushButton {
    Q_OBJECT
public:
    explicit BitButton(QWidget *parent);

    void setGlyph(const QPixmap &glyph);
    const QPixmap &glyph() const { return m_glyph; }

private:
    QPixmap m_glyph;
};

} // namespace brookhum
