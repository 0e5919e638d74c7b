#include "app/ui/CQuenlarDlg.h"

#include "app/AutosaveRules.h"
#include "app/ui/BrowserCommands.h"
#include "app/ui/BrowserTab.h"
#include "app/ui/BrowserTabArea.h"
#include "app/ui/CAboutDlg.h"
#include "app/ui/CSettingsDlg.h"
#include "app/ui/DirectoryListController.h"
#include "app/ui/DirectoryPanel.h"
#include "app/ui/DirectoryRelearning.h"
#include "app/ui/MainMenus.h"
#include "app/ui/NavigationToolBar.h"
#include "app/ui/ToolBarIcons.h"
#include "app/ui/UpdateCheckStarter.h"
#include "app/ui/WindowRelay.h"
#include "browser/ui/BrowserProfile.h"
#include "common/IMessageBox.h"
#include "common/SecretStoreChoice.h"
#include "custom/DirectoryLearner.h"
#include "filling/web/EnginePageRenderer.h"
#include "net/BrokenDirectoryReport.h"
#include "net/UpdateCheck.h"
#include "net/ui/CDirectoryReportDlg.h"
#include "net/ui/CUpdateAvailableDlg.h"
#include "net/ui/QtWaitDialog.h"
#include "profiles/DirectoryStates.h"
#include "profiles/ui/CProfileConfigurator.h"
#include "profiles/ui/CProfilesConfigurator.h"
#include "stats/ListingLinks.h"
#include "stats/ListingStores.h"
#include "stats/SnapshotOpening.h"
#include "stats/TrancoList.h"
#include "stats/ui/CNewSnapshotDlg.h"
#include "stats/ui/CVerifyListingsDlg.h"
#include "widgets/QtText.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDesktopServices>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSplitter>
#include <QStatusBar>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr const char* kNoChatRoom =
    "The Vantelo chat room is on the vendor's web site, and no vendor web server is "
    "set (the key \"vendorhost\" in data/settings.xml).";
constexpr const char* kLoading = "Reading the directory database...";
// The width of the directory column until the user moves its splitter, and the least it may have.
constexpr int kDirectoryColumnWidth = 440;
constexpr int kDirectoryColumnMinimumWidth = 240;
// How long a recorded submission's confirmation stays before the next directory opens in its tab.
constexpr int kNextAfterSubmissionMs = 1500;
constexpr const char* kLearnAgainCaption = "Learn Again";
constexpr const char* kNothingToDo = "No directory in the list is left to do.";
constexpr const char* kNoSiteToVerify =
    "The active profile has no site address, so there is no listing to look for.";
// How long a short note (the zoom) stays in the status line.
constexpr int kStatusNoteMs = 3000;

} // namespace

CQuenlarDlg::CQuenlarDlg(IMessageBox& messages, const IClock& clock, IRandomSource& random, DataFolder folder,
    BrowserProfile& browser, MainWindowSeams seams, QWidget* parent)
    : QMainWindow(parent)
    , m_messages(messages)
    , m_clock(clock)
    , m_random(random)
    , m_browser(browser)
    , m_ownSecrets(seams.secrets ? nullptr : openSecretStore(folder, messages))
    , m_state(messages, std::move(folder), seams.secrets ? seams.secrets : m_ownSecrets.get())
    , m_clipboard(messages)
    , m_wait(std::make_unique<QtWaitDialog>(this))
    , m_relay(std::make_shared<WindowRelay>(this))
{
    setWindowTitle(QString::fromLatin1(kCaption));
    setWindowIcon(ToolBarIcons::application());
    setMinimumSize(600, 400);
    resize(1100, 740);

    m_state.loadSettings();
    buildWindow(std::move(seams));
    connectCommands();
    m_tabs->OpenTab(
        onlinePageAddress(OnlinePage::News, m_state.hosts()), onlinePageCaption(OnlinePage::News), true);
    // Nothing that reads or writes the stores runs before they are read.
    menuBar()->setEnabled(false);
    centralWidget()->setEnabled(false);
    m_panel->availableLabel()->setText(QString::fromLatin1(kLoading));
}

