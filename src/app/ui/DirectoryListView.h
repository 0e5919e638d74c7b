#pragma once

#include <QLabel>
#include <QPointer>
#include <QTableView>
#include <QTimer>

// The directory table's view: whole rows are selected, one at a time. Tells
// apart the user's own choice of a row (a click or a key), which opens the
// directory, from a selection made by the program; a right click selects the
// row under the mouse and asks for the context menu without opening anything.
// Resting the mouse on a row for half a second shows the row's tool tip. The
// row with the focus and the row under the mouse are framed. The header's own
// context menu hides and shows columns (the name always stays).
class DirectoryListView : public QTableView {
    Q_OBJECT

public:
    // How long the mouse rests on a row before its tool tip shows.
    static constexpr int kHoverMilliseconds = 500;
    static const QColor kToolTipBackground; // RGB(219, 221, 147)

    explicit DirectoryListView(QWidget* parent = nullptr);

    // Selects a row without it counting as the user's choice; -1 clears the selection.
    void selectRow(int row);
    int selectedRow() const;

    // The header's menu of columns, each checked while shown.
    QMenu* columnMenu();

signals:
    // The user chose a row with the mouse or the keyboard.
    void rowChosen(int row);
    // A right click on a row, at a point on the screen; the row is selected.
    void contextMenuRequested(const QPoint& globalPosition);
    // A column was hidden or shown from the header's menu.
    void columnsChanged();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void showRowToolTip();
    void hideRowToolTip();
    void frameRow(QPainter& painter, int row) const;

    QTimer m_hoverTimer;
    QPersistentModelIndex m_hovered;
    QPoint m_hoverPosition;
    QPointer<QLabel> m_tip;
    QPointer<QMenu> m_columnMenu;
};
