#include "support/fake_windows.h"

namespace brookhum::test {

void FakeWindows::showFreshBar(Bar bar)
{
    BarRecord &r = record(bar);
    r.exists = true;
    r.showing = true;
    ++r.freshShowings;
    r.caption = QStringLiteral("Brookhum");
}

void FakeWindows::setBarCaption(Bar bar, const QString &caption)
{
    if (!record(bar).exists)
        return;
    record(bar).caption = caption;
    if (bar == Bar::Indication)
        indicationCaptions.append(caption);
}

void FakeWindows::setIndicationLabel(IndicationLabel label, const QString &text)
{
    if (indication.exists)
        labels[label] = text;
}

void FakeWindows::setTogglePicture(Toggle toggle, bool checked)
{
    if (select.exists)
        pictures[toggle] = checked;
}

void FakeWindows::createHiddenBars()
{
    select.exists = true;
    indication.exists = true;
}

} // namespace brookhum::test