CQuenlarDlg::~CQuenlarDlg()
{
    m_relay->close();
}

void CQuenlarDlg::SaveProfilesAndSettings()
{
    if (m_loaded)
        m_state.SaveProfilesAndSettings();
}

void CQuenlarDlg::SaveCustomDirectories()
{
    if (m_loaded)
        m_state.SaveCustomDirectories();
}

void CQuenlarDlg::ApplyProfileSelection()
{
    const int index = m_profileBox->currentIndex();
    std::optional<std::string> selected;
    if (index >= 0)
        selected = toStdString(m_profileBox->itemText(index));
    const bool automatic = m_state.active().applySelection(m_state.profiles(), selected);
    // Without any profile left the rows lose their statuses too.
    if (selected || !m_state.active().has())
        m_list->populateKeepingSelection();
    enableAddReciprocalLink(automatic);
    m_tabs->LayoutControls();
}

void CQuenlarDlg::ManageProfiles()
{
    {
        SendingProfile::CProfilesConfigurator manager(m_state.profiles(), m_messages, *m_wait, this);
        manager.showAccounts(m_state.accounts(), m_clipboard);
        manager.exec();
    }
    m_state.active().reloadAfterManaging(m_state.profiles());
    fillProfileBox();
    ApplyProfileSelection();
    SaveProfilesAndSettings();
}

void CQuenlarDlg::PopulateDirectoryList(bool reload)
{
    m_list->populate(reload);
}

void CQuenlarDlg::bringToFront()
{
    if (isMinimized())
        showNormal();
    show();
    raise();
    activateWindow();
}

void CQuenlarDlg::loadData()
{
    if (m_loaded)
        return;
    m_loaded = true;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_state.loadStores();
    fillProfileBox();
    // The databases were read with the profiles (an old sv.dat needs their addresses).
    PopulateDirectoryList(false);
    const bool automatic = m_state.active().has()
        && m_state.active().profile().reciprocalMethod == SendingProfile::kReciprocalAutomatic;
    enableAddReciprocalLink(automatic);
    m_tabs->LayoutControls();
    menuBar()->setEnabled(true);
    centralWidget()->setEnabled(true);
    QApplication::restoreOverrideCursor();
    restartAutosave();
    startUpdateCheck();
}

bool CQuenlarDlg::event(QEvent* event)
{
    const bool handled = QMainWindow::event(event);
    // An update request paints the window and puts it on the screen: the reading
    // that follows no longer keeps it from appearing.
    if (event->type() == QEvent::UpdateRequest && !m_loadScheduled) {
        m_loadScheduled = true;
        emit firstPainted();
        QTimer::singleShot(0, this, &CQuenlarDlg::loadData);
    }
    return handled;
}

void CQuenlarDlg::closeEvent(QCloseEvent* event)
{
    m_autosave.stop();
    // Saving before the files were read would replace them with empty ones.
    // "Exit" has saved the profiles and settings already and leaves the custom
    // directories as they are on disk.
    if (m_loaded && !m_exiting) {
        hide();
        SaveProfilesAndSettings();
        SaveCustomDirectories();
    }
    event->accept();
}

