#pragma once

#include <QStyledItemDelegate>

namespace brookhum {

// Draws the items of a list box at one fixed height, each indented by the
// level stored in its LevelRole (none when unset).
class ListBoxItemDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    static constexpr int LevelRole = Qt::UserRole + 1;

    ListBoxItemDelegate(int itemHeight, int indentStep, QObject *parent);

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    int indentOf(const QModelIndex &index) const;

    int m_itemHeight;
    int m_indentStep;
};

} // namespace brookhum
