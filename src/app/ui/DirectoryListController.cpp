#include "app/ui/DirectoryListController.h"

#include "app/DirectoryColumnLayout.h"
#include "app/DirectoryRowText.h"
#include "app/DirectoryStateFilter.h"
#include "app/MainWindowState.h"
#include "app/ui/ColorRef.h"
#include "app/ui/DirectoryContextMenu.h"
#include "app/ui/DirectoryListView.h"
#include "app/ui/DirectoryPanel.h"
#include "app/ui/IDirectoryListHost.h"
#include "common/IMessageBox.h"
#include "directories/DirectoryCategories.h"
#include "filling/PageFiller.h"
#include "profiles/ui/CAddRotateText.h"
#include "widgets/QtText.h"

#include <QColorDialog>
#include <QComboBox>
#include <QDesktopServices>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalBlocker>
#include <QUrl>

namespace {

constexpr const char* kCustomTextCaption = "Add directory custom text";
constexpr const char* kCloseTabFirst =
    "Please close the tab where you loaded this directory before continuing to prevent data loss";

} // namespace

DirectoryListController::DirectoryListController(MainWindowState& state, DirectoryPanel& panel,
    IDirectoryListHost& host, IMessageBox& messages, const IClock& clock, QObject* parent)
    : QObject(parent)
    , m_state(state)
    , m_panel(panel)
    , m_host(host)
    , m_messages(messages)
    , m_marks(state.directories(), state.profiles(), clock)
    , m_model(state.directories())
{
    DirectoryListView* list = m_panel.list();
    list->setModel(&m_model);
    applyColumnLayout();
    showSortInHeader();
    connect(list, &DirectoryListView::rowChosen, this, &DirectoryListController::openChosenDirectory);
    connect(list, &DirectoryListView::contextMenuRequested, this, &DirectoryListController::showContextMenu);
    connect(list, &DirectoryListView::columnsChanged, this, &DirectoryListController::keepColumnLayout);
    QHeaderView* header = list->horizontalHeader();
    connect(header, &QHeaderView::sectionMoved, this, &DirectoryListController::keepColumnLayout);
    connect(header, &QHeaderView::sectionResized, this, &DirectoryListController::keepColumnLayout);
    connect(header, &QHeaderView::sortIndicatorChanged, this, &DirectoryListController::sortByHeader);
    connect(m_panel.sortBox(), &QComboBox::currentIndexChanged, this, [this] {
        showSortInHeader();
        populate(false);
    });
    connect(m_panel.stateFilter(), &QComboBox::currentIndexChanged, this, [this] { populate(false); });
    connect(m_panel.searchEdit(), &QLineEdit::textChanged, this, [this](const QString& text) {
        m_searchText = limitSearchText(toStdString(text));
        populate(false);
    });
    connect(m_panel.filterButton(), &QPushButton::clicked, this, &DirectoryListController::showFilterMenu);
}

DirectoryListController::~DirectoryListController() = default;

void DirectoryListController::populate(bool reload)
{
    if (reload) {
        m_state.reloadDirectories();
        m_rebuildFilterMenu = true;
    }
    DirectoryListQuery query;
    query.profile = m_state.active().name();
    query.categoryFilter = m_categoryFilter;
    query.searchText = m_searchText;
    query.sort = static_cast<DirectorySort>(std::max(0, m_panel.sortBox()->currentIndex()));
    const std::span<const StateFilter> filters = stateFilters();
    const int filter = m_panel.stateFilter()->currentIndex();
    if (filter > 0 && filter < static_cast<int>(filters.size()) && filters[filter].state)
        query.states = { *filters[filter].state };
    m_model.setList(buildDirectoryList(m_state.directories(), m_state.profiles(), query));
    showCounts();
}

void DirectoryListController::populateKeepingSelection()
{
    const int row = m_panel.list()->selectedRow();
    populate(false);
    m_panel.list()->selectRow(row);
}

void DirectoryListController::selectDirectory(const std::string& name)
{
    const int row = m_model.findDirectory(name);
    if (row >= 0)
        m_panel.list()->selectRow(row);
}

