#include "app/ui/CustomDirectoryCommands.h"

CustomDirectoryCommands::CustomDirectoryCommands(MainWindowContext context)
    : m_context(std::move(context))
{
}

void CustomDirectoryCommands::manageCustomDirectories()
{
    showNotAvailable(m_context.messages, "Manage Custom Directory List");
}

bool CustomDirectoryCommands::editDirectory(const std::string&)
{
    showNotAvailable(m_context.messages, "Edit Directory");
    return false;
}
