#include "app/ui/FileCommands.h"

FileCommands::FileCommands(MainWindowContext context)
    : m_context(std::move(context))
{
}

void FileCommands::exportProfiles()
{
    showNotAvailable(m_context.messages, "Export Profiles");
}

void FileCommands::importProfiles()
{
    showNotAvailable(m_context.messages, "Import Profiles");
}

void FileCommands::exportCustomDatabase()
{
    showNotAvailable(m_context.messages, "Export Custom Directory Database");
}

void FileCommands::importCustomDatabase()
{
    showNotAvailable(m_context.messages, "Import Custom Directory Database");
}

void FileCommands::exportSubmissionHistory()
{
    showNotAvailable(m_context.messages, "Export Submission History");
}

void FileCommands::checkCustomDatabase()
{
    showNotAvailable(m_context.messages, "Check Custom Directory Database");
}