void DirectoryListController::recordSubmission(const std::string& directory, const SubmissionOutcome& outcome)
{
    const std::optional<std::string> profile = m_state.active().name();
    if (!profile)
        return;
    const std::optional<std::size_t> row =
        m_marks.recordSubmission(m_model.list(), *profile, directory, outcome);
    showCounts();
    if (!row)
        return;
    m_model.rowChanged(*row);
    m_panel.list()->selectRow(static_cast<int>(*row));
}

void DirectoryListController::markDirectory(
    const std::string& directory, SendingProfile::DirectoryState state, const std::string& reason)
{
    const std::optional<std::string> profile = m_state.active().name();
    if (!profile)
        return;
    const std::optional<std::size_t> row =
        m_marks.markDirectory(m_model.list(), *profile, directory, state, reason);
    if (row)
        m_model.rowChanged(*row);
    showCounts();
}

std::optional<int> DirectoryListController::nextRow() const
{
    const std::optional<std::size_t> row = nextDirectoryRow(m_model.list());
    return row ? std::optional(static_cast<int>(*row)) : std::nullopt;
}

void DirectoryListController::selectRow(int row)
{
    m_panel.list()->selectRow(row);
}

QString DirectoryListController::progressText() const
{
    return toQString(progressLabel(m_model.list()));
}

QMenu* DirectoryListController::filterMenu()
{
    if (m_rebuildFilterMenu || !m_filterMenu) {
        m_rebuildFilterMenu = false;
        m_filterMenu = std::make_unique<QMenu>();
        const auto addEntry = [this](const QString& text, const std::string& category) {
            QAction* action =
                m_filterMenu->addAction(QString(text).replace(QLatin1Char('&'), QStringLiteral("&&")));
            action->setCheckable(true);
            action->setData(toQString(category));
            connect(action, &QAction::triggered, this, [this, category] { setCategoryFilter(category); });
        };
        addEntry(QStringLiteral("Show All"), {});
        m_filterMenu->addSeparator();
        for (const std::string& category : m_model.list().categories)
            addEntry(toQString(category), category);
    }
    for (QAction* action : m_filterMenu->actions())
        action->setChecked(
            !action->isSeparator() && toStdString(action->data().toString()) == m_categoryFilter);
    return m_filterMenu.get();
}

void DirectoryListController::setCategoryFilter(const std::string& category)
{
    if (category == m_categoryFilter)
        return;
    m_categoryFilter = category;
    populate(false);
}

std::string DirectoryListController::selectedText() const
{
    const int row = m_panel.list()->selectedRow();
    if (row < 0 || static_cast<std::size_t>(row) >= m_model.list().rows.size())
        return {};
    return m_model.list().rows[static_cast<std::size_t>(row)].text;
}

std::string DirectoryListController::selectedDirectory() const
{
    const int row = m_panel.list()->selectedRow();
    if (row < 0 || static_cast<std::size_t>(row) >= m_model.list().rows.size())
        return {};
    return m_model.list().rows[static_cast<std::size_t>(row)].name;
}

std::string DirectoryListController::selectedName() const
{
    return rowDirectoryName(selectedText());
}

std::unique_ptr<DirectoryContextMenu> DirectoryListController::contextMenuForSelection()
{
    if (m_panel.list()->selectedRow() < 0)
        return nullptr;
    const std::string category = m_state.directories().GetCategory(selectedName());
    DirectoryContextMenu::Commands commands {
        [this] { markSent(); },
        [this] { markUnsent(); },
        [this] { markApproved(); },
        [this] { markUnapproved(); },
        [this] { markBroken(); },
        [this] { markState(SendingProfile::DirectoryState::Skipped); },
        [this] { markState(SendingProfile::DirectoryState::NeedsAccount); },
        [this] { markState(SendingProfile::DirectoryState::PaidOnly); },
        [this] { markState(SendingProfile::DirectoryState::New); },
        [this] { setCustomColor(); },
        [this] { removeCustomColor(); },
        [this] { editCustomText(); },
        [this] { openInExternalBrowser(); },
        [this] { m_host.reportBrokenDirectory(selectedText()); },
        [this] { editDirectory(); },
        [this] { deleteDirectory(); },
        [this](const std::string& name) { changeCategory(name, false); },
        [this](const std::string& name) { changeCategory(name, true); },
    };
    return std::make_unique<DirectoryContextMenu>(isCustomDirectory(category),
        categoryChoices(category, m_model.list().categories), std::move(commands));
}

