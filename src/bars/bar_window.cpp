#include "bars/bar_window.h"

#include "resources/design_font.h"

#include <QWidget>

using namespace Qt::StringLiterals;

namespace brookhum {

Qt::WindowFlags barWindowFlags()
{
    return Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
        | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint;
}

void setUpBarWindow(QWidget &bar, QSize clientSize, QPoint designPlace, const QIcon &icon)
{
    bar.setAttribute(Qt::WA_ShowWithoutActivating);
    bar.setWindowTitle(u"Brookhum"_s);
    bar.setWindowIcon(icon);
    bar.setFont(designFont());
    bar.setFixedSize(clientSize);
    // Before the window exists, a move places its outer frame, as a stored
    // position does later.
    bar.move(designPlace);
}

} // namespace brookhum