void CQuenlarDlg::buildWindow(MainWindowSeams seams)
{
    m_menus = new MainMenus(menuBar());
    m_browserCommands = new BrowserCommands(m_menus->tools);
    m_navigation = new NavigationToolBar;
    m_profileBox = new QComboBox;
    m_profileBox->setMinimumWidth(150);
    m_profileBox->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    m_edit = new QPushButton(QStringLiteral("Edit"));
    auto* profileLabel = new QLabel(QStringLiteral("&Profile:"));
    profileLabel->setBuddy(m_profileBox);

    auto* top = new QHBoxLayout;
    top->addWidget(m_navigation);
    top->addStretch(1);
    top->addWidget(profileLabel);
    top->addWidget(m_profileBox);
    top->addWidget(m_edit);

    m_tabs =
        new BrowserTabArea(m_state, m_messages, m_random, m_clock, m_clipboard, *m_navigation, m_browser);
    m_panel = new DirectoryPanel;
    m_panel->setMinimumWidth(kDirectoryColumnMinimumWidth);
    m_list = new DirectoryListController(m_state, *m_panel, *this, m_messages, m_clock, this);
    m_splitter = new QSplitter(Qt::Horizontal);
    m_splitter->addWidget(m_tabs);
    m_splitter->addWidget(m_panel);
    m_splitter->setChildrenCollapsible(false);
    // A wider window widens the browser; the directory column keeps its width.
    m_splitter->setStretchFactor(0, 1);
    m_splitter->setStretchFactor(1, 0);
    const int panelWidth = m_state.settings().directoryPanelWidth > 0 ? m_state.settings().directoryPanelWidth
                                                                      : kDirectoryColumnWidth;
    m_splitter->setSizes({ std::max(1, width() - panelWidth), panelWidth });
    m_navigation->addListActions(m_menus->nextDirectory, m_menus->skip);
    m_progress = new QLabel;
    statusBar()->addPermanentWidget(m_progress);

    auto* central = new QWidget;
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(8, 2, 8, 8);
    layout->addLayout(top);
    layout->addWidget(m_splitter, 1);
    setCentralWidget(central);

    m_fileCommands = std::make_unique<FileCommands>(context(), seams.files, seams.programs);
    m_customCommands =
        std::make_unique<CustomDirectoryCommands>(context(), m_browser, std::move(seams.customManager));
    m_listsCommands = std::make_unique<DirectoryListsCommands>(context(), std::move(seams.directoryLists));
    m_reciprocalCommands =
        std::make_unique<ReciprocalCommands>(context(), m_clipboard, std::move(seams.askCode));

    m_navigation->setObjectName("navigationToolBar");
    m_profileBox->setObjectName("profileBox");
    m_edit->setObjectName("editProfileButton");
    m_tabs->setObjectName("browserTabs");
    m_panel->setObjectName("directoryPanel");
    m_splitter->setObjectName("directorySplitter");
    m_progress->setObjectName("progressLabel");
}

