#include "settings/stored_settings.h"

#include "settings/read_or_init.h"
#include "settings/reg_ini_file.h"
#include "settings/setting_names.h"

namespace brookhum {

StoredText StoredSettings::readPlayFlag()
{
    return settings::readTextOrInit(m_store, settings::PlayFlag());
}

StoredText StoredSettings::readRandPlayFlag()
{
    return settings::readTextOrInit(m_store, settings::RandPlayFlag());
}

StoredText StoredSettings::readSelectPlayFlag()
{
    return settings::readTextOrInit(m_store, settings::SelectPlayFlag());
}

StoredSlot StoredSettings::readSlot(SlotKind kind, int slot)
{
    const settings::SlotValueNames names = settings::slotValueNames(kind, slot);
    const StoredText flag = settings::readTextOrInit(m_store, names.flag);
    return {flag, settings::readTextOrInit(m_store, names.path)};
}

StoredText StoredSettings::readBeginFlag(Bar bar)
{
    return settings::readTextOrInit(m_store, bar == Bar::Select ? settings::PlayBarBeginFlag()
                                                                  : settings::IndicationBarBeginFlag());
}

void StoredSettings::writeRandPlayFlag(const QString &flag)
{
    m_store.WriteString(settings::section(), settings::RandPlayFlag(), flag);
}

} // namespace brookhum
