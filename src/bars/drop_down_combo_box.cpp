#include "bars/drop_down_combo_box.h"

namespace brookhum {

void DropDownComboBox::showPopup()
{
    Q_EMIT droppedDown();
    QComboBox::showPopup();
}

} // namespace brookhum
