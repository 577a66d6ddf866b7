#include "setup/drag_source_list_box.h"

#include "setup/slot_drag_mime.h"

#include <QDrag>
#include <QMimeData>

namespace brookhum {

DragSourceListBox::DragSourceListBox(QWidget *parent) : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setDragEnabled(false);
    // Long names are cut off at the right edge, as in a plain list box.
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

void DragSourceListBox::setDragSource(bool on)
{
    setDragEnabled(on);
}

bool DragSourceListBox::isDragSource() const
{
    return dragEnabled();
}

int DragSourceListBox::selectedIndex() const
{
    const QList<QListWidgetItem *> selected = selectedItems();
    return selected.isEmpty() ? -1 : row(selected.first());
}

void DragSourceListBox::startDrag(Qt::DropActions)
{
    const int index = selectedIndex();
    if (index < 0)
        return;
    auto *mime = new QMimeData;
    mime->setData(slotDragMimeType(), item(index)->text().toUtf8());
    auto *drag = new QDrag(this);
    drag->setMimeData(mime);
    drag->exec(Qt::CopyAction, Qt::CopyAction);
}

} // namespace brookhum
