#include "app/ui/DirectoryPanel.h"

#include "app/DirectoryList.h"
#include "app/DirectoryStateFilter.h"
#include "app/ui/DirectoryListView.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The entries of the sort drop-down, in the order of DirectorySort.
const char* const kSortOrders[kDirectorySortCount] = { "PR Ascending", "PR Descending", "Alpha Ascending",
    "Alpha Descending", "Status", "Status Reversed", "Rating Descending", "Rating Ascending",
    "Link Ascending", "Link Descending", "Category Ascending", "Category Descending", "Date Descending",
    "Date Ascending" };

} // namespace

DirectoryPanel::DirectoryPanel(QWidget* parent)
    : QWidget(parent)
    , m_sort(new QComboBox)
    , m_search(new QLineEdit)
    , m_states(new QComboBox)
    , m_list(new DirectoryListView)
    , m_sent(new QLabel)
    , m_available(new QLabel)
    , m_filter(new QPushButton(QStringLiteral("Filter >")))
{
    for (const char* order : kSortOrders)
        m_sort->addItem(QString::fromLatin1(order));
    m_sort->setCurrentIndex(static_cast<int>(DirectorySort::PrDescending));
    m_search->setMaxLength(static_cast<int>(kSearchTextLimit));
    m_search->setClearButtonEnabled(true);
    m_search->setPlaceholderText(QStringLiteral("name or address"));
    for (const StateFilter& filter : stateFilters())
        m_states->addItem(QString::fromLatin1(filter.caption));
    m_states->setToolTip(QStringLiteral("Show the directories in one state only"));

    auto* sortLabel = new QLabel(QStringLiteral("&Sort directory list:"));
    sortLabel->setBuddy(m_sort);
    auto* searchLabel = new QLabel(QStringLiteral("Sea&rch directory list:"));
    searchLabel->setBuddy(m_search);
    auto* choices = new QGridLayout;
    choices->addWidget(sortLabel, 0, 0);
    choices->addWidget(m_sort, 0, 1);
    choices->addWidget(searchLabel, 1, 0);
    auto* search = new QHBoxLayout;
    search->addWidget(m_search, 1);
    search->addWidget(m_states);
    choices->addLayout(search, 1, 1);
    choices->setColumnStretch(1, 1);

    auto* counts = new QVBoxLayout;
    counts->setSpacing(0);
    counts->addWidget(m_sent);
    counts->addWidget(m_available);
    auto* footer = new QHBoxLayout;
    footer->addWidget(m_filter);
    footer->addSpacing(6);
    footer->addLayout(counts, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(choices);
    layout->addWidget(m_list, 1);
    layout->addLayout(footer);
}
