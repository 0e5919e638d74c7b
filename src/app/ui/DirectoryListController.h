#pragma once

#include "app/DirectoryRowMarks.h"
#include "app/ui/DirectoryListModel.h"

#include <QObject>

#include <memory>
#include <optional>
#include <string>

class DirectoryContextMenu;
class DirectoryPanel;
class IClock;
class IDirectoryListHost;
class IMessageBox;
class MainWindowState;
class QMenu;
struct SubmissionOutcome;

// The directory table of the main window: builds it from the stores for the
// active profile, the category filter, the search text, the state filter and
// the sort order (the Sort box and the table's header follow each other);
// keeps the two count labels and the progress; opens a chosen directory;
// carries out the filter menu and the row commands of the context menu; and
// keeps the columns' layout in the settings.
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
    // Sets the state of a directory by name (a refused submission, a skip from
    // a tab); its row changes in place when the table shows it.
    void markDirectory(
        const std::string& directory, SendingProfile::DirectoryState state, const std::string& reason = {});
    // The first row still to do in the table's order and filter, or none.
    std::optional<int> nextRow() const;
    // Selects a row without opening it.
    void selectRow(int row);
    // The active profile's progress, for the status bar; empty without a profile.
    QString progressText() const;
    // The menu of categories to show; rebuilt only after the categories may have changed.
    QMenu* filterMenu();

    const std::string& categoryFilter() const { return m_categoryFilter; }
    void setCategoryFilter(const std::string& category);
    DirectoryListModel& model() { return m_model; }
    // The text of the selected row; empty without one.
    std::string selectedText() const;
    // The name of the selected row's directory; empty without one.
    std::string selectedDirectory() const;
    // The context menu of the selected row; null without one.
    std::unique_ptr<DirectoryContextMenu> contextMenuForSelection();

    // The row commands, on the selected row.
    void markSent();
    void markUnsent();
    void markApproved();
    void markUnapproved();
    void markBroken();
    // Skip, Needs Account, Paid Only and Back to To Do, on the selected row.
    void markState(SendingProfile::DirectoryState state);
    void setCustomColor();
    void removeCustomColor();
    void editCustomText();
    void openInExternalBrowser();
    void editDirectory();
    void deleteDirectory();
    void changeCategory(const std::string& category, bool add);

signals:
    // The progress changed: after every build and every change of a state.
    void progressChanged(const QString& text);

private:
    void openChosenDirectory();
    void applyColumnLayout();
    void keepColumnLayout();
    void sortByHeader(int column, Qt::SortOrder order);
    void showSortInHeader();
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
