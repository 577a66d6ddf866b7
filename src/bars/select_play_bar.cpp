#include "bars/select_play_bar.h"

#include "bars/bar_position.h"
#include "settings/setting_names.h"

#include <QCloseEvent>

using namespace Qt::StringLiterals;

namespace brookhum {

TForm4::TForm4(QWidget *owner, PlayEngine &engine, Wait wait)
    : QWidget(owner, Qt::Tool), m_engine(engine), m_wait(std::move(wait))
{
    setObjectName(u"Form4"_s);
    setWindowTitle(u"Brookhum"_s);
    setFixedSize(369, 28);
    move(188, 291);
}

void TForm4::setTogglePicture(Toggle, bool) {}

void TForm4::closeEvent(QCloseEvent *event)
{
    storeBarPosition(*this, settings::DirSelectXPointPlayFlag(), settings::DirSelectYPointPlayFlag());
    event->accept();
}

} // namespace brookhum
