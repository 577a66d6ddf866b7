#include "bars/indication_bar.h"

#include "bars/bar_position.h"
#include "settings/setting_names.h"

#include <QCloseEvent>
#include <QLabel>

using namespace Qt::StringLiterals;

namespace brookhum {

TForm5::TForm5(QWidget *owner)
    : QWidget(owner, Qt::Tool)
    , NextLabel(new QLabel(u"NextLabel"_s, this))
    , DirLabel(new QLabel(u"Dir:"_s, this))
    , AllDirLabel(new QLabel(u"AllDir:1,2,3,4,5,6,7,8,9,10"_s, this))
    , CountLabel(new QLabel(u"File:"_s, this))
{
    setObjectName(u"Form5"_s);
    setWindowTitle(u"Brookhum"_s);
    setFixedSize(293, 28);
    move(265, 367);
}

void TForm5::closeEvent(QCloseEvent *event)
{
    storeBarPosition(*this, settings::IndicationXPointPlayFlag(), settings::IndicationYPointPlayFlag());
    event->accept();
}

} // namespace brookhum
