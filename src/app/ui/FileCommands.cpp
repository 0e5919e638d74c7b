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
    commands().exportProfiles();
}

void FileCommands::importProfiles()
{
    commands().importProfiles();
}

void FileCommands::exportCustomDatabase()
{
    commands().exportCustomDatabase();
}

void FileCommands::importCustomDatabase()
{
    commands().importCustomDatabase();
}

void FileCommands::exportSubmissionHistory()
{
    commands().exportSubmissionHistory();
}

void FileCommands::checkCustomDatabase()
{
    commands().checkCustomDatabase();
}

FileMenuCommands FileCommands::commands()
{
    return FileMenuCommands(m_context.state, m_context.messages, *m_files, *m_programs,
        { m_context.populateDirectoryList, m_context.refreshProfiles }, programFolder());
}