void CQuenlarDlg::connectCommands()
{
    MainMenus& menus = *m_menus;
    const auto on = [this](QAction* action, auto command) {
        connect(action, &QAction::triggered, this, command);
    };
    on(menus.saveAll, [this] { saveAll(); });
    on(menus.exportProfiles, [this] { m_fileCommands->exportProfiles(); });
    on(menus.importProfiles, [this] { m_fileCommands->importProfiles(); });
    on(menus.exportCustomDatabase, [this] { m_fileCommands->exportCustomDatabase(); });
    on(menus.importCustomDatabase, [this] { m_fileCommands->importCustomDatabase(); });
    on(menus.exportSubmissionHistory, [this] { m_fileCommands->exportSubmissionHistory(); });
    on(menus.exit, [this] { exitProgram(); });
    on(menus.configuration, [this] { showSettings(); });
    on(m_navigation->settingsAction(), [this] { showSettings(); });
    on(menus.manageProfiles, [this] { ManageProfiles(); });
    on(menus.manageCustomDirectories, [this] { m_customCommands->manageCustomDirectories(); });
    on(menus.directoryLists, [this] { m_listsCommands->manageLists(); });
    on(menus.newSnapshot, [this] { newSnapshot(); });
    on(menus.verifyListings, [this] { verifyListings(); });
    on(menus.updateDirectoryDatabase, [this] { updateDirectoryDatabase(); });
    on(menus.updateLists, [this] { m_listsCommands->updateLists(); });
    on(menus.checkCustomDatabase, [this] {
        // An autosave while the checker runs would write the old list over the checker's save.
        m_autosave.stop();
        m_fileCommands->checkCustomDatabase();
        restartAutosave();
    });
    on(menus.addReciprocalLink, [this] { m_reciprocalCommands->addReciprocalLink(); });
    on(menus.nextDirectory, [this] { openNextDirectory(); });
    on(menus.skip, [this] { skipDirectory(); });
    on(menus.onlineResources, [this] { openOnlinePage(OnlinePage::Resources); });
    on(menus.userGuide, [this] { openOnlinePage(OnlinePage::UserGuide); });
    on(m_navigation->helpAction(), [this] { openOnlinePage(OnlinePage::UserGuide); });
    on(menus.support, [this] { openOnlinePage(OnlinePage::Support); });
    on(menus.updates, [this] { openOnlinePage(OnlinePage::Updates); });
    on(menus.chatRoom, [this] { openChatRoom(); });
    on(menus.about, [this] { showAbout(); });
    on(menus.nextTab, [this] { m_tabs->nextTab(); });
    on(menus.closeTab, [this] { m_tabs->CloseCurrentTab(); });
    on(menus.previousTab, [this] { m_tabs->previousTab(); });
    on(menus.focusAddress, [this] { m_tabs->focusAddress(); });
    on(m_browserCommands->find, [this] { m_tabs->findInPage(); });
    on(m_browserCommands->zoomIn, [this] { m_tabs->zoomCurrentTab(BrowserTab::Zoom::In); });
    on(m_browserCommands->zoomOut, [this] { m_tabs->zoomCurrentTab(BrowserTab::Zoom::Out); });
    on(m_browserCommands->zoomReset, [this] { m_tabs->zoomCurrentTab(BrowserTab::Zoom::Reset); });
    on(m_browserCommands->forgetSiteCookies, [this] { m_tabs->forgetCurrentSiteCookies(); });

    connect(m_profileBox, &QComboBox::currentIndexChanged, this, [this] { ApplyProfileSelection(); });
    connect(m_edit, &QPushButton::clicked, this, [this] { editActiveProfile(); });
    connect(m_tabs, &BrowserTabArea::submissionConfirmed, this, &CQuenlarDlg::applySubmission);
    connect(m_tabs, &BrowserTabArea::submissionRefused, this, [this](int slot, const std::string& reason) {
        const std::string directory = m_tabs->tabSlots()[slot].fill.directoryName;
        if (!directory.empty())
            m_list->markDirectory(directory, SendingProfile::DirectoryState::Failed, reason);
    });
    connect(m_list, &DirectoryListController::progressChanged, m_progress, &QLabel::setText);
    connect(m_splitter, &QSplitter::splitterMoved, this,
        [this] { m_state.settings().directoryPanelWidth = m_splitter->sizes().value(1); });
    connect(m_tabs, &BrowserTabArea::fillStatusChanged, this, [this](const QString& status) {
        if (status.isEmpty())
            statusBar()->clearMessage();
        else
            statusBar()->showMessage(status);
    });
    connect(m_tabs, &BrowserTabArea::statusNote, this,
        [this](const QString& note) { statusBar()->showMessage(note, kStatusNoteMs); });
    connect(&m_browser, &BrowserProfile::downloadStatus, this,
        [this](const QString& status) { statusBar()->showMessage(status); });
    connect(m_tabs, &BrowserTabArea::gotoRequested, this,
        [this](const std::string& directory) { m_list->selectDirectory(directory); });
    connect(m_tabs, &BrowserTabArea::reciprocalRequested, this, &CQuenlarDlg::placeReciprocalLink);
    connect(&m_autosave, &QTimer::timeout, this, [this] { autosave(); });
}

void CQuenlarDlg::fillProfileBox()
{
    const QSignalBlocker blocker(m_profileBox);
    m_profileBox->clear();
    std::vector<std::string> names;
    m_state.profiles().GetProfileNames(names);
    QStringList sorted;
    for (const std::string& name : names)
        sorted.append(toQString(name));
    // The drop-down lists the names in alphabetical order, whatever their order in the file.
    std::ranges::sort(sorted,
        [](const QString& a, const QString& b) { return QString::compare(a, b, Qt::CaseInsensitive) < 0; });
    m_profileBox->addItems(sorted);
    const std::optional<std::string> active = m_state.active().name();
    m_profileBox->setCurrentIndex(active ? m_profileBox->findText(toQString(*active)) : -1);
}

void CQuenlarDlg::enableAddReciprocalLink(bool automatic)
{
    m_menus->addReciprocalLink->setEnabled(automatic);
}

void CQuenlarDlg::restartAutosave()
{
    m_autosave.stop();
    if (m_state.settings().autosave)
        m_autosave.start(autosavePeriodMilliseconds(m_state.settings().autosaveMinutes));
}

