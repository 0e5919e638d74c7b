#pragma once

#include "app/FileMenuCommands.h"
#include "app/ui/MainWindowContext.h"
#include "net/ui/QtProgramRunner.h"
#include "widgets/QtFileDialog.h"

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

    // Tests answer the file dialogs and start the list checker themselves.
    void setFileDialog(IFileDialog& files) { m_files = &files; }
    void setProgramRunner(IProgramRunner& programs) { m_programs = &programs; }

private:
    FileMenuCommands commands();

    MainWindowContext m_context;
    QtFileDialog m_systemFiles;
    QtProgramRunner m_systemPrograms;
    IFileDialog* m_files;
    IProgramRunner* m_programs;
};
