#include "app/ui/DirectoryListDelegate.h"

#include <QPainter>

const QColor DirectoryListDelegate::kSelectedBackground(225, 225, 225);
const QColor DirectoryListDelegate::kFrame(160, 160, 160);

namespace {

// Room above and below the text of a row.
constexpr int kRowPadding = 3;

} // namespace

void DirectoryListDelegate::paint(
    QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    painter->save();
    const bool selected = option.state.testFlag(QStyle::State_Selected);
    painter->fillRect(option.rect, selected ? kSelectedBackground : option.palette.base().color());
    painter->setPen(index.data(Qt::ForegroundRole).value<QColor>());
    painter->setFont(option.font);
    const QString text = option.fontMetrics.elidedText(
        index.data(Qt::DisplayRole).toString(), Qt::ElideRight, option.rect.width() - 4);
    painter->drawText(option.rect, Qt::AlignCenter | Qt::TextSingleLine, text);
    if (option.state.testFlag(QStyle::State_HasFocus) || option.state.testFlag(QStyle::State_MouseOver)) {
        painter->setPen(kFrame);
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(option.rect.adjusted(0, 0, -1, -1));
    }
    painter->restore();
}

QSize DirectoryListDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const
{
    return QSize(option.rect.width(), option.fontMetrics.height() + 2 * kRowPadding);
}
