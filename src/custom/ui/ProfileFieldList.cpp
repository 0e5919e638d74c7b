#include "custom/ui/ProfileFieldList.h"

#include "custom/ProfileFieldTokens.h"

#include <QMimeData>

ProfileFieldList::ProfileFieldList(QWidget* parent)
    : QListWidget(parent)
{
    for (const ProfileFieldToken& field : profileFieldTokens()) {
        auto* entry = new QListWidgetItem(QString::fromUtf8(field.displayName), this);
        entry->setData(kTokenRole, QString::fromUtf8(field.token));
        entry->setToolTip(QString::fromUtf8(field.token));
    }
    setSelectionMode(QAbstractItemView::SingleSelection);
    setDragEnabled(true);
    setDragDropMode(QAbstractItemView::DragOnly);
    setDefaultDropAction(Qt::CopyAction);
}

QStringList ProfileFieldList::mimeTypes() const
{
    return { QStringLiteral("text/plain") };
}

QMimeData* ProfileFieldList::mimeData(const QList<QListWidgetItem*>& items) const
{
    if (items.isEmpty())
        return nullptr;
    auto* dragged = new QMimeData;
    dragged->setText(items.constFirst()->data(kTokenRole).toString());
    return dragged;
}
