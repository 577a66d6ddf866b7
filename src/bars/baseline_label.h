#pragma once

#include <QLabel>

namespace brookhum {

// A one-line label whose text stands on a fixed baseline below its top,
// where the designed 12-pixel face puts it. Faces with a taller line (the
// Japanese faces of most desktops) would otherwise sit lower and lose their
// descenders, or in the lower row of a bar fall out of it.
class BaselineLabel : public QLabel {
    Q_OBJECT
public:
    static constexpr int Baseline = 10;

    BaselineLabel(const QString &text, QWidget *parent);

protected:
    void paintEvent(QPaintEvent *event) override;
};

} // namespace brookhum
