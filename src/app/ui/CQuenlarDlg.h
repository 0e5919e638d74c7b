#pragma once

#include "app/MainWindowState.h"
#include "app/OnlinePages.h"
#include "app/ui/CustomDirectoryCommands.h"
#include "app/ui/DirectoryListsCommands.h"
#include "app/ui/FileCommands.h"
#include "app/ui/IDirectoryListHost.h"
#include "app/ui/ReciprocalCommands.h"
#include "net/DirectoryUpdate.h"
#include "widgets/QtClipboard.h"

#include <QMainWindow>
#include <QTimer>

#include <memory>
#include <string>

class BrowserCommands;
class BrowserProfile;
class DirectoryRelearning;
struct DirectoryLesson;
class BrowserTabArea;
class DirectoryListController;
class DirectoryPanel;
class IClock;
class IFileDialog;
class IMessageBox;
class IProgramRunner;
class IRandomSource;
class ISecretStore;
class IWaitDialog;
class MainMenus;
class NavigationToolBar;
class QComboBox;
class QLabel;
class QPushButton;
class QSplitter;
class WindowRelay;
struct SubmissionOutcome;

// What the main window's commands show and start besides the window itself.
// Each left empty is the real one; tests answer them without modal loops.
struct MainWindowSeams {
    // The open and save dialogs of the file commands; the system's when null.
    IFileDialog* files = nullptr;
    // Starts the list checker and waits for it; a real process when null.
    IProgramRunner* programs = nullptr;
    // Asks for the code of a reciprocal link; CAddReciprocalDlg when empty.
    ReciprocalCommands::CodeDialog askCode;
    // How the custom directory list manager is used; modally where empty.
    CustomDirectoryCommands::ManagerUse customManager;
    // How the directory list dialogs are used; modally where empty.
    DirectoryListsCommands::DialogUse directoryLists;
    // Where the passwords and API keys are kept; the desktop keyring, else data/secrets, when null.
    ISecretStore* secrets = nullptr;
};

// The main window: the browser tabs on the left, the profile choice and the
// directory list on the right, the menus and tool bars. It owns the stores for
// the program's whole life, saves them on Save All, on the autosave timer and
// when it closes, and carries out the commands of its menus.
class CQuenlarDlg : public QMainWindow, private IDirectoryListHost, private DirectoryUpdate::IDirectoryList {
    Q_OBJECT

public:
    static constexpr const char* kCaption = "Vantelo v4.0";
    static constexpr const char* kCreateProfileQuestion =
        "Before submitting your site you must create a site profile. Would you like to do that now?";

    // Reads the settings and opens the start page. The directory databases and
    // the profiles are read once the window first shows, so that it shows at
    // once whatever their size; until then its commands wait. The update check
    // starts after that reading. The browser profile outlives the window.
    CQuenlarDlg(IMessageBox& messages, const IClock& clock, IRandomSource& random, DataFolder folder,
        BrowserProfile& browser, MainWindowSeams seams = {}, QWidget* parent = nullptr);
    ~CQuenlarDlg() override;

    // Writes sv.xml and data/settings.xml.
    void SaveProfilesAndSettings();
    // Writes customdirdata.xml.
    void SaveCustomDirectories();
    // Makes the profile chosen in the drop-down the active one.
    void ApplyProfileSelection();
    // The profile manager, then the drop-down and the active profile anew.
    void ManageProfiles();
    // Rebuilds the directory list; with reload the databases are read again first.
    void PopulateDirectoryList(bool reload);
    // Brings the window to the front (a second start of the program asks for it).
    void bringToFront();
    // Whether the directory databases and the profiles have been read.
    bool isLoaded() const { return m_loaded; }
    // Reads them now, if that has not happened yet.
    void loadData();

    MainWindowState& state() { return m_state; }
    MainMenus& menus() const { return *m_menus; }
    BrowserCommands& browserCommands() const { return *m_browserCommands; }
    DirectoryListController& directoryList() const { return *m_list; }
    ReciprocalCommands& reciprocalCommands() const { return *m_reciprocalCommands; }
    DirectoryListsCommands& directoryListsCommands() const { return *m_listsCommands; }
    const QTimer& autosaveTimer() const { return m_autosave; }

signals:
    // The window has been painted for the first time; the reading starts now.
    void firstPainted();

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildWindow(MainWindowSeams seams);
    void connectCommands();
    void fillProfileBox();
    void enableAddReciprocalLink(bool automatic);
    void restartAutosave();
    void autosave();
    void saveAll();
    void exitProgram();
    void showSettings();
    void editActiveProfile();
    void newSnapshot();
    void verifyListings();
    void updateDirectoryDatabase();
    void openOnlinePage(OnlinePage page);
    void openChatRoom();
    void showAbout();
    void startUpdateCheck();
    void showDirectoryListUpdate(int version);
    void showProgramUpdate();
    void applySubmission(int slot, const SubmissionOutcome& outcome);
    // "Next Directory": the first directory to do in the table's order and
    // filter, in the tab of the slot given (one whose directory is done), else
    // in the current tab when its directory is done, else as a chosen row opens.
    void openNextDirectory(int freedSlot = -1);
    // "Skip": the directory of the selected row when the table has the focus,
    // else the current tab's, is skipped; the next one opens in its tab.
    void skipDirectory();
    // The current tab, when it shows a directory that is no longer to do; else -1.
    int slotOfDoneDirectory();
    void placeReciprocalLink(int slot);
    MainWindowContext context();

    // The directory list's questions.
    bool ensureActiveProfile(bool forSnapshot) override;
    void openDirectory(const std::string& name, const std::string& address) override;
    PickSlots picksOfTabShowing(const std::string& address) const override;
    bool selectTabShowing(const std::string& address) override;
    void reportBrokenDirectory(const std::string& rowText) override;
    bool editDirectory(const std::string& name) override;
    void saveCustomDirectories() override;
    void openPage(const std::string& address) override;
    void learnDirectoryAgain(const std::string& name) override;
    void applyLessonAgain(const std::string& name, const DirectoryLesson& lesson);

    // The directory database update's view of the window.
    int installedVersion() const override;
    void setInstalledVersion(int version) override;
    void reloadDirectories() override;

    IMessageBox& m_messages;
    const IClock& m_clock;
    IRandomSource& m_random;
    BrowserProfile& m_browser;
    std::unique_ptr<ISecretStore> m_ownSecrets;
    MainWindowState m_state;
    DirectoryRelearning* m_relearning = nullptr;
    QtClipboard m_clipboard;
    std::unique_ptr<IWaitDialog> m_wait;
    std::shared_ptr<WindowRelay> m_relay;
    MainMenus* m_menus = nullptr;
    BrowserCommands* m_browserCommands = nullptr;
    NavigationToolBar* m_navigation = nullptr;
    QComboBox* m_profileBox = nullptr;
    QPushButton* m_edit = nullptr;
    DirectoryPanel* m_panel = nullptr;
    QSplitter* m_splitter = nullptr;
    QLabel* m_progress = nullptr;
    BrowserTabArea* m_tabs = nullptr;
    DirectoryListController* m_list = nullptr;
    std::unique_ptr<FileCommands> m_fileCommands;
    std::unique_ptr<CustomDirectoryCommands> m_customCommands;
    std::unique_ptr<DirectoryListsCommands> m_listsCommands;
    std::unique_ptr<ReciprocalCommands> m_reciprocalCommands;
    QTimer m_autosave;
    bool m_loadScheduled = false;
    bool m_loaded = false;
    bool m_exiting = false;
};
