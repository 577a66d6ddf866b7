#pragma once

#include "setup/browsable_volumes.h"

#include <QComboBox>

namespace brookhum {

class DirectoryListBox;

// The volume list of the set-up dialog. Choosing a volume opens its root in
// the attached directory list; opening a directory in that list selects the
// volume that holds it.
class DriveComboBox : public QComboBox {
    Q_OBJECT
public:
    DriveComboBox(QWidget *parent, QList<BrowsableVolume> volumes);

    void setDirList(DirectoryListBox *dirList);

    // Selects the volume that holds `directory`, without opening anything.
    void showVolumeOf(const QString &directory);

private:
    void openVolume(int index);

    QList<BrowsableVolume> m_volumes;
    DirectoryListBox *m_dirList = nullptr;
};

} // namespace brookhum