void CQuenlarDlg::autosave()
{
    SaveProfilesAndSettings();
    SaveCustomDirectories();
    restartAutosave();
}

void CQuenlarDlg::saveAll()
{
    SaveProfilesAndSettings();
    SaveCustomDirectories();
}

void CQuenlarDlg::exitProgram()
{
    SaveProfilesAndSettings();
    m_exiting = true;
    close();
}

void CQuenlarDlg::showSettings()
{
    CSettingsDlg dialog(
        m_state.settings(), m_state.hosts().services(), m_messages,
        [this](const BrowsingData& what) { m_browser.clearBrowsingData(what); }, this);
    dialog.offerDirectoryLists([this] { m_listsCommands->manageLists(); });
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_state.settings() = dialog.settings();
    m_state.setServices(dialog.services());
    restartAutosave();
}

void CQuenlarDlg::editActiveProfile()
{
    if (const std::optional<std::string> name = m_state.active().name()) {
        // The copy of the active profile follows the edit, so that the next fill uses it.
        if (SendingProfile::CProfileConfigurator::editProfile(
                m_state.profiles(), *name, m_messages, *m_wait, this))
            ApplyProfileSelection();
    } else {
        ManageProfiles();
    }
    SaveProfilesAndSettings();
}

void CQuenlarDlg::newSnapshot()
{
    if (!ensureActiveProfile(true))
        return;
    CNewSnapshotDlg dialog(m_state.active().profile(), m_state.profiles(), m_state.directories(),
        m_state.hosts(), m_messages, {}, this);
    dialog.setTrafficList(TrancoList::fileIn(m_state.folder()));
    dialog.exec();
    if (dialog.approvalIncluded())
        PopulateDirectoryList(false);
}

void CQuenlarDlg::verifyListings()
{
    if (!ensureActiveProfile(false))
        return;
    const SendingProfile::SiteProfile& profile = m_state.active().profile();
    if (SiteHost(profile.url).empty()) {
        m_messages.show(kNoSiteToVerify, kVanteloCaption, MessageIcon::Information);
        return;
    }
    std::vector<std::string> unknown;
    CVerifyListingsDlg dialog(m_state.profiles(), profile.name,
        ListingVerifier(profile.url, listingSiteTitle(m_state.profiles(), profile)),
        listingTargets(m_state.profiles(), profile.name, m_state.directories(), {}, unknown), m_clock, this);
    dialog.exec();
    if (dialog.recorded() > 0) {
        PopulateDirectoryList(false);
        SaveProfilesAndSettings();
    }
}

void CQuenlarDlg::updateDirectoryDatabase()
{
    DirectoryUpdate(m_messages, *m_wait, *this, m_state.hosts(), m_state.folder().mainDatabase())
        .UpdateDirectoryList();
}

void CQuenlarDlg::openOnlinePage(OnlinePage page)
{
    m_tabs->OpenTab(onlinePageAddress(page, m_state.hosts()), onlinePageCaption(page), true);
}

void CQuenlarDlg::openChatRoom()
{
    const std::string address = chatRoomAddress(m_state.hosts());
    if (address.empty()) {
        m_messages.show(kNoChatRoom, kVanteloCaption, MessageIcon::Information);
        return;
    }
    QDesktopServices::openUrl(QUrl(toQString(address)));
}

void CQuenlarDlg::showAbout()
{
    CAboutDlg dialog(toQString(m_state.hosts().vendorUrl("/")), this);
    dialog.exec();
}

void CQuenlarDlg::startUpdateCheck()
{
    // Without a vendor host there is no server to ask.
    if (!m_state.settings().autoUpdate || !m_state.hosts().hasConfiguredVendorHost())
        return;
    ::startUpdateCheck(m_relay, m_state.settings().directoryListVersion, m_state.hosts(),
        { [this](int version) { showDirectoryListUpdate(version); }, [this] { showProgramUpdate(); } });
}

void CQuenlarDlg::showDirectoryListUpdate(int version)
{
    DirectoryUpdate(m_messages, *m_wait, *this, m_state.hosts(), m_state.folder().mainDatabase())
        .PromptDirectoryUpdate(version);
}

