#pragma once

#include "app/ui/MainWindowContext.h"

// The "&File" menu's commands on files of the user's choice, and the start of
// the list checker on the custom database.
class FileCommands {
public:
    explicit FileCommands(MainWindowContext context);

    void exportProfiles();
    void importProfiles();
    void exportCustomDatabase();
    void importCustomDatabase();
    void exportSubmissionHistory();
    // "Check Custom Directory Database": the list checker, then the databases read again.
    void checkCustomDatabase();

private:
    MainWindowContext m_context;
};
