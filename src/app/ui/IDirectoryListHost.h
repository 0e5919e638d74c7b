#pragma once

#include "filling/PickSlots.h"

#include <string>

// What the directory list asks of the main window: the first-profile question,
// the browser tabs, the broken-directory report and the custom directory editor.
class IDirectoryListHost {
public:
    virtual ~IDirectoryListHost() = default;

    // Asks for a profile to be created until one is active; false when the user declines.
    virtual bool ensureActiveProfile(bool forSnapshot) = 0;
    // Shows the directory's submission page: selects the tab that shows it, or opens one.
    virtual void openDirectory(const std::string& name, const std::string& address) = 0;
    // The picks of the tab that was asked to show the address; empty without one.
    virtual PickSlots picksOfTabShowing(const std::string& address) const = 0;
    // Selects the tab that shows the address; false when no tab does.
    virtual bool selectTabShowing(const std::string& address) = 0;
    // Reports the directory of a row, by its text, to the vendor.
    virtual void reportBrokenDirectory(const std::string& rowText) = 0;
    // Edits a directory the user added; true when it changed.
    virtual bool editDirectory(const std::string& name) = 0;
    // Writes customdirdata.xml.
    virtual void saveCustomDirectories() = 0;
    // Opens a page in a new tab that fills nothing (a directory's sign-in page).
    virtual void openPage(const std::string& address) = 0;
    // Learns the directory's submission page and form again, with the browser's session.
    virtual void learnDirectoryAgain(const std::string& name) = 0;
};
