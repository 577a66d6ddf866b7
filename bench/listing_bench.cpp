// LoadSettings over ten directory slots of 10,000 playable files each, beside
// a bare readdir walk of the same directories. Prints a table.
//
// Usage: listing_bench [files-per-directory] [rounds]

#include "engine/menu_actions.h"
#include "settings/setting_names.h"
#include "support/engine_rig.h"
#include "bench_environment.h"
#include "support/test_application.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

using namespace Qt::StringLiterals;
using namespace brookhum;

namespace {

void createFiles(const QString &dir, int count)
{
    QDir().mkpath(dir);
    const QByteArray base = QFile::encodeName(dir);
    for (int i = 0; i < count; ++i) {
        // Reverse order, so the directory does not hand the names out sorted.
        const QByteArray path = base + "/track " + QByteArray::number(count - i).rightJustified(6, '0') + ".mp3";
        const int fd = ::open(path.constData(), O_CREAT | O_WRONLY, 0644);
        if (fd >= 0)
            ::close(fd);
    }
}

long bareWalk(const std::vector<QByteArray> &dirs)
{
    long entries = 0;
    for (const QByteArray &dir : dirs) {
        DIR *d = ::opendir(dir.constData());
        if (!d)
            continue;
        while (::readdir(d))
            ++entries;
        ::closedir(d);
    }
    return entries;
}

template <typename Work>
std::vector<double> timeRounds(int rounds, Work work)
{
    std::vector<double> ms;
    for (int r = 0; r < rounds; ++r) {
        QElapsedTimer timer;
        timer.start();
        work();
        ms.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    return ms;
}

} // namespace

int main(int argc, char **argv)
{
    const bench::BenchEnvironment environment;
    test::TestApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    const int perDirectory = args.size() > 1 ? args[1].toInt() : 10'000;
    const int rounds = args.size() > 2 ? args[2].toInt() : 9;

    QTemporaryDir media;
    std::vector<QByteArray> dirs;
    std::fprintf(stderr, "creating %d files...\n", perDirectory * 10);
    for (int k = 1; k <= 10; ++k) {
        const QString dir = media.path() + u"/slot %1"_s.arg(k);
        createFiles(dir, perDirectory);
        dirs.push_back(QFile::encodeName(dir));
        const auto names = settings::slotValueNames(settings::SlotKind::Directory, k);
        test::storeTexts({{names.path, dir}, {names.flag, u"1"_s}});
    }

    test::EngineRig rig;
    rig.formCreate(); // first load writes the missing values; not measured
    const auto load = timeRounds(rounds, [&] { rig.engine.LoadSettings(); });
    long entries = 0;
    const auto walk = timeRounds(rounds, [&] { entries = bareWalk(dirs); });

    const double ratio = load[load.size() / 2] / walk[walk.size() / 2];
    std::printf("\nLoadSettings over 10 directory slots of %d playable files (%ld directory entries), %d rounds\n\n",
                perDirectory, entries, rounds);
    std::printf("| %-24s | %9s | %9s | %9s |\n", "measured", "min ms", "median ms", "max ms");
    std::printf("|--------------------------|-----------|-----------|-----------|\n");
    std::printf("| %-24s | %9.1f | %9.1f | %9.1f |\n", "LoadSettings", load.front(), load[load.size() / 2], load.back());
    std::printf("| %-24s | %9.1f | %9.1f | %9.1f |\n", "bare readdir walk", walk.front(), walk[walk.size() / 2], walk.back());
    std::printf("\nratio of medians: %.2fx (target under 1.5x): %s\n", ratio, ratio < 1.5 ? "met" : "NOT met");
    std::printf("files kept per slot: %d\n", rig.state().DirFileCount[1]);
    return 0;
}
