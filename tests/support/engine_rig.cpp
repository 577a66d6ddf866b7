#include "support/engine_rig.h"

#include "settings/reg_ini_file.h"
#include "settings/setting_names.h"
#include "support/test_application.h"

#include <QDir>
#include <QFile>

using namespace Qt::StringLiterals;

namespace brookhum::test {

void storeTexts(const QList<std::pair<QString, QString>> &values)
{
    for (const auto &[name, text] : values)
        testStore().WriteString(settings::section(), name, text);
}

QString storedText(const QString &name)
{
    return testStore().ReadString(settings::section(), name, u"non"_s);
}

QString makeDirectoryWithFiles(const QTemporaryDir &root, const QString &name, const QStringList &files)
{
    const QString path = root.path() + u'/' + name;
    QDir().mkpath(path);
    for (const QString &file : files) {
        QFile f(path + u'/' + file);
        f.open(QIODevice::WriteOnly);
    }
    return path;
}

QStringList numberedNames(const QString &prefix, int count, const QString &extension)
{
    QStringList names;
    for (int i = 1; i <= count; ++i)
        names.append(u"%1%2.%3"_s.arg(prefix).arg(i, 2, 10, QLatin1Char('0')).arg(extension));
    return names;
}

} // namespace brookhum::test
