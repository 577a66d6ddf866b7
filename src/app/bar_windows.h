#pragma once

#include "engine/ports.h"

#include <functional>

class QWidget;

namespace brookhum {

class RegIniFile;
class TForm4;
class TForm5;
struct FormRefs;

// The bars as the engine sees them: always the current instances in Form4
// and Form5, shown or hidden. A fresh bar comes from the given makers.
class BarWindows : public WindowsPort {
public:
    BarWindows(FormRefs &forms, RegIniFile &store, std::function<TForm4 *()> makeSelectBar,
               std::function<TForm5 *()> makeIndicationBar);

    bool barExists(Bar bar) const override;
    bool barShowing(Bar bar) const override;
    void showFreshBar(Bar bar) override;
    void setBarCaption(Bar bar, const QString &caption) override;
    void setIndicationLabel(IndicationLabel label, const QString &text) override;
    void setTogglePicture(Toggle toggle, bool checked) override;

    // Creates the bar into its reference, hidden, as at start-up.
    void createBar(Bar bar);

    // Shows a fresh bar unless the current one is showing.
    void showBar(Bar bar);

private:
    QWidget *current(Bar bar) const;

    FormRefs &m_forms;
    RegIniFile &m_store;
    std::function<TForm4 *()> m_makeSelectBar;
    std::function<TForm5 *()> m_makeIndicationBar;
};

} // namespace brookhum
