#pragma once

#include "app/FileMenuCommands.h"
#include "app/ui/MainWindowContext.h"
#include "app/ui/QtFileDialog.h"
#include "app/ui/QtProgramRunner.h"

// The "&File" menu's commands on files of the user's choice, and the start of
// the list checker on the custom database.
class FileCommands {
public:
    // The file dialogs and the list checker go through files and programs, or
    // through the system's dialogs and a real process start where they are null.
    explicit FileCommands(
        MainWindowContext context, IFileDialog* files = nullptr, IProgramRunner* programs = nullptr);

    void exportProfiles();
    void importProfiles();
    void exportCustomDatabase();
    void importCustomDatabase();
    void exportSubmissionHistory();
    // "Check Custom Directory Database": the list checker, then the databases read again.
    void checkCustomDatabase();

private:
    FileMenuCommands commands();

    MainWindowContext m_context;
    QtFileDialog m_systemFiles;
    QtProgramRunner m_systemPrograms;
    IFileDialog* m_files;
    IProgramRunner* m_programs;
};
