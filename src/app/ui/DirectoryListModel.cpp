#include "app/ui/DirectoryListModel.h"

#include "app/DirectoryRowText.h"
#include "app/ui/ColorRef.h"
#include "widgets/QtText.h"

#include <QColor>

DirectoryListModel::DirectoryListModel(QObject* parent)
    : QAbstractListModel(parent)
{
}

int DirectoryListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_list.rows.size());
}

QVariant DirectoryListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const DirectoryListRow& row = m_list.rows[static_cast<std::size_t>(index.row())];
    switch (role) {
    case Qt::DisplayRole:
        return toQString(row.text);
    case Qt::ForegroundRole:
        return fromColorRef(row.color);
    case Qt::ToolTipRole:
        return toQString(rowToolTip(row));
    case AddressRole:
        return toQString(row.address);
    default:
        return {};
    }
}

void DirectoryListModel::setList(DirectoryList list)
{
    beginResetModel();
    m_list = std::move(list);
    endResetModel();
}

void DirectoryListModel::rowChanged(std::size_t row)
{
    const QModelIndex changed = index(static_cast<int>(row));
    emit dataChanged(changed, changed);
}

int DirectoryListModel::findDirectory(const std::string& name) const
{
    for (std::size_t row = 0; row < m_list.rows.size(); ++row) {
        if (rowShowsDirectory(m_list.rows[row].text, name))
            return static_cast<int>(row);
    }
    return -1;
}
