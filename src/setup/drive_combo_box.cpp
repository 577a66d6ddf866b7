#include "setup/drive_combo_box.h"

#include "setup/directory_list_box.h"

namespace brookhum {

DriveComboBox::DriveComboBox(QWidget *parent, QList<BrowsableVolume> volumes)
    : QComboBox(parent), m_volumes(std::move(volumes))
{
    for (const BrowsableVolume &volume : m_volumes)
        addItem(volume.label, volume.rootPath);
    connect(this, &QComboBox::activated, this, [this](int index) { openVolume(index); });
}

void DriveComboBox::setDirList(DirectoryListBox *dirList)
{
    if (m_dirList)
        disconnect(m_dirList, nullptr, this, nullptr);
    m_dirList = dirList;
    if (!m_dirList)
        return;
    connect(m_dirList, &DirectoryListBox::directoryChanged, this,
            [this](const QString &directory) { showVolumeOf(directory); });
    showVolumeOf(m_dirList->directory());
}

void DriveComboBox::showVolumeOf(const QString &directory)
{
    setCurrentIndex(volumeIndexOf(m_volumes, directory));
}

void DriveComboBox::openVolume(int index)
{
    if (m_dirList && index >= 0 && index < m_volumes.size())
        m_dirList->setDirectory(m_volumes[index].rootPath);
}

} // namespace brookhum
