#include "setup/list_box_item_delegate.h"

#include <QApplication>
#include <QPainter>

namespace brookhum {

ListBoxItemDelegate::ListBoxItemDelegate(int itemHeight, int indentStep, QObject *parent)
    : QStyledItemDelegate(parent), m_itemHeight(itemHeight), m_indentStep(indentStep)
{
}

int ListBoxItemDelegate::indentOf(const QModelIndex &index) const
{
    return index.data(LevelRole).toInt() * m_indentStep;
}

void ListBoxItemDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                                const QModelIndex &index) const
{
    QStyleOptionViewItem item = option;
    initStyleOption(&item, index);
    item.rect.setLeft(option.rect.left() + indentOf(index));
    const QWidget *widget = item.widget;
    QStyle *style = widget ? widget->style() : QApplication::style();
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
    const QRect textRect = style->subElementRect(QStyle::SE_ItemViewItemText, &item, widget).adjusted(margin, 0, -margin, 0);
    const QString text = item.text;
    item.text.clear();
    style->drawControl(QStyle::CE_ItemViewItem, &item, painter, widget);

    // The rows are lower than the line height of today's Japanese faces.
    // Centring the capitals rather than the whole line keeps ideographs and
    // capitals whole; only the tips of descenders may be cut.
    const QFontMetrics metrics(item.font);
    const int baseline = textRect.top() + (textRect.height() + metrics.capHeight()) / 2;
    QPalette::ColorGroup group = QPalette::Disabled;
    if (item.state & QStyle::State_Enabled)
        group = (item.state & QStyle::State_Active) ? QPalette::Active : QPalette::Inactive;
    const QPalette::ColorRole role = (item.state & QStyle::State_Selected) ? QPalette::HighlightedText : QPalette::Text;

    painter->save();
    painter->setClipRect(option.rect);
    painter->setFont(item.font);
    painter->setPen(item.palette.color(group, role));
    painter->drawText(QPoint(textRect.left(), baseline), metrics.elidedText(text, Qt::ElideRight, textRect.width()));
    painter->restore();
}

QSize ListBoxItemDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const QSize natural = QStyledItemDelegate::sizeHint(option, index);
    return {natural.width() + indentOf(index), m_itemHeight};
}

} // namespace brookhum
