#include "app/ui/DirectoryListDelegate.h"

#include "app/DirectoryList.h"

#include <QPainter>

const QColor DirectoryListDelegate::kSelectedBackground(225, 225, 225);
const QColor DirectoryListDelegate::kFrame(160, 160, 160);

namespace {

// Room beside the text of a cell.
constexpr int kCellPadding = 4;

} // namespace

void DirectoryListDelegate::paint(
    QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    painter->save();
    const bool selected = option.state.testFlag(QStyle::State_Selected);
    painter->fillRect(option.rect, selected ? kSelectedBackground : option.palette.base().color());
    painter->setPen(index.data(Qt::ForegroundRole).value<QColor>());
    painter->setFont(option.font);
    const QRect textRect = option.rect.adjusted(kCellPadding, 0, -kCellPadding, 0);
    const QString text = option.fontMetrics.elidedText(
        index.data(Qt::DisplayRole).toString(), Qt::ElideRight, textRect.width());
    const Qt::Alignment horizontal =
        index.column() == static_cast<int>(DirectoryColumn::Name) ? Qt::AlignLeft : Qt::AlignHCenter;
    painter->drawText(textRect, horizontal | Qt::AlignVCenter | Qt::TextSingleLine, text);
    painter->restore();
}

QSize DirectoryListDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const int width = option.fontMetrics.horizontalAdvance(index.data(Qt::DisplayRole).toString());
    return QSize(width + 2 * kCellPadding, option.fontMetrics.height() + 2 * kRowPadding);
}
