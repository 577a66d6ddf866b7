#include "setup/browsable_volumes.h"

#include <QStorageInfo>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace brookhum {

namespace {

bool isAtOrBelow(const QString &directory, const QString &root)
{
    if (root == u"/"_s)
        return directory.startsWith(u'/');
    return directory == root || directory.startsWith(root + u'/');
}

// Disks and removable media are block devices mounted where desktops put
// them; everything else (kernel file systems, snaps, containers' layers) is
// no place to look for music.
bool isMountedMedium(const QStorageInfo &volume)
{
    if (!volume.isValid() || !volume.isReady() || !volume.device().startsWith("/dev/"))
        return false;
    const QString root = volume.rootPath();
    for (const QString &place : {u"/media"_s, u"/run/media"_s, u"/mnt"_s}) {
        if (root != place && isAtOrBelow(root, place))
            return true;
    }
    return false;
}

BrowsableVolume describe(const QString &rootPath, const QString &name)
{
    return {rootPath, name.isEmpty() ? rootPath : u"%1 [%2]"_s.arg(rootPath, name)};
}

bool contains(const QList<BrowsableVolume> &volumes, const QString &rootPath)
{
    return std::any_of(volumes.begin(), volumes.end(),
                       [&](const BrowsableVolume &v) { return v.rootPath == rootPath; });
}

} // namespace

QList<BrowsableVolume> browsableVolumes(const QString &homeDirectory)
{
    QList<BrowsableVolume> volumes;
    volumes.append(describe(u"/"_s, QStorageInfo::root().name()));

    const QStorageInfo home(homeDirectory);
    if (home.isValid() && !contains(volumes, home.rootPath()))
        volumes.append(describe(home.rootPath(), home.name()));

    for (const QStorageInfo &volume : QStorageInfo::mountedVolumes()) {
        if (isMountedMedium(volume) && !contains(volumes, volume.rootPath()))
            volumes.append(describe(volume.rootPath(), volume.name()));
    }
    return volumes;
}

int volumeIndexOf(const QList<BrowsableVolume> &volumes, const QString &directory)
{
    int best = -1;
    for (int i = 0; i < volumes.size(); ++i) {
        if (!isAtOrBelow(directory, volumes[i].rootPath))
            continue;
        if (best < 0 || volumes[i].rootPath.size() > volumes[best].rootPath.size())
            best = i;
    }
    return best;
}

} // namespace brookhum
