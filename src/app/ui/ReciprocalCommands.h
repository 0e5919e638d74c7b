#pragma once

#include "app/ui/MainWindowContext.h"

class BrowserTab;
struct TabSlot;

// The reciprocal links placed through the user's script: "Add Reciprocal Link"
// with typed link code, and the tab tool bar's "Reciprocal" with the code the
// directory's page shows.
class ReciprocalCommands {
public:
    explicit ReciprocalCommands(MainWindowContext context);

    void addReciprocalLink();
    // Places the link of the tab's directory and writes its page's address into the form.
    void placeLinkForTab(BrowserTab& tab, TabSlot& slot);

private:
    MainWindowContext m_context;
};