void DirectoryListController::markSent()
{
    markSelected([this](DirectoryList& list, std::size_t row, const std::string& profile) {
        const PickSlots picks = m_host.picksOfTabShowing(list.rows[row].address);
        m_marks.markSent(list, row, profile, picks);
    });
}

void DirectoryListController::markUnsent()
{
    markSelected([this](DirectoryList& list, std::size_t row, const std::string& profile) {
        m_marks.markUnsent(list, row, profile);
    });
}

void DirectoryListController::markApproved()
{
    markSelected([this](DirectoryList& list, std::size_t row, const std::string& profile) {
        m_marks.markApproved(list, row, profile);
    });
}

void DirectoryListController::markUnapproved()
{
    markSelected([this](DirectoryList& list, std::size_t row, const std::string& profile) {
        m_marks.markUnapproved(list, row, profile);
    });
}

void DirectoryListController::markBroken()
{
    markSelected([this](DirectoryList& list, std::size_t row, const std::string& profile) {
        m_marks.markBroken(list, row, profile);
    });
}

void DirectoryListController::markState(SendingProfile::DirectoryState state)
{
    markSelected([this, state](DirectoryList& list, std::size_t row, const std::string& profile) {
        m_marks.markState(list, row, profile, state);
    });
}

void DirectoryListController::setCustomColor()
{
    const int row = m_panel.list()->selectedRow();
    if (row < 0)
        return;
    const QColor initial = fromColorRef(m_model.list().rows[static_cast<std::size_t>(row)].color);
    // The dialog keeps its sixteen custom colours for as long as the program runs.
    const QColor chosen = QColorDialog::getColor(initial, nullptr);
    if (!chosen.isValid())
        return;
    m_marks.setCustomColor(m_model.list(), static_cast<std::size_t>(row), toColorRef(chosen));
    m_model.rowChanged(static_cast<std::size_t>(row));
}

void DirectoryListController::removeCustomColor()
{
    const int row = m_panel.list()->selectedRow();
    if (row < 0)
        return;
    m_marks.removeCustomColor(m_model.list(), static_cast<std::size_t>(row), m_state.active().name());
    m_model.rowChanged(static_cast<std::size_t>(row));
}

void DirectoryListController::editCustomText()
{
    const int row = m_panel.list()->selectedRow();
    if (row < 0)
        return;
    std::string text;
    m_state.profiles().GetCustomText(selectedName(), text);
    const std::optional<std::string> edited = SendingProfile::CAddRotateText::edit(
        m_messages, m_panel.window(), QString::fromLatin1(kCustomTextCaption), text);
    if (!edited)
        return;
    m_marks.setCustomText(m_model.list(), static_cast<std::size_t>(row), *edited);
    m_model.rowChanged(static_cast<std::size_t>(row));
}

void DirectoryListController::openInExternalBrowser()
{
    const std::string address = m_state.directories().GetSubmitUrl(selectedName());
    if (!address.empty())
        QDesktopServices::openUrl(QUrl::fromUserInput(toQString(address)));
}

void DirectoryListController::editDirectory()
{
    const std::string name = selectedName();
    if (name.empty() || !m_host.editDirectory(name))
        return;
    DirectoryList& list = m_model.list();
    for (std::string& category : splitCategories(m_state.directories().GetCategory(name)))
        list.categories.insert(std::move(category));
    m_rebuildFilterMenu = true;
    m_host.saveCustomDirectories();
    populate(false);
}

void DirectoryListController::deleteDirectory()
{
    if (m_panel.list()->selectedRow() < 0)
        return;
    const std::string name = selectedName();
    if (m_host.selectTabShowing(m_state.directories().GetSubmitUrl(name))) {
        m_messages.show(kCloseTabFirst, kVanteloCaption, MessageIcon::Warning);
        return;
    }
    m_state.customDirectories().RemoveDirectory(name);
    m_state.directories().RemoveDirectory(name);
    populate(false);
}

