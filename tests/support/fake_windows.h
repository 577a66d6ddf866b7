#pragma once

#include "engine/ports.h"

#include <QMap>
#include <QStringList>

namespace brookhum::test {

// The two bars as plain records: what the engine wrote into them and how
// often a fresh bar was shown.
class FakeWindows : public WindowsPort {
public:
    struct BarRecord {
        bool exists = false;
        bool showing = false;
        int freshShowings = 0;
        QString caption;
    };

    bool barExists(Bar bar) const override { return record(bar).exists; }
    bool barShowing(Bar bar) const override { return record(bar).showing; }
    void showFreshBar(Bar bar) override;
    void setBarCaption(Bar bar, const QString &caption) override;
    void setIndicationLabel(IndicationLabel label, const QString &text) override;
    void setTogglePicture(Toggle toggle, bool checked) override;

    // Both bars exist, hidden, as after start-up.
    void createHiddenBars();

    BarRecord &record(Bar bar) { return bar == Bar::Select ? select : indication; }
    const BarRecord &record(Bar bar) const { return bar == Bar::Select ? select : indication; }

    BarRecord select;
    BarRecord indication;
    QMap<IndicationLabel, QString> labels;
    QMap<Toggle, bool> pictures;
    QStringList indicationCaptions; // every caption the indication bar was given: one per file start
};

} // namespace brookhum::test
