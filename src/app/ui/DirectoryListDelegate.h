#pragma once

#include <QStyledItemDelegate>

// Draws a cell of the directory table: its text in the row's colour (the name
// at the left, the other columns centred) on a light grey background when the
// row is selected. The view frames whole rows itself.
class DirectoryListDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    static const QColor kSelectedBackground; // RGB(225, 225, 225)
    static const QColor kFrame; // RGB(160, 160, 160)
    // Room above and below the text of a row.
    static constexpr int kRowPadding = 3;

    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(
        QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};
