#pragma once

#include "app/ui/MainWindowContext.h"

#include <functional>
#include <string>

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

    explicit CustomDirectoryCommands(MainWindowContext context);

    // "Manage Custom Directory List": the manager on both stores, then the custom
    // database saved and the list rebuilt.
    void manageCustomDirectories();
    // "Edit Directory": the manager on one directory; true when it changed.
    bool editDirectory(const std::string& name);

    // Replaces how the manager is shown (tests drive it without a modal loop).
    void setManagerUse(ManagerUse use) { m_use = std::move(use); }

private:
    MainWindowContext m_context;
    ManagerUse m_use;
};