void CQuenlarDlg::showProgramUpdate()
{
    CUpdateAvailableDlg dialog(toQString(m_state.hosts().vendorUrl(kCustomerLoginPath)), this);
    dialog.exec();
}

void CQuenlarDlg::applySubmission(int slot, const SubmissionOutcome& outcome)
{
    const std::string directory = m_tabs->tabSlots()[slot].fill.directoryName;
    m_list->recordSubmission(directory, outcome);
    if (directory.empty() || !opensNextAfterSubmission(m_state.settings()))
        return;
    // The confirmation shows for a moment; a tab the user moved on in meanwhile stays as it is.
    QTimer::singleShot(kNextAfterSubmissionMs, this, [this, slot, directory] {
        const TabSlot& shown = m_tabs->tabSlots()[slot];
        if (!shown.free && shown.fill.directoryName == directory)
            openNextDirectory(slot);
    });
}

void CQuenlarDlg::openNextDirectory(int freedSlot)
{
    if (!m_loaded || !ensureActiveProfile(false))
        return;
    const std::optional<int> row = m_list->nextRow();
    if (!row) {
        statusBar()->showMessage(QString::fromLatin1(kNothingToDo), kStatusNoteMs);
        return;
    }
    const DirectoryListRow& next = m_list->model().list().rows[static_cast<std::size_t>(*row)];
    const std::string name = next.name;
    const std::string address = next.address;
    m_list->selectRow(*row);
    if (selectTabShowing(address))
        return;
    const int reused = freedSlot >= 0 ? freedSlot : slotOfDoneDirectory();
    const int slot =
        reused >= 0 ? m_tabs->openInSlot(reused, address, name) : m_tabs->OpenTab(address, name, true);
    if (slot >= 0)
        m_tabs->tabSlots()[slot].fill.directoryName = name;
}

void CQuenlarDlg::skipDirectory()
{
    if (!m_loaded || !ensureActiveProfile(false))
        return;
    int slot = m_tabs->currentSlot();
    std::string directory;
    const bool inTable = m_panel->isAncestorOf(QApplication::focusWidget());
    if (!inTable && slot >= 0)
        directory = m_tabs->tabSlots()[slot].fill.directoryName;
    if (directory.empty()) {
        directory = m_list->selectedDirectory();
        slot = m_tabs->tabSlots().findAddress(m_state.directories().GetSubmitUrl(directory));
    }
    if (directory.empty())
        return;
    m_list->markDirectory(directory, SendingProfile::DirectoryState::Skipped);
    openNextDirectory(slot);
}

int CQuenlarDlg::slotOfDoneDirectory()
{
    const int slot = m_tabs->currentSlot();
    const std::optional<std::string> profile = m_state.active().name();
    if (slot < 0 || !profile)
        return -1;
    const std::string& directory = m_tabs->tabSlots()[slot].fill.directoryName;
    if (directory.empty())
        return -1;
    const SendingProfile::DirectoryStatus status = SendingProfile::DirectoryStates::read(
        m_state.profiles(), *profile, directory, m_state.directories().GetSubmitUrl(directory));
    return status.state == SendingProfile::DirectoryState::New ? -1 : slot;
}

void CQuenlarDlg::placeReciprocalLink(int slot)
{
    if (BrowserTab* tab = m_tabs->tab(slot))
        m_reciprocalCommands->placeLinkForTab(*tab, m_tabs->tabSlots()[slot]);
}

MainWindowContext CQuenlarDlg::context()
{
    return { m_state, m_messages, *m_wait, this, [this](bool reload) { PopulateDirectoryList(reload); },
        [this] {
            m_state.active().reloadAfterManaging(m_state.profiles());
            fillProfileBox();
            ApplyProfileSelection();
        } };
}

