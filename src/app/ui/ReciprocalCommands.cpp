#include "app/ui/ReciprocalCommands.h"

ReciprocalCommands::ReciprocalCommands(MainWindowContext context)
    : m_context(std::move(context))
{
}

void ReciprocalCommands::addReciprocalLink()
{
    showNotAvailable(m_context.messages, "Add Reciprocal Link");
}

void ReciprocalCommands::placeLinkForTab(BrowserTab&, TabSlot&)
{
    showNotAvailable(m_context.messages, "Reciprocal");
}
