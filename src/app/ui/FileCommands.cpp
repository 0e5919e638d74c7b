#include "app/ui/FileCommands.h"

#include "common/DataFolder.h"

FileCommands::FileCommands(MainWindowContext context, IFileDialog* files, IProgramRunner* programs)
    : m_context(std::move(context))
    , m_systemFiles(m_context.window)
    , m_systemPrograms(m_context.window)
    , m_files(files ? files : &m_systemFiles)
    , m_programs(programs ? programs : &m_systemPrograms)
{
}

void FileCommands::exportProfiles()
{
    commands().ExportProfiles();
}

void FileCommands::importProfiles()
{
    commands().ImportProfiles();
}

void FileCommands::exportCustomDatabase()
{
    commands().ExportCustomDatabase();
}

void FileCommands::importCustomDatabase()
{
    commands().ImportCustomDatabase();
}

void FileCommands::exportSubmissionHistory()
{
    commands().ExportSubmissionHistory();
}

void FileCommands::checkCustomDatabase()
{
    commands().CheckCustomDatabase();
}

FileMenuCommands FileCommands::commands()
{
    return FileMenuCommands(m_context.state, m_context.messages, *m_files, *m_programs,
        { m_context.populateDirectoryList, m_context.refreshProfiles }, programFolder());
}
