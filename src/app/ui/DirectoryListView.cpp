#include "app/ui/DirectoryListView.h"

#include "app/DirectoryList.h"
#include "app/ui/DirectoryListDelegate.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>

const QColor DirectoryListView::kToolTipBackground(219, 221, 147);

DirectoryListView::DirectoryListView(QWidget* parent)
    : QTableView(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setShowGrid(false);
    setWordWrap(false);
    // Tab leaves the table, as it leaves the other controls; the arrows move within it.
    setTabKeyNavigation(false);
    setItemDelegate(new DirectoryListDelegate(this));
    setMouseTracking(true);
    viewport()->setAttribute(Qt::WA_Hover);
    // Every row has the same height: the view then lays out 50,000 rows at once.
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 2 * DirectoryListDelegate::kRowPadding);
    QHeaderView* header = horizontalHeader();
    header->setSectionsMovable(true);
    header->setSectionsClickable(true);
    header->setSortIndicatorShown(true);
    header->setHighlightSections(false);
    header->setStretchLastSection(true);
    header->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(header, &QHeaderView::customContextMenuRequested, this,
        [this](const QPoint& at) { columnMenu()->popup(horizontalHeader()->mapToGlobal(at)); });
    m_hoverTimer.setSingleShot(true);
    m_hoverTimer.setInterval(kHoverMilliseconds);
    connect(&m_hoverTimer, &QTimer::timeout, this, &DirectoryListView::showRowToolTip);
}

void DirectoryListView::selectRow(int row)
{
    if (row < 0 || !model() || row >= model()->rowCount()) {
        clearSelection();
        return;
    }
    // The name, which is never hidden.
    const QModelIndex index = model()->index(row, static_cast<int>(DirectoryColumn::Name));
    setCurrentIndex(index);
    scrollTo(index);
}

int DirectoryListView::selectedRow() const
{
    const QModelIndexList selected = selectionModel() ? selectionModel()->selectedRows() : QModelIndexList();
    return selected.isEmpty() ? -1 : selected.front().row();
}

QMenu* DirectoryListView::columnMenu()
{
    if (!m_columnMenu)
        m_columnMenu = new QMenu(this);
    m_columnMenu->clear();
    if (!model())
        return m_columnMenu;
    QHeaderView* header = horizontalHeader();
    for (int column = 0; column < model()->columnCount(); ++column) {
        QAction* action = m_columnMenu->addAction(model()->headerData(column, Qt::Horizontal).toString());
        action->setCheckable(true);
        action->setChecked(!header->isSectionHidden(column));
        // The name says which directory a row is.
        action->setEnabled(column != static_cast<int>(DirectoryColumn::Name));
        connect(action, &QAction::toggled, this, [this, column](bool shown) {
            horizontalHeader()->setSectionHidden(column, !shown);
            emit columnsChanged();
        });
    }
    return m_columnMenu;
}

void DirectoryListView::mousePressEvent(QMouseEvent* event)
{
    hideRowToolTip();
    if (event->button() != Qt::RightButton) {
        QTableView::mousePressEvent(event);
        return;
    }
    const QModelIndex index = indexAt(event->position().toPoint());
    if (!index.isValid())
        return;
    selectRow(index.row());
    emit contextMenuRequested(event->globalPosition().toPoint());
}

void DirectoryListView::mouseReleaseEvent(QMouseEvent* event)
{
    QTableView::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton)
        return;
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid() && index.row() == selectedRow())
        emit rowChosen(index.row());
}

void DirectoryListView::keyPressEvent(QKeyEvent* event)
{
    const int before = selectedRow();
    QTableView::keyPressEvent(event);
    const int after = selectedRow();
    if (after >= 0 && after != before)
        emit rowChosen(after);
}

void DirectoryListView::mouseMoveEvent(QMouseEvent* event)
{
    QTableView::mouseMoveEvent(event);
    const QModelIndex at = indexAt(event->position().toPoint());
    // The tool tip and the frame belong to the row, whichever of its cells the mouse is over.
    const QModelIndex index = at.isValid() ? at.siblingAtColumn(0) : QModelIndex();
    if (index == m_hovered)
        return;
    hideRowToolTip();
    m_hovered = index;
    m_hoverPosition = event->globalPosition().toPoint();
    viewport()->update();
    if (index.isValid())
        m_hoverTimer.start();
}

void DirectoryListView::leaveEvent(QEvent* event)
{
    QTableView::leaveEvent(event);
    m_hovered = QPersistentModelIndex();
    viewport()->update();
    hideRowToolTip();
}

bool DirectoryListView::viewportEvent(QEvent* event)
{
    // The view's own tool tip would show the same text later and elsewhere.
    if (event->type() == QEvent::ToolTip)
        return true;
    return QTableView::viewportEvent(event);
}

void DirectoryListView::paintEvent(QPaintEvent* event)
{
    QTableView::paintEvent(event);
    QPainter painter(viewport());
    painter.setPen(DirectoryListDelegate::kFrame);
    painter.setBrush(Qt::NoBrush);
    if (hasFocus() && currentIndex().isValid())
        frameRow(painter, currentIndex().row());
    if (m_hovered.isValid())
        frameRow(painter, m_hovered.row());
}

void DirectoryListView::frameRow(QPainter& painter, int row) const
{
    const QRect rect(0, rowViewportPosition(row), viewport()->width(), rowHeight(row));
    painter.drawRect(rect.adjusted(0, 0, -1, -1));
}

void DirectoryListView::showRowToolTip()
{
    if (!m_hovered.isValid())
        return;
    const QString text = m_hovered.data(Qt::ToolTipRole).toString();
    if (text.isEmpty())
        return;
    auto* tip = new QLabel(text, this, Qt::ToolTip);
    tip->setObjectName("rowToolTip");
    tip->setAttribute(Qt::WA_DeleteOnClose);
    tip->setTextFormat(Qt::PlainText);
    tip->setMargin(4);
    tip->setAutoFillBackground(true);
    QPalette palette = tip->palette();
    palette.setColor(QPalette::Window, kToolTipBackground);
    palette.setColor(QPalette::WindowText, Qt::black);
    tip->setPalette(palette);
    tip->setFrameShape(QFrame::Box);
    tip->adjustSize();
    tip->move(m_hoverPosition + QPoint(2, 16));
    tip->show();
    m_tip = tip;
}

void DirectoryListView::hideRowToolTip()
{
    m_hoverTimer.stop();
    if (m_tip)
        m_tip->close();
}
