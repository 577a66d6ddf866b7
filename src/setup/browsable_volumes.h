#pragma once

#include <QList>
#include <QString>

namespace brookhum {

// A mounted volume that a user would browse for music.
struct BrowsableVolume {
    QString rootPath; // where it is mounted, e.g. "/" or "/media/usb"
    QString label;    // what the volume list shows
};

// The volumes offered by the set-up dialog's volume list: the root file
// system first, then the volume that holds the home directory when it is
// another one, then disks and removable media mounted under /media, /run/media
// and /mnt. Pseudo file systems (proc, sysfs, tmpfs, ...) are never offered.
QList<BrowsableVolume> browsableVolumes(const QString &homeDirectory);

// The entry of `volumes` that holds `directory`: the one with the longest
// root path that is the directory itself or one of its ancestors; -1 when
// none does.
int volumeIndexOf(const QList<BrowsableVolume> &volumes, const QString &directory);

} // namespace brookhum
