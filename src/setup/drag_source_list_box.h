#pragma once

#include <QListWidget>

namespace brookhum {

// A list box of the set-up dialog that can be switched into a drag source:
// pressing the mouse button on an item and moving the pointer then starts a
// slot drag. A drop reads the list's selection at that moment, so the drag
// itself carries only the item's text, for the eye of other programs.
class DragSourceListBox : public QListWidget {
    Q_OBJECT
public:
    explicit DragSourceListBox(QWidget *parent);

    void setDragSource(bool on);
    bool isDragSource() const;

    // The row of the selected item, -1 when nothing is selected.
    int selectedIndex() const;

protected:
    void startDrag(Qt::DropActions supportedActions) override;
};

} // namespace brookhum
