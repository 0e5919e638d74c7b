#pragma once

#include "app/ui/MainWindowContext.h"

#include <string>

// The commands on the directories the user added: the custom directory list
// manager and the editing of one directory from the list.
class CustomDirectoryCommands {
public:
    explicit CustomDirectoryCommands(MainWindowContext context);

    // "Manage Custom Directory List": the manager on both stores, then the custom
    // database saved and the list rebuilt.
    void manageCustomDirectories();
    // "Edit Directory": the manager on one directory; true when it changed.
    bool editDirectory(const std::string& name);

private:
    MainWindowContext m_context;
};
