#pragma once

#include <functional>

class IMessageBox;
class IWaitDialog;
class MainWindowState;
class QWidget;

// What the main window's command groups work with: its stores and settings, the
// messages, the please-wait dialog, the window as the parent of their dialogs,
// and the refreshes of what the window shows after they changed the stores.
struct MainWindowContext {
    MainWindowState& state;
    IMessageBox& messages;
    IWaitDialog& wait;
    QWidget* window;
    // PopulateDirectoryList: with reload, both databases are read again first.
    std::function<void(bool reload)> populateDirectoryList;
    // The profile drop-down and the active profile, after profiles changed in the store.
    std::function<void()> refreshProfiles;
};
