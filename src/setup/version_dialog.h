#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

namespace brookhum {

// The version dialog "Ver.<version>": name and version, a picture, a credits
// line and "OK", which hides it.
class TForm3 : public QWidget {
    Q_OBJECT
public:
    explicit TForm3(QWidget *owner);

    void Button1Click();

    QLabel *Label2 = nullptr;
    QLabel *Image1 = nullptr;
    QPushButton *Button1 = nullptr;
    QLabel *Label1 = nullptr;
};

} // namespace brookhum