void DirectoryListController::changeCategory(const std::string& category, bool add)
{
    const std::string name = selectedName();
    if (name.empty())
        return;
    const std::vector<std::string> split = splitCategories(m_state.directories().GetCategory(name));
    CategorySet categories(split.begin(), split.end());
    bool reload = false;
    if (add) {
        categories.insert(category);
    } else {
        categories.erase(category);
        reload = category == m_categoryFilter;
    }
    const std::string text = joinCategories(categories);
    m_state.customDirectories().SetCategory(name, text);
    m_state.directories().SetCategory(name, text);
    m_host.saveCustomDirectories();
    if (reload)
        populate(true);
}

void DirectoryListController::openChosenDirectory()
{
    if (!m_host.ensureActiveProfile(false))
        return;
    const std::string name = selectedName();
    if (m_panel.list()->selectedRow() < 0)
        return;
    m_host.openDirectory(name, m_state.directories().GetSubmitUrl(name));
}

void DirectoryListController::showFilterMenu()
{
    filterMenu()->exec(QCursor::pos());
}

void DirectoryListController::showContextMenu(const QPoint& globalPosition)
{
    const std::unique_ptr<DirectoryContextMenu> menu = contextMenuForSelection();
    if (!menu)
        return;
    // Right-aligned at the mouse, as the list has always shown it.
    menu->exec(globalPosition - QPoint(menu->sizeHint().width(), 0));
}

template <typename Mark> void DirectoryListController::markSelected(Mark mark)
{
    const int row = m_panel.list()->selectedRow();
    const std::optional<std::string> profile = m_state.active().name();
    if (row < 0 || !profile)
        return;
    mark(m_model.list(), static_cast<std::size_t>(row), *profile);
    m_model.rowChanged(static_cast<std::size_t>(row));
    showCounts();
}

void DirectoryListController::showCounts()
{
    const DirectoryList& list = m_model.list();
    m_panel.sentLabel()->setText(toQString(sentCountLabel(list.sentCount)));
    m_panel.availableLabel()->setText(
        toQString(availableLabel(static_cast<int>(list.rows.size()), list.total)));
    emit progressChanged(progressText());
}

void DirectoryListController::applyColumnLayout()
{
    const DirectoryColumnLayout layout = DirectoryColumnLayout::parse(m_state.settings().directoryColumns);
    QHeaderView* header = m_panel.list()->horizontalHeader();
    const QSignalBlocker blocker(header);
    for (std::size_t place = 0; place < layout.columns.size(); ++place) {
        const DirectoryColumnLayout::Column& column = layout.columns[place];
        const int logical = static_cast<int>(column.column);
        header->moveSection(header->visualIndex(logical), static_cast<int>(place));
        header->resizeSection(logical, column.width);
        header->setSectionHidden(logical, column.hidden);
    }
}

void DirectoryListController::keepColumnLayout()
{
    const QHeaderView* header = m_panel.list()->horizontalHeader();
    const DirectoryColumnLayout before = DirectoryColumnLayout::parse(m_state.settings().directoryColumns);
    DirectoryColumnLayout layout;
    for (int place = 0; place < header->count(); ++place) {
        const auto column = static_cast<DirectoryColumn>(header->logicalIndex(place));
        const bool hidden = header->isSectionHidden(static_cast<int>(column));
        // A hidden section has no width; it keeps the one it had.
        int width = header->sectionSize(static_cast<int>(column));
        for (const DirectoryColumnLayout::Column& known : before.columns) {
            if (hidden && known.column == column)
                width = known.width;
        }
        layout.columns.push_back({ column, width, hidden });
    }
    m_state.settings().directoryColumns = layout.text();
}

void DirectoryListController::sortByHeader(int column, Qt::SortOrder order)
{
    if (column < 0 || column >= kDirectoryColumnCount)
        return;
    const DirectorySort sort = sortOf(static_cast<DirectoryColumn>(column), order == Qt::DescendingOrder);
    // The Sort box follows, and its change rebuilds the list.
    m_panel.sortBox()->setCurrentIndex(static_cast<int>(sort));
}

void DirectoryListController::showSortInHeader()
{
    const auto sort = static_cast<DirectorySort>(std::max(0, m_panel.sortBox()->currentIndex()));
    QHeaderView* header = m_panel.list()->horizontalHeader();
    const QSignalBlocker blocker(header);
    header->setSortIndicator(
        static_cast<int>(sortColumn(sort)), sortsDescending(sort) ? Qt::DescendingOrder : Qt::AscendingOrder);
}
