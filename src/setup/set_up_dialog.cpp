#include "setup/set_up_dialog.h"

#include "setup/version_dialog.h"

using namespace Qt::StringLiterals;

namespace brookhum {

TForm2::TForm2(QWidget *owner, SetUpEnvironment environment)
    : QWidget(owner, Qt::Window), m_environment(std::move(environment))
{
    setObjectName(u"Form2"_s);
    setWindowTitle(u"初期設定"_s);
    resize(518, 476);
}

} // namespace brookhum
