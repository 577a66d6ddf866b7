#include "setup/set_up_load.h"

#include "settings/read_or_init.h"
#include "settings/setting_names.h"

using namespace Qt::StringLiterals;

namespace brookhum {

namespace {

bool optionOn(RegIniFile &store, const QString &name)
{
    return settings::readTextOrInit(store, name).text == u"1"_s;
}

SetUpMode modeOf(const StoredText &playKind)
{
    if (playKind.absent)
        return SetUpMode::None;
    if (playKind.text == u"1"_s)
        return SetUpMode::Directory;
    if (playKind.text == u"2"_s)
        return SetUpMode::File;
    return SetUpMode::None;
}

LoadedSlot loadSlot(RegIniFile &store, SlotKind kind, int slot)
{
    const settings::SlotValueNames names = settings::slotValueNames(kind, slot);
    LoadedSlot loaded;
    const StoredText path = settings::readTextOrInit(store, names.path);
    if (!path.absent)
        loaded.path = path.text;
    loaded.ticked = settings::readTextOrInit(store, names.flag).text != u"0"_s;
    return loaded;
}

} // namespace

LoadedSetUp loadSetUp(RegIniFile &store)
{
    LoadedSetUp loaded;
    loaded.firstPlay = optionOn(store, settings::PlayFlag());
    loaded.playBarBegin = optionOn(store, settings::PlayBarBeginFlag());
    loaded.indicationBarBegin = optionOn(store, settings::IndicationBarBeginFlag());
    loaded.mode = modeOf(settings::readTextOrInit(store, settings::SelectPlayFlag()));
    for (int slot = 1; slot <= SlotCount; ++slot)
        loaded.dirSlots[slot] = loadSlot(store, SlotKind::Directory, slot);
    for (int slot = 1; slot <= SlotCount; ++slot)
        loaded.fileSlots[slot] = loadSlot(store, SlotKind::File, slot);
    loaded.options = loadOptionTicks(store);
    return loaded;
}

} // namespace brookhum
