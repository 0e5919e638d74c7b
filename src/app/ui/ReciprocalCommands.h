#pragma once

#include "app/ui/MainWindowContext.h"

#include <functional>
#include <optional>
#include <string>

class BrowserTab;
class IClipboard;
struct TabSlot;

// The reciprocal links placed through the user's script: "Add Reciprocal Link"
// with typed link code, and the tab tool bar's "Reciprocal" with the code the
// directory's page shows.
class ReciprocalCommands {
public:
    // Asks the user for a link's HTML code; nothing when cancelled.
    using CodeDialog = std::function<std::optional<std::string>(QWidget* parent)>;

    // The link code is asked by askCode, or by CAddReciprocalDlg when it is empty.
    ReciprocalCommands(MainWindowContext context, IClipboard& clipboard, CodeDialog askCode = {});

    // Asks for the link code, places it and puts the returned address on the clipboard.
    void addReciprocalLink();
    // Reads the link code of the tab's directory from its page again, shows it,
    // places it and writes its page's address into the form; the page is read
    // asynchronously, so this returns before the link is placed.
    void placeLinkForTab(BrowserTab& tab, TabSlot& slot);

private:
    void placeReadCode(BrowserTab& tab, TabSlot& slot, bool found);
    bool profilePlacesLinks() const;

    MainWindowContext m_context;
    IClipboard& m_clipboard;
    CodeDialog m_askCode;
};
