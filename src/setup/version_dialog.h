#pragma once

#include <QWidget>

namespace brookhum {

// The version dialog "Ver.1.0.7".
class TForm3 : public QWidget {
    Q_OBJECT
public:
    explicit TForm3(QWidget *owner);
};

} // namespace brookhum