bool CQuenlarDlg::ensureActiveProfile(bool forSnapshot)
{
    if (forSnapshot)
        return ensureSnapshotProfile(
            m_messages, [this] { return m_state.active().has(); }, [this] { ManageProfiles(); });
    while (!m_state.active().has()) {
        if (m_messages.ask(
                kCreateProfileQuestion, kVanteloCaption, MessageButtons::YesNo, MessageIcon::Warning)
            != MessageAnswer::Yes)
            return false;
        ManageProfiles();
    }
    return true;
}

void CQuenlarDlg::openDirectory(const std::string& name, const std::string& address)
{
    if (selectTabShowing(address))
        return;
    const int slot = m_tabs->OpenTab(address, name, true);
    if (slot >= 0)
        m_tabs->tabSlots()[slot].fill.directoryName = name;
}

PickSlots CQuenlarDlg::picksOfTabShowing(const std::string& address) const
{
    const int slot = m_tabs->tabSlots().findAddress(address);
    return slot < 0 ? PickSlots {} : m_tabs->tabSlots()[slot].fill.picks;
}

bool CQuenlarDlg::selectTabShowing(const std::string& address)
{
    const int slot = m_tabs->tabSlots().findAddress(address);
    if (slot < 0)
        return false;
    m_tabs->selectSlot(slot);
    m_tabs->LayoutControls();
    return true;
}

void CQuenlarDlg::reportBrokenDirectory(const std::string& rowText)
{
    BrokenDirectoryReport(m_messages, *m_wait, m_state.hosts()).SendBrokenReport(rowText, [this] {
        return CDirectoryReportDlg::ask(this);
    });
}

bool CQuenlarDlg::editDirectory(const std::string& name)
{
    return m_customCommands->editDirectory(name);
}

void CQuenlarDlg::saveCustomDirectories()
{
    SaveCustomDirectories();
}

void CQuenlarDlg::openPage(const std::string& address)
{
    m_tabs->OpenTab(address, {}, true);
}

void CQuenlarDlg::learnDirectoryAgain(const std::string& name)
{
    if (!m_relearning) {
        m_relearning = new DirectoryRelearning(
            &EnginePageRenderer::of(m_browser),
            [this](const std::string& learned, const DirectoryLesson& lesson) {
                applyLessonAgain(learned, lesson);
            },
            this);
    }
    if (!m_relearning->start(name, m_state.directories().GetSubmitUrl(name)))
        m_messages.show("A directory is being learned already; try again when it is done.",
            kLearnAgainCaption, MessageIcon::Information);
    else
        statusBar()->showMessage(toQString("Learning " + name + " again..."));
}

void CQuenlarDlg::applyLessonAgain(const std::string& name, const DirectoryLesson& lesson)
{
    statusBar()->clearMessage();
    const std::optional<std::string> profile = m_state.active().name();
    std::optional<SendingProfile::DirectoryStatus> status = lessonStatus(lesson);
    if (lesson.outcome == DirectoryLesson::Outcome::Learned) {
        std::vector<DirectoryItem> items;
        for (const LearnedItem& learned : lesson.items)
            items.push_back(learned.item);
        for (DirectoryStore* store : { &m_state.directories(), &m_state.customDirectories() }) {
            store->SetSubmitUrl(name, lesson.submitUrl);
            store->SetItems(name, items);
        }
        SaveCustomDirectories();
        // Learned: the directory is to do again.
        status = SendingProfile::DirectoryStatus {};
    }
    if (profile && status) {
        SendingProfile::DirectoryStates(m_state.profiles(), m_clock)
            .set(*profile, name, m_state.directories().GetSubmitUrl(name), status->state, status->reason,
                status->address);
        m_state.SaveProfilesAndSettings();
    }
    PopulateDirectoryList(false);
    const std::string text = lesson.outcome == DirectoryLesson::Outcome::Learned
        ? "Learned the submission page of " + name + ": " + lesson.submitUrl
        : name + ": " + lesson.reason;
    m_messages.show(text, kLearnAgainCaption, MessageIcon::Information);
}

int CQuenlarDlg::installedVersion() const
{
    return m_state.settings().directoryListVersion;
}

void CQuenlarDlg::setInstalledVersion(int version)
{
    m_state.settings().directoryListVersion = version;
}

void CQuenlarDlg::reloadDirectories()
{
    PopulateDirectoryList(true);
}
