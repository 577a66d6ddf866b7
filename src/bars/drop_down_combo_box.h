#pragma once

#include <QComboBox>

namespace brookhum {

// A combo box that reports the opening of its list before the list shows, so
// a handler can fill the list it is about to offer.
class DropDownComboBox : public QComboBox {
    Q_OBJECT
public:
    using QComboBox::QComboBox;

    void showPopup() override;

Q_SIGNALS:
    void droppedDown();
};

} // namespace brookhum
