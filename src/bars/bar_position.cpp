#include "bars/bar_position.h"

#include "settings/read_or_init.h"
#include "settings/reg_ini_file.h"
#include "settings/setting_names.h"

#include <QWidget>

namespace brookhum {

void placeBarFromStore(QWidget &bar, const QString &xName, const QString &yName)
{
    RegIniFile store;
    if (const auto x = settings::readPositionOrInit(store, xName))
        bar.move(*x, bar.y());
    if (const auto y = settings::readPositionOrInit(store, yName))
        bar.move(bar.x(), *y);
}

void storeBarPosition(const QWidget &bar, const QString &xName, const QString &yName)
{
    RegIniFile store;
    store.WriteInteger(settings::section(), xName, bar.x());
    store.WriteInteger(settings::section(), yName, bar.y());
}

} // namespace brookhum
