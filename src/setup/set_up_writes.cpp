#include "setup/set_up_writes.h"

#include "settings/setting_names.h"

using namespace Qt::StringLiterals;

namespace brookhum {

namespace {

QString flagText(bool on)
{
    return on ? u"1"_s : u"0"_s;
}

} // namespace

QList<StoreWrite> setUpWrites(const SetUpChoices &choices)
{
    QList<StoreWrite> writes{
        {settings::PlayFlag(), flagText(choices.firstPlay)},
        {settings::PlayBarBeginFlag(), flagText(choices.playBarBegin)},
        {settings::IndicationBarBeginFlag(), flagText(choices.indicationBarBegin)},
    };
    if (choices.mode != SetUpMode::None) {
        const bool directories = choices.mode == SetUpMode::Directory;
        writes.append({settings::SelectPlayFlag(), directories ? u"1"_s : u"2"_s});
        const SlotKind kind = directories ? SlotKind::Directory : SlotKind::File;
        for (int slot = 1; slot <= SlotCount; ++slot) {
            const settings::SlotValueNames names = settings::slotValueNames(kind, slot);
            writes.append({names.path, choices.slotPaths[slot]});
            writes.append({names.flag, flagText(choices.slotTicks[slot])});
        }
    }
    writes.append(optionTickWrites(choices.options));
    return writes;
}

} // namespace brookhum
