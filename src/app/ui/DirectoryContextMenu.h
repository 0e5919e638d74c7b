#pragma once

#include "directories/DirectoryCategories.h"

#include <QMenu>

#include <functional>
#include <string>

// The context menu of a directory row: the marks and states, the colours and text, the
// external browser, and either the broken-directory report (directories of the
// main database) or the editing, removal and categories of a directory the user added.
class DirectoryContextMenu : public QMenu {
    Q_OBJECT

public:
    // What each entry does.
    struct Commands {
        std::function<void()> markSent;
        std::function<void()> markUnsent;
        std::function<void()> markApproved;
        std::function<void()> markUnapproved;
        std::function<void()> markBroken;
        std::function<void()> skip;
        std::function<void()> markNeedsAccount;
        std::function<void()> markPaidOnly;
        std::function<void()> markToDo;
        std::function<void()> setCustomColor;
        std::function<void()> removeCustomColor;
        std::function<void()> editCustomText;
        std::function<void()> openInExternalBrowser;
        std::function<void()> reportBroken;
        std::function<void()> editDirectory;
        std::function<void()> deleteDirectory;
        std::function<void(const std::string&)> removeCategory;
        std::function<void(const std::string&)> addCategory;
    };

    // The menu of a custom directory offers its categories: those it can leave and those it can join.
    DirectoryContextMenu(bool customDirectory, const CategoryChoices& categories, Commands commands,
        QWidget* parent = nullptr);

    // The entry with that text, searched in the sub-menus too; null when there is none.
    QAction* entry(const QString& text) const;

private:
    void addEntry(const char* text, const std::function<void()>& command);
    void addCategoryMenu(const char* title, const std::vector<std::string>& categories,
        const std::function<void(const std::string&)>& command);

    Commands m_commands;
};
