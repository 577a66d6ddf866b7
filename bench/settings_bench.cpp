// The settings store on a large file that other programs share: the first
// read, the first start's initial values (one write each), one write, a save
// of 24 values as "設定保存" makes it, and a write that finds an empty lock
// file left by a crash. Prints a table.
//
// Usage: settings_bench [megabytes] [rounds]

#include "settings/read_or_init.h"
#include "settings/reg_ini_file.h"
#include "settings/setting_names.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

using namespace Qt::StringLiterals;
using namespace brookhum;

namespace {

QByteArray otherPrograms(qsizetype size)
{
    QByteArray text;
    for (int tool = 0; text.size() < size; ++tool) {
        text += "[TarnwickTool" + QByteArray::number(tool) + "]\n";
        for (int k = 0; k < 85; ++k)
            text += "Option" + QByteArray::number(k) + "=value " + QByteArray::number(tool * 85 + k) + " of another program\n";
        text += '\n';
    }
    return text;
}

// The median of the rounds, in milliseconds; `prepare` runs untimed before each.
double median(int rounds, const std::function<void()> &prepare, const std::function<void()> &work)
{
    std::vector<double> ms;
    for (int r = 0; r < rounds; ++r) {
        prepare();
        QElapsedTimer timer;
        timer.start();
        work();
        ms.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    const QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    const qsizetype megabytes = args.size() > 1 ? args[1].toInt() : 10;
    const int rounds = args.size() > 2 ? args[2].toInt() : 5;
    const QTemporaryDir dir;
    const QString path = dir.filePath(u"Tarnwick.conf"_s);
    const QByteArray others = otherPrograms(megabytes * 1'000'000);
    const auto fresh = [&] {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(others) != others.size())
            std::abort();
    };
    const QString section = settings::section();
    RegIniFile::Values save;
    for (const QString &name : settings::allValueNames().mid(0, 24))
        save.append({name, u"/music/"_s + name});

    std::unique_ptr<RegIniFile> store;
    const auto opened = [&] { fresh(), store = std::make_unique<RegIniFile>(path); };
    const double firstRead = median(rounds, opened, [&] { store->ReadString(section, settings::PlayFlag(), u"non"_s); });
    const double initial = median(rounds, opened, [&] {
        for (const QString &name : settings::allValueNames()) {
            if (!settings::isPositionValue(name))
                settings::readTextOrInit(*store, name);
        }
    });
    const double write = median(rounds, [] {}, [&] { store->WriteString(section, settings::PlayFlag(), u"1"_s); });
    const double saved = median(rounds, [] {}, [&] { store->WriteValues(section, save); });
    const double locked = median(rounds, [&] { QFile(path + u".lock"_s).open(QIODevice::WriteOnly); },
                                 [&] { store->WriteString(section, settings::PlayFlag(), u"0"_s); });

    std::printf("\nThe settings store on a %lld MB file of other programs' sections, median of %d rounds\n\n",
                static_cast<long long>(megabytes), rounds);
    std::printf("| %-48s | %9s |\n", "measured", "ms");
    std::printf("|--------------------------------------------------|-----------|\n");
    std::printf("| %-48s | %9.1f |\n", "first read", firstRead);
    std::printf("| %-48s | %9.1f |\n", "first start: read, 45 absent values written", initial);
    std::printf("| %-48s | %9.1f |\n", "one write", write);
    std::printf("| %-48s | %9.1f |\n", "a save of 24 values", saved);
    std::printf("| %-48s | %9.1f |\n", "one write past an empty lock just left", locked);
    return 0;
}
