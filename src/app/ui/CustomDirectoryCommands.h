#pragma once

#include "app/ui/MainWindowContext.h"

#include <functional>
#include <string>

class BrowserProfile;
class CCustomDirListManager;

// The commands on the directories the user added: the custom directory list
// manager and the editing of one directory from the list.
class CustomDirectoryCommands {
public:
    // How the manager is used once built: shown modally, or driven by a test.
    struct ManagerUse {
        std::function<void(CCustomDirListManager&)> manage;
        std::function<bool(CCustomDirListManager&, const std::string& name)> edit;
    };

    // Each part of `use` left empty shows the manager modally. The directory
    // wizard's browser uses the program's browser profile.
    CustomDirectoryCommands(MainWindowContext context, BrowserProfile& browser, ManagerUse use = {});

    // "Manage Custom Directory List": the manager on both stores, then the custom
    // database saved and the list rebuilt.
    void manageCustomDirectories();
    // "Edit Directory": the manager on one directory; true when it changed.
    bool editDirectory(const std::string& name);

private:
    MainWindowContext m_context;
    BrowserProfile& m_browser;
    ManagerUse m_use;
};
