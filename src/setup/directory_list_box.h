#pragma once

#include "setup/drag_source_list_box.h"

namespace brookhum {

class FileListBox;

// The directory list of the set-up dialog: the current directory's ancestors
// from the root down, the current directory itself, then its subdirectories,
// each level indented. Double-click or Enter on an item opens that directory.
// The file list attached to it always shows the current directory's files.
class DirectoryListBox : public DragSourceListBox {
    Q_OBJECT
public:
    explicit DirectoryListBox(QWidget *parent);

    void setFileList(FileListBox *fileList);

    // The current directory as an absolute, clean path; "/" for the root.
    QString directory() const;
    // Opens a directory. One that does not exist or cannot be read shows
    // with no subdirectories and no files.
    void setDirectory(const QString &path);

    // The full path of the directory listed at `index`.
    QString itemPath(int index) const;

Q_SIGNALS:
    void directoryChanged(const QString &directory);

private:
    void fill();
    void addEntry(const QString &text, const QString &path, int level, bool open);

    QString m_directory;
    FileListBox *m_fileList = nullptr;
};

} // namespace brookhum
