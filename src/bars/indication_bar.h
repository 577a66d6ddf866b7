#pragma once

#include <QWidget>

class QLabel;

namespace brookhum {

// The indication bar: the playing file in its title, the next file, the
// directory slot, the loaded slots and the position in the slot.
class TForm5 : public QWidget {
    Q_OBJECT
public:
    explicit TForm5(QWidget *owner);

    QLabel *NextLabel;
    QLabel *DirLabel;
    QLabel *AllDirLabel;
    QLabel *CountLabel;

protected:
    void closeEvent(QCloseEvent *event) override;
};

} // namespace brookhum
