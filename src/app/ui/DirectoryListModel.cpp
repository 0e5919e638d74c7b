#include "app/ui/DirectoryListModel.h"

#include "app/DirectoryRowText.h"
#include "app/ui/ColorRef.h"
#include "directories/DirectoryCategories.h"
#include "directories/DirectoryStore.h"
#include "profiles/SubmissionDate.h"
#include "widgets/QtText.h"

#include <QColor>

namespace {

// The header captions, in the order of DirectoryColumn.
const char* const kColumnCaptions[kDirectoryColumnCount] = { "Name", "Rating", "Link", "PR", "Category",
    "State", "Date" };

// The columns whose first click sorts from the top value down.
bool sortsDownFirst(DirectoryColumn column)
{
    return column == DirectoryColumn::Rating || column == DirectoryColumn::PageRank
        || column == DirectoryColumn::Date;
}

// "News,Blogs,," as "News, Blogs".
std::string shownCategories(std::string_view text)
{
    std::string shown;
    forEachCategory(text, [&shown](std::string_view category) {
        if (!shown.empty())
            shown += ", ";
        shown += category;
    });
    return shown;
}

} // namespace

DirectoryListModel::DirectoryListModel(const DirectoryStore& directories, QObject* parent)
    : QAbstractTableModel(parent)
    , m_directories(directories)
{
}

int DirectoryListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_list.rows.size());
}

int DirectoryListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kDirectoryColumnCount;
}

QVariant DirectoryListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= kDirectoryColumnCount)
        return {};
    const DirectoryListRow& row = m_list.rows[static_cast<std::size_t>(index.row())];
    switch (role) {
    case Qt::DisplayRole:
        return cellText(row, static_cast<DirectoryColumn>(index.column()));
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

QVariant DirectoryListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= kDirectoryColumnCount)
        return {};
    const auto column = static_cast<DirectoryColumn>(section);
    if (role == Qt::DisplayRole)
        return columnCaption(column);
    if (role == Qt::InitialSortOrderRole)
        return sortsDownFirst(column) ? Qt::DescendingOrder : Qt::AscendingOrder;
    return {};
}

QString DirectoryListModel::columnCaption(DirectoryColumn column)
{
    return QString::fromLatin1(kColumnCaptions[static_cast<int>(column)]);
}

void DirectoryListModel::setList(DirectoryList list)
{
    beginResetModel();
    m_list = std::move(list);
    endResetModel();
}

void DirectoryListModel::rowChanged(std::size_t row)
{
    const int at = static_cast<int>(row);
    emit dataChanged(index(at, 0), index(at, kDirectoryColumnCount - 1));
}

int DirectoryListModel::findDirectory(const std::string& name) const
{
    for (std::size_t row = 0; row < m_list.rows.size(); ++row) {
        if (rowShowsDirectory(m_list.rows[row].text, name))
            return static_cast<int>(row);
    }
    return -1;
}

QVariant DirectoryListModel::cellText(const DirectoryListRow& row, DirectoryColumn column) const
{
    switch (column) {
    case DirectoryColumn::Name:
        return toQString(row.name);
    case DirectoryColumn::Rating:
        return row.rating < 0 ? QString() : QString::number(row.rating);
    case DirectoryColumn::Link:
        return toQString(row.linkType);
    case DirectoryColumn::PageRank:
        return QString::number(row.pr);
    case DirectoryColumn::Category:
        return toQString(shownCategories(m_directories.GetCategory(row.name)));
    case DirectoryColumn::State:
        // Without a profile nothing has a state.
        return m_list.forProfile
            ? toQString(std::string(SendingProfile::directoryStateCaption(row.status.state)))
            : QString();
    case DirectoryColumn::Date:
        return toQString(SendingProfile::shownDate(row.status.date));
    }
    return {};
}
