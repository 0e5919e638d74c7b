#pragma once

#include "GuiTestSupport.h"
#include "app/ui/CQuenlarDlg.h"
#include "browser/ui/BrowserProfile.h"
#include "common/IRandomSource.h"
#include "net/LoopbackServer.h"
#include "support/BrowserTestDoubles.h"
#include "support/FixedClock.h"
#include "support/MemorySecretStore.h"
#include "support/RecordingMessageBox.h"
#include "support/TempFolder.h"

#include <QApplication>
#include <QMenu>
#include <QTimer>

#include <memory>
#include <string>
#include <string_view>

// Always draws the first alternative.
class FirstPick : public IRandomSource {
public:
    std::size_t pick(std::size_t) override { return 0; }
};

// A data folder for a main window under test, and the window's seams. The
// settings keep the window off the network: no update check, and PageRank
// questions go to a loopback port where nothing listens.
struct MainWindowFixture {
    TempFolder folder;
    RecordingMessageBox messages;
    FixedClock clock { 1'600'000'000 };
    FirstPick random;
    // Where the window keeps passwords and API keys, for its whole life (restarts included).
    MemorySecretStore secrets;
    // The dialogs and programs of the window's commands; set them before start().
    MainWindowSeams seams;
    // The browser's script and sign-in dialogs and the save dialog of its downloads.
    ScriptedBrowserDialogs browserDialogs;
    ScriptedFileDialog downloadDialog;
    // The browser profile on the folder's data/browser, made by start(); it outlives the window.
    std::unique_ptr<BrowserProfile> browser;
    std::unique_ptr<CQuenlarDlg> window;

    MainWindowFixture();

    // Writes data/settings.xml with the quiet keys and these extra elements;
    // PageRank is asked of the host when one is given.
    void writeSettings(std::string_view extraElements = {}, const std::string& pageRankHost = {});
    // Writes dirdata.xml, scrambled, with these `directory` elements.
    void writeDatabase(std::string_view directoryElements);
    void writeCustomDatabase(std::string_view directoryElements);
    // Writes sv.xml with these profile elements and the active profile's name.
    void writeProfiles(std::string_view profileElements, std::string_view active);

    // Opens the window on the folder and shows it.
    CQuenlarDlg& start();
    // Closes the window and its browser profile as the program's end does, then starts both again.
    CQuenlarDlg& restart();
    // Clicks the list's row like a user.
    void clickRow(int row);
    // The row texts of the directory list.
    std::vector<std::string> rowTexts() const;
    int tabCount() const;
};

// A `directory` element with a submit URL of its own.
std::string directoryElement(const std::string& name, int pr, const std::string& url,
    const std::string& extraAttributes = {}, const std::string& items = {});

// A complete `profile` element; the extra elements add to or come before the contact data.
std::string profileElement(const std::string& name, const std::string& extraElements = {});

// Closes the next pop-up menu as soon as it shows, after giving it to the action.
void whenPopup(std::function<void(QMenu&)> action);
