#pragma once

#include "engine/ports.h"

#include <functional>

class QWidget;

namespace brookhum {

class PlayEngine;
class RegIniFile;
struct FormRefs;

// The bars as the engine and the settings load see them: always the current
// instances in Form4 and Form5, shown or hidden.
class BarWindows : public WindowsPort {
public:
    using Wait = std::function<void(int seconds)>;

    BarWindows(FormRefs &forms, PlayEngine &engine, RegIniFile &store, Wait selectBarWait);

    bool barExists(Bar bar) const override;
    bool barShowing(Bar bar) const override;
    void showFreshBar(Bar bar) override;
    void setBarCaption(Bar bar, const QString &caption) override;
    void setIndicationLabel(IndicationLabel label, const QString &text) override;
    void setTogglePicture(Toggle toggle, bool checked) override;
    int selectedDir() const override;
    QString selectedFile() const override;

    // Creates the bar into its reference, hidden, as at start-up.
    void createBar(Bar bar);

    // Shows a fresh bar unless the current one is showing.
    void showBar(Bar bar);

private:
    QWidget *current(Bar bar) const;

    FormRefs &m_forms;
    PlayEngine &m_engine;
    RegIniFile &m_store;
    Wait m_selectBarWait;
};

} // namespace brookhum
