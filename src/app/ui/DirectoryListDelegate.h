#pragma once

#include <QStyledItemDelegate>

// Draws a row of the directory list: its text centred in its colour, a light
// grey background when selected, and a grey frame around the row with the focus
// and around the row under the mouse.
class DirectoryListDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    static const QColor kSelectedBackground; // RGB(225, 225, 225)
    static const QColor kFrame; // RGB(160, 160, 160)

    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(
        QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};
