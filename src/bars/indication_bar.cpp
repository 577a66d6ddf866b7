#include "bars/indication_bar.h"

#include "bars/bar_position.h"
#include "bars/bar_window.h"
#include "bars/baseline_label.h"
#include "base/error_display.h"
#include "resources/pictures.h"
#include "resources/text_fitting.h"
#include "settings/setting_names.h"

#include <QCloseEvent>
#include <QLabel>
#include <QMouseEvent>

using namespace Qt::StringLiterals;

namespace brookhum {

namespace {

// A label spans its row of the bar: the upper row down to the lower one,
// the lower row down to the bar's edge and beyond.
constexpr int LabelHeight = 16;

void fitWidthToText(QLabel &label)
{
    fitWhenShown(label, [&label] { label.resize(label.sizeHint().width(), LabelHeight); });
}

} // namespace

TForm5::TForm5(QWidget *owner, RegIniFile &store, ErrorDisplay &errors)
    : QWidget(owner, barWindowFlags()), m_store(store), m_errors(errors)
{
    setObjectName(u"Form5"_s);
    setUpBarWindow(*this, QSize(293, 28), QPoint(265, 367), indicationBarIcon());
    QPalette grey = palette();
    grey.setColor(QPalette::Window, QColor(128, 128, 128));
    grey.setColor(QPalette::WindowText, Qt::white);
    setPalette(grey);
    setAutoFillBackground(true);

    Image1 = new QLabel(this);
    Image1->setObjectName(u"Image1"_s);
    Image1->setGeometry(0, 0, 33, 16);
    Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Image1->setPixmap(indicationPicture());

    NextLabel = makeLabel(u"NextLabel"_s, u"NextLabel"_s, QPoint(40, 0));
    DirLabel = makeLabel(u"DirLabel"_s, u"Dir:"_s, QPoint(0, 16));
    AllDirLabel = makeLabel(u"AllDirLabel"_s, u"AllDir:1,2,3,4,5,6,7,8,9,10"_s, QPoint(48, 16));
    CountLabel = makeLabel(u"CountLabel"_s, u"File:"_s, QPoint(208, 16));
}

QLabel *TForm5::makeLabel(const QString &name, const QString &text, QPoint place)
{
    auto *label = new BaselineLabel(text, this);
    label->setObjectName(name);
    QFont bold = font();
    bold.setBold(true);
    label->setFont(bold);
    label->move(place);
    fitWidthToText(*label);
    return label;
}

QLabel *TForm5::label(IndicationLabel which) const
{
    switch (which) {
    case IndicationLabel::Next:
        return NextLabel;
    case IndicationLabel::Dir:
        return DirLabel;
    case IndicationLabel::AllDir:
        return AllDirLabel;
    case IndicationLabel::Count:
        return CountLabel;
    }
    return nullptr;
}

void TForm5::setLabelText(IndicationLabel which, const QString &text)
{
    QLabel *target = label(which);
    target->setText(text);
    fitWidthToText(*target);
}

void TForm5::mousePressEvent(QMouseEvent *event)
{
    // Only the background counts: the picture and the labels are not it.
    if (event->button() == Qt::LeftButton && !childAt(event->position().toPoint()))
        guarded(m_errors, [this] { FormClick(); })();
    QWidget::mousePressEvent(event);
}

void TForm5::FormClick()
{
    storeBarPosition(*this, m_store, settings::IndicationXPointPlayFlag(), settings::IndicationYPointPlayFlag());
}

void TForm5::closeEvent(QCloseEvent *event)
{
    guarded(m_errors, [this] { FormClose(); })();
    event->accept();
}

void TForm5::FormClose()
{
    storeBarPosition(*this, m_store, settings::IndicationXPointPlayFlag(), settings::IndicationYPointPlayFlag());
}

} // namespace brookhum
