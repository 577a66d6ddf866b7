#include "support/test_application.h"

#include "settings/reg_ini_file.h"
#include "settings/setting_names.h"

#include <QFile>

using namespace Qt::StringLiterals;

namespace brookhum::test {

TestApplication &testApp()
{
    return *static_cast<TestApplication *>(QCoreApplication::instance());
}

RegIniFile &testStore()
{
    static RegIniFile store(RegIniFile::defaultLocation());
    return store;
}

QString storeFilePath()
{
    return testStore().location();
}

void clearSettingsStore()
{
    QFile::remove(storeFilePath());
}

void storeTexts(const QList<std::pair<QString, QString>> &values)
{
    for (const auto &[name, text] : values)
        testStore().WriteString(settings::section(), name, text);
}

void storeSlot(SlotKind kind, int k, const QString &path, const QString &flag)
{
    storeTexts({{settings::slotValueNames(kind, k).path, path}, {settings::slotValueNames(kind, k).flag, flag}});
}

QString storedText(const QString &name)
{
    return testStore().ReadString(settings::section(), name, u"non"_s);
}

} // namespace brookhum::test
