#pragma once

#include "app/ui/MainWindowContext.h"

#include <functional>

class CDirectoryListsDlg;
class CUpdateListsDlg;

// The commands on the directory lists the user follows: "Directory Lists"
// (Settings) and "Update Lists" (Tools, beside the database update).
class DirectoryListsCommands {
public:
    static constexpr const char* kNoListsQuestion =
        "You follow no directory list yet. Would you like to add one now?";
    static constexpr const char* kUpdatedText = "Directory lists updated:\n";

    // How the dialogs are used once built: run modally, or driven by a test.
    struct DialogUse {
        std::function<void(CDirectoryListsDlg&)> manage;
        std::function<int(CUpdateListsDlg&)> fetch;
    };

    explicit DirectoryListsCommands(MainWindowContext context, DialogUse use = {});

    // "Directory Lists": the followed lists, added, removed and updated.
    void manageLists();
    // "Update Lists": every followed list fetched while a dialog counts them,
    // then taken into the stores, customdirdata.xml and data/lists.xml saved,
    // the directory list rebuilt and the counts of each list shown.
    void updateLists();

private:
    MainWindowContext m_context;
    DialogUse m_use;
};
