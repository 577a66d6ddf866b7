#include "setup/file_list_box.h"

#include "engine/directory_listing.h"
#include "setup/list_box_item_delegate.h"

#include <QDir>

namespace brookhum {

namespace {

constexpr int ItemHeight = 12;

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
    // Hidden files stay out, as they do in a file manager.
    const QStringList names = QDir(directory).entryList(QDir::Files, QDir::Name | QDir::IgnoreCase);
    for (const QString &name : names) {
        if (hasPlayableExtension(name))
            addItem(name);
    }
}

QString FileListBox::directory() const
{
    return m_directory;
}

QString FileListBox::selectedFilePath() const
{
    const int index = selectedIndex();
    return index < 0 ? QString() : QDir(m_directory).filePath(item(index)->text());
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
