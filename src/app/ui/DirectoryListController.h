#pragma once

#include "app/DirectoryRowMarks.h"
#include "app/ui/DirectoryListModel.h"

#include <QObject>

#include <memory>
#include <string>

class DirectoryContextMenu;
class DirectoryPanel;
class IClock;
class IDirectoryListHost;
class IMessageBox;
class MainWindowState;
class QMenu;
struct SubmissionOutcome;

// The directory list of the main window: builds it from the stores for the
// active profile, the category filter, the search text and the sort order;
// keeps the two count labels; opens a chosen directory; and carries out the
// filter menu and the row commands of the context menu.
class DirectoryListController : public QObject {
    Q_OBJECT

public:
    DirectoryListController(MainWindowState& state, DirectoryPanel& panel, IDirectoryListHost& host,
        IMessageBox& messages, const IClock& clock, QObject* parent = nullptr);
    ~DirectoryListController() override;

    // PopulateDirectoryList: with reload, both databases are read again first.
    void populate(bool reload);
    // Rebuilds for a newly chosen profile and keeps the row index selected.
    void populateKeepingSelection();
    // The row whose directory a tab shows ("goto"), selected without opening it.
    void selectDirectory(const std::string& name);
    // Applies a submission that a tab confirmed, and selects its row.
    void recordSubmission(const std::string& directory, const SubmissionOutcome& outcome);
    // The menu of categories to show; rebuilt only after the categories may have changed.
    QMenu* filterMenu();

    const std::string& categoryFilter() const { return m_categoryFilter; }
    void setCategoryFilter(const std::string& category);
    DirectoryListModel& model() { return m_model; }
    // The text of the selected row; empty without one.
    std::string selectedText() const;
    // The context menu of the selected row; null without one.
    std::unique_ptr<DirectoryContextMenu> contextMenuForSelection();

    // The row commands, on the selected row.
    void markSent();
    void markUnsent();
    void markApproved();
    void markUnapproved();
    void markBroken();
    void setCustomColor();
    void removeCustomColor();
    void editCustomText();
    void openInExternalBrowser();
    void editDirectory();
    void deleteDirectory();
    void changeCategory(const std::string& category, bool add);

private:
    void openChosenDirectory();
    void showFilterMenu();
    void showContextMenu(const QPoint& globalPosition);
    // Runs a mark that needs a profile on the selected row and shows the change.
    template <typename Mark> void markSelected(Mark mark);
    void showCounts();
    std::string selectedName() const;

    MainWindowState& m_state;
    DirectoryPanel& m_panel;
    IDirectoryListHost& m_host;
    IMessageBox& m_messages;
    DirectoryRowMarks m_marks;
    DirectoryListModel m_model;
    std::string m_categoryFilter;
    std::string m_searchText;
    std::unique_ptr<QMenu> m_filterMenu;
    bool m_rebuildFilterMenu = true;
};
