#include "app/ui/DirectoryListView.h"

#include "app/ui/DirectoryListDelegate.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>

const QColor DirectoryListView::kToolTipBackground(219, 221, 147);

DirectoryListView::DirectoryListView(QWidget* parent)
    : QListView(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Every row has the same height: the view then lays out 50,000 rows at once.
    setUniformItemSizes(true);
    setItemDelegate(new DirectoryListDelegate(this));
    setMouseTracking(true);
    viewport()->setAttribute(Qt::WA_Hover);
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
    const QModelIndex index = model()->index(row, 0);
    setCurrentIndex(index);
    scrollTo(index);
}

int DirectoryListView::selectedRow() const
{
    const QModelIndexList selected =
        selectionModel() ? selectionModel()->selectedIndexes() : QModelIndexList();
    return selected.isEmpty() ? -1 : selected.front().row();
}

void DirectoryListView::mousePressEvent(QMouseEvent* event)
{
    hideRowToolTip();
    if (event->button() != Qt::RightButton) {
        QListView::mousePressEvent(event);
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
    QListView::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton)
        return;
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid() && index.row() == selectedRow())
        emit rowChosen(index.row());
}

void DirectoryListView::keyPressEvent(QKeyEvent* event)
{
    const int before = selectedRow();
    QListView::keyPressEvent(event);
    const int after = selectedRow();
    if (after >= 0 && after != before)
        emit rowChosen(after);
}

void DirectoryListView::mouseMoveEvent(QMouseEvent* event)
{
    QListView::mouseMoveEvent(event);
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index == m_hovered)
        return;
    hideRowToolTip();
    m_hovered = index;
    m_hoverPosition = event->globalPosition().toPoint();
    if (index.isValid())
        m_hoverTimer.start();
}

void DirectoryListView::leaveEvent(QEvent* event)
{
    QListView::leaveEvent(event);
    m_hovered = QPersistentModelIndex();
    hideRowToolTip();
}

bool DirectoryListView::viewportEvent(QEvent* event)
{
    // The view's own tool tip would show the same text later and elsewhere.
    if (event->type() == QEvent::ToolTip)
        return true;
    return QListView::viewportEvent(event);
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
