#pragma once

#include <QCheckBox>

#include <functional>

class QDropEvent;

namespace brookhum {

// The check box of one slot: its caption is the slot's path, and it is the
// drop target for that slot. Whether a drag may land, and what a drop does,
// is the dialog's business; the box only takes drags of the slot type.
class SlotCheckBox : public QCheckBox {
    Q_OBJECT
public:
    using DragOverHandler = std::function<bool(QObject *source)>;
    using DragDropHandler = std::function<void(QObject *source)>;

    explicit SlotCheckBox(QWidget *parent);

    void setDragHandlers(DragOverHandler dragOver, DragDropHandler dragDrop);

    // Shows a path as it is: an "&" in it is no keyboard shortcut.
    void setCaption(const QString &path);
    QString caption() const;

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    bool accepts(const QDropEvent &event) const;

    DragOverHandler m_dragOver;
    DragDropHandler m_dragDrop;
    QString m_caption;
};

} // namespace brookhum
