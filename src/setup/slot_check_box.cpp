#include "setup/slot_check_box.h"

#include "base/native_path.h"
#include "setup/slot_drag_mime.h"

#include <QDropEvent>
#include <QMimeData>

using namespace Qt::StringLiterals;

namespace brookhum {

SlotCheckBox::SlotCheckBox(QWidget *parent) : QCheckBox(parent)
{
    setAcceptDrops(true);
}

void SlotCheckBox::setDragHandlers(DragOverHandler dragOver, DragDropHandler dragDrop)
{
    m_dragOver = std::move(dragOver);
    m_dragDrop = std::move(dragDrop);
}

void SlotCheckBox::setCaption(const QString &path)
{
    m_caption = path;
    QString shown = displayText(path);
    setText(shown.replace(u'&', u"&&"_s));
}

QString SlotCheckBox::caption() const
{
    return m_caption;
}

bool SlotCheckBox::accepts(const QDropEvent &event) const
{
    const QMimeData *mime = event.mimeData();
    return mime && mime->hasFormat(slotDragMimeType()) && m_dragOver && m_dragOver(event.source());
}

void SlotCheckBox::dragEnterEvent(QDragEnterEvent *event)
{
    if (accepts(*event))
        event->acceptProposedAction();
    else
        event->ignore();
}

void SlotCheckBox::dragMoveEvent(QDragMoveEvent *event)
{
    if (accepts(*event))
        event->acceptProposedAction();
    else
        event->ignore();
}

void SlotCheckBox::dropEvent(QDropEvent *event)
{
    if (!accepts(*event) || !m_dragDrop) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    m_dragDrop(event->source());
}

} // namespace brookhum
