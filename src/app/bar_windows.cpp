#include "app/bar_windows.h"

#include "app/form_refs.h"
#include "bars/bar_position.h"
#include "bars/indication_bar.h"
#include "bars/select_play_bar.h"
#include "base/native_path.h"
#include "settings/setting_names.h"

namespace brookhum {

BarWindows::BarWindows(FormRefs &forms, RegIniFile &store, std::function<TForm4 *()> makeSelectBar,
                       std::function<TForm5 *()> makeIndicationBar)
    : m_forms(forms)
    , m_store(store)
    , m_makeSelectBar(std::move(makeSelectBar))
    , m_makeIndicationBar(std::move(makeIndicationBar))
{
}

QWidget *BarWindows::current(Bar bar) const
{
    if (bar == Bar::Select)
        return m_forms.Form4.data();
    return m_forms.Form5.data();
}

bool BarWindows::barExists(Bar bar) const
{
    return current(bar) != nullptr;
}

bool BarWindows::barShowing(Bar bar) const
{
    const QWidget *window = current(bar);
    return window && window->isVisible();
}

void BarWindows::createBar(Bar bar)
{
    // The bar a fresh one replaces is hidden and never used again.
    if (QWidget *previous = current(bar))
        previous->deleteLater();
    if (bar == Bar::Select)
        m_forms.Form4 = m_makeSelectBar();
    else
        m_forms.Form5 = m_makeIndicationBar();
}

void BarWindows::showFreshBar(Bar bar)
{
    createBar(bar);
    QWidget *window = current(bar);
    window->show();
    if (bar == Bar::Select)
        placeBarFromStore(*window, m_store, settings::DirSelectXPointPlayFlag(), settings::DirSelectYPointPlayFlag());
    else
        placeBarFromStore(*window, m_store, settings::IndicationXPointPlayFlag(), settings::IndicationYPointPlayFlag());
}

void BarWindows::showBar(Bar bar)
{
    if (!barShowing(bar))
        showFreshBar(bar);
}

void BarWindows::setBarCaption(Bar bar, const QString &caption)
{
    if (QWidget *window = current(bar))
        window->setWindowTitle(displayText(caption));
}

void BarWindows::setIndicationLabel(IndicationLabel label, const QString &text)
{
    if (TForm5 *bar = m_forms.Form5.data())
        bar->setLabelText(label, displayText(text));
}

void BarWindows::setTogglePicture(Toggle toggle, bool checked)
{
    if (TForm4 *bar = m_forms.Form4.data())
        bar->setTogglePicture(toggle, checked);
}

} // namespace brookhum
