#pragma once

#include "setup/drag_source_list_box.h"

namespace brookhum {

// The file list of the set-up dialog: the names of the files in one
// directory that end in .mid, .wav or .mp3 in any letter case, sorted by name.
// It has the sunken 3-D look of an input field, or a flat single-line frame.
class FileListBox : public DragSourceListBox {
    Q_OBJECT
public:
    explicit FileListBox(QWidget *parent);

    // Lists a directory; one that cannot be read lists nothing.
    void setDirectory(const QString &directory);
    QString directory() const;

    // The file name listed at `index`, exactly as the file system has it.
    QString itemName(int index) const;

    // The full path of the selected file, empty when nothing is selected.
    QString selectedFilePath() const;

    void setCtl3D(bool on);
    bool ctl3D() const;

Q_SIGNALS:
    // A double click anywhere on the list, as on the original control.
    void dblClick();

protected:
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    QString m_directory;
};

} // namespace brookhum
