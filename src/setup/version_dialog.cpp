#include "setup/version_dialog.h"

using namespace Qt::StringLiterals;

namespace brookhum {

TForm3::TForm3(QWidget *owner) : QWidget(owner, Qt::Window)
{
    setObjectName(u"Form3"_s);
    setWindowTitle(u"Ver.1.0.7"_s);
    resize(278, 117);
}

} // namespace brookhum
