#include "setup/file_list_box.h"

#include "base/directory_listing.h"
#include "base/native_path.h"
#include "base/path_text.h"
#include "setup/list_box_item_delegate.h"

#include <QDir>

#include <limits>

namespace brookhum {

namespace {

constexpr int ItemHeight = 12;
constexpr int NameRole = Qt::UserRole;

} // namespace

FileListBox::FileListBox(QWidget *parent) : DragSourceListBox(parent)
{
    setItemDelegate(new ListBoxItemDelegate(ItemHeight, 0, this));
    setCtl3D(true);
}

void FileListBox::setDirectory(const QString &directory)
{
    m_directory = directory;
    clear();
    // Hidden files stay out, as they do in a file manager. A name is shown
    // as the user can read it and kept as the file system gave it.
    const QStringList paths = listPlayableFiles(directory, std::numeric_limits<int>::max()).value_or(QStringList());
    for (const QString &path : paths) {
        const QString name = fileNamePart(path);
        auto *entry = new QListWidgetItem(displayText(name), this);
        entry->setData(NameRole, name);
    }
}

QString FileListBox::itemName(int index) const
{
    const QListWidgetItem *entry = item(index);
    return entry ? entry->data(NameRole).toString() : QString();
}

QString FileListBox::directory() const
{
    return m_directory;
}

QString FileListBox::selectedFilePath() const
{
    const int index = selectedIndex();
    return index < 0 ? QString() : QDir(m_directory).filePath(itemName(index));
}

void FileListBox::setCtl3D(bool on)
{
    if (on)
        setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    else
        setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
}

bool FileListBox::ctl3D() const
{
    return frameShadow() == QFrame::Sunken;
}

void FileListBox::mouseDoubleClickEvent(QMouseEvent *event)
{
    DragSourceListBox::mouseDoubleClickEvent(event);
    Q_EMIT dblClick();
}

} // namespace brookhum
