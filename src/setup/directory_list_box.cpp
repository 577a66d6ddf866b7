#include "setup/directory_list_box.h"

#include "base/directory_listing.h"
#include "base/native_path.h"
#include "setup/file_list_box.h"
#include "setup/list_box_item_delegate.h"

#include <QDir>
#include <QStyle>

using namespace Qt::StringLiterals;

namespace brookhum {

namespace {

constexpr int PathRole = Qt::UserRole;
constexpr int ItemHeight = 16;
constexpr int IndentStep = 8;

QString joinChild(const QString &directory, const QString &name)
{
    return directory.endsWith(u'/') ? directory + name : directory + u'/' + name;
}

} // namespace

DirectoryListBox::DirectoryListBox(QWidget *parent) : DragSourceListBox(parent)
{
    setItemDelegate(new ListBoxItemDelegate(ItemHeight, IndentStep, this));
    setIconSize(QSize(14, 14));
    connect(this, &QListWidget::itemActivated, this,
            [this](QListWidgetItem *item) { setDirectory(item->data(PathRole).toString()); });
}

void DirectoryListBox::setFileList(FileListBox *fileList)
{
    m_fileList = fileList;
    if (m_fileList && !m_directory.isEmpty())
        m_fileList->setDirectory(m_directory);
}

QString DirectoryListBox::directory() const
{
    return m_directory;
}

void DirectoryListBox::setDirectory(const QString &path)
{
    m_directory = QDir::cleanPath(QDir(path).absolutePath());
    fill();
    if (m_fileList)
        m_fileList->setDirectory(m_directory);
    Q_EMIT directoryChanged(m_directory);
}

QString DirectoryListBox::itemPath(int index) const
{
    const QListWidgetItem *entry = item(index);
    return entry ? entry->data(PathRole).toString() : QString();
}

void DirectoryListBox::fill()
{
    clear();
    addEntry(u"/"_s, u"/"_s, 0, m_directory == u"/"_s);
    QString path = u"/"_s;
    const QStringList parts = m_directory.split(u'/', Qt::SkipEmptyParts);
    for (int level = 1; level <= parts.size(); ++level) {
        path = joinChild(path, parts[level - 1]);
        addEntry(parts[level - 1], path, level, level == parts.size());
    }
    // The current directory is selected, as it is the one the list is about.
    setCurrentRow(static_cast<int>(parts.size()));

    // A directory that cannot be read lists nothing.
    const QStringList children = listSubdirectoryNames(m_directory);
    for (const QString &child : children)
        addEntry(child, joinChild(m_directory, child), static_cast<int>(parts.size()) + 1, false);
}

void DirectoryListBox::addEntry(const QString &text, const QString &path, int level, bool open)
{
    auto *entry = new QListWidgetItem(displayText(text), this);
    entry->setData(PathRole, path);
    entry->setData(ListBoxItemDelegate::LevelRole, level);
    entry->setIcon(style()->standardIcon(open ? QStyle::SP_DirOpenIcon : QStyle::SP_DirClosedIcon));
}

} // namespace brookhum
