#include "setup/option_ticks.h"

#include "settings/read_or_init.h"
#include "settings/setting_names.h"
#include "setup/set_up_layout.h"
#include "setup/set_up_writes.h"

#include <QCheckBox>

using namespace Qt::StringLiterals;

namespace brookhum {

OptionTicks loadOptionTicks(RegIniFile &store)
{
    const auto on = [&store](const QString &name) { return settings::readTextOrInit(store, name).text == u"1"_s; };
    OptionTicks ticks;
    ticks.resume = on(settings::ResumeFlag());
    ticks.notify = on(settings::NotifyFlag());
    ticks.level = on(settings::LevelFlag());
    return ticks;
}

void showOptionTicks(const SetUpControls &ui, const OptionTicks &ticks)
{
    ui.ResumeCheckBox->setChecked(ticks.resume);
    ui.NotifyCheckBox->setChecked(ticks.notify);
    ui.LevelCheckBox->setChecked(ticks.level);
}

OptionTicks optionTicksShown(const SetUpControls &ui)
{
    return {ui.ResumeCheckBox->isChecked(), ui.NotifyCheckBox->isChecked(), ui.LevelCheckBox->isChecked()};
}

QList<StoreWrite> optionTickWrites(const OptionTicks &ticks)
{
    const auto text = [](bool on) { return on ? u"1"_s : u"0"_s; };
    return {{settings::ResumeFlag(), text(ticks.resume)},
            {settings::NotifyFlag(), text(ticks.notify)},
            {settings::LevelFlag(), text(ticks.level)}};
}

} // namespace brookhum
