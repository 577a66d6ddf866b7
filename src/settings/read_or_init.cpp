#include "settings/read_or_init.h"

#include "settings/reg_ini_file.h"
#include "settings/setting_names.h"

using namespace Qt::StringLiterals;

namespace brookhum::settings {

QString absentText()
{
    return u"non"_s;
}

StoredText readTextOrInit(RegIniFile &store, const QString &name)
{
    const QString text = store.ReadString(section(), name, absentText());
    if (text != absentText())
        return {text, false};
    const QString initial = initialText(name);
    store.WriteString(section(), name, initial);
    return {initial, true};
}

std::optional<int> readPositionOrInit(RegIniFile &store, const QString &name)
{
    const int position = store.ReadInteger(section(), name, AbsentPosition);
    if (position != AbsentPosition)
        return position;
    store.WriteInteger(section(), name, InitialPosition);
    return std::nullopt;
}

} // namespace brookhum::settings
