// vantelo-screenshot: shows one window of Vantelo on a data folder, waits until
// it has settled and saves a picture of it. `make screenshot` runs it under Xvfb
// with the sample data for the README and the user guide.
//
//   vantelo-screenshot KIND DATA_DIR OUT.png [WIDTH HEIGHT]
//
// KIND: main (the start page), submitting (a demo directory opened and filled),
// profile-wizard, directory-wizard, snapshot, list-checker.

#include "app/ui/BrowserTab.h"
#include "app/ui/BrowserTabArea.h"
#include "app/ui/CQuenlarDlg.h"
#include "app/ui/DirectoryListView.h"
#include "app/ui/DirectoryPanel.h"
#include "browser/ui/BrowserProfile.h"
#include "checker/ui/CTessalyDlg.h"
#include "common/HostConfiguration.h"
#include "common/SettingsStore.h"
#include "common/StderrMessageBox.h"
#include "common/SystemClock.h"
#include "common/SystemRandomSource.h"
#include "custom/DirectoryWizardModel.h"
#include "custom/ui/CDirectoryEditDialog.h"
#include "directories/DirectoryStore.h"
#include "filling/web/FillingWebPage.h"
#include "net/ui/QtWaitDialog.h"
#include "profiles/ProfileStore.h"
#include "profiles/ui/CProfileConfigurator.h"
#include "stats/ui/CNewSnapshotDlg.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include <clocale>
#include <cstdlib>
#include <functional>
#include <iostream>
#include <memory>
#include <unistd.h>

namespace {

constexpr int kLoadTimeoutMs = 30000;
// Time for a page or a dialog to paint after it has loaded.
constexpr int kSettleMs = 1500;
// The demo directory shown filled in the "submitting" picture.
constexpr const char* kDemoDirectory = "Demo Link Directory";
// The profile of the sample data.
constexpr const char* kSampleProfile = "My Widget Shop";

void waitFor(const std::function<bool()>& condition, int milliseconds)
{
    QDeadlineTimer deadline(milliseconds);
    while (!condition() && !deadline.hasExpired())
        QTest::qWait(50);
}

// The window's child of that object name, which the pictures cannot do without.
template <class W> W& named(const QObject& window, const char* name)
{
    W* found = window.findChild<W*>(QString::fromLatin1(name));
    if (found == nullptr) {
        std::cerr << "vantelo-screenshot: no " << name << " in the window\n";
        std::exit(1);
    }
    return *found;
}

bool savePicture(QWidget& window, const char* file)
{
    QTest::qWait(kSettleMs);
    const QPixmap picture = window.screen()->grabWindow(window.winId());
    if (picture.isNull() || !picture.save(QString::fromLocal8Bit(file))) {
        std::cerr << "vantelo-screenshot: cannot save " << file << '\n';
        return false;
    }
    return true;
}

// The seams and stores the dialogs are shown with.
struct Sample {
    explicit Sample(const DataFolder& dataFolder)
        : folder(dataFolder)
    {
        settings.LoadSettings(folder.settings());
        hosts = HostConfiguration(settings);
        directories.Load(folder.mainDatabase(), false, false);
        profiles.Open(folder.profiles());
        profiles.GetProfile(kSampleProfile, profile);
    }

    DataFolder folder;
    StderrMessageBox messages;
    SettingsStore settings { messages };
    HostConfiguration hosts;
    DirectoryStore directories { messages };
    SendingProfile::ProfileStore profiles { messages };
    SendingProfile::SiteProfile profile;
};

int mainWindow(const DataFolder& folder, const char* out, QSize size, bool openDemo)
{
    StderrMessageBox messages;
    SystemClock clock;
    SystemRandomSource random;
    // A throw-away profile: pictures leave no cookies in the sample folder.
    BrowserProfile browser({}, { nullptr, nullptr, &messages });
    CQuenlarDlg window(messages, clock, random, folder, browser);
    window.resize(size);
    window.show();
    const BrowserTabArea& tabs = named<BrowserTabArea>(window, "browserTabs");
    bool loaded = false;
    if (BrowserTab* start = tabs.tab(tabs.currentSlot()))
        QObject::connect(start, &BrowserTab::loadCompleted, [&loaded] { loaded = true; });
    waitFor([&] { return loaded && window.isLoaded(); }, kLoadTimeoutMs);
    if (openDemo) {
        DirectoryListView* list = named<DirectoryPanel>(window, "directoryPanel").list();
        const QModelIndexList rows = list->model()->match(list->model()->index(0, 0), Qt::DisplayRole,
            QString::fromLatin1(kDemoDirectory), 1, Qt::MatchStartsWith);
        if (rows.isEmpty()) {
            std::cerr << "vantelo-screenshot: no " << kDemoDirectory << " in the list\n";
            return 1;
        }
        list->scrollTo(rows.front());
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(rows.front()).center());
        bool filled = false;
        if (BrowserTab* tab = tabs.tab(tabs.currentSlot()))
            QObject::connect(tab, &BrowserTab::filled, [&filled] { filled = true; });
        waitFor([&] { return filled; }, kLoadTimeoutMs);
    }
    return savePicture(window, out) ? 0 : 1;
}

int profileWizard(const DataFolder& folder, const char* out)
{
    Sample sample(folder);
    QtWaitDialog wait;
    SendingProfile::CProfileConfigurator wizard(
        SendingProfile::ProfileWizardModel::existingProfile(sample.messages, sample.profile), sample.messages,
        wait);
    wizard.show();
    return savePicture(wizard, out) ? 0 : 1;
}

// The wizard's browser step on a demo page, where it has written its placeholders.
// The wizard takes web addresses only, so it starts on one and is then shown the
// demo page, as after browsing there.
int directoryWizard(const DataFolder& folder, const char* out, const char* demoPage)
{
    Sample sample(folder);
    CDirectoryEditDialog wizard(
        DirectoryWizardModel({}, { "Business", "Computers", "Custom" }), sample.hosts, sample.messages);
    wizard.resize(900, 640);
    wizard.show();
    named<QLineEdit>(wizard, "nameEdit").setText(QStringLiteral("Widget Web Guide"));
    named<QLineEdit>(wizard, "addressEdit")
        .setText(QStringLiteral("http://www.widgetwebguide.example/add.html"));
    named<QPushButton>(wizard, "nextButton").click();
    waitFor([&] { return wizard.step() == CDirectoryEditDialog::kBrowserStep; }, kLoadTimeoutMs);
    const QUrl demo(QString::fromLocal8Bit(demoPage));
    FillingWebPage& page = named<FillingWebPage>(wizard, "webPage");
    bool loaded = false;
    QObject::connect(&page, &QWebEnginePage::loadFinished,
        [&](bool ok) { loaded = loaded || (ok && page.url().matches(demo, QUrl::RemoveQuery)); });
    page.load(demo);
    waitFor([&] { return loaded; }, kLoadTimeoutMs);
    return savePicture(wizard, out) ? 0 : 1;
}

int snapshotDialog(const DataFolder& folder, const char* out)
{
    Sample sample(folder);
    CNewSnapshotDlg dialog(
        sample.profile, sample.profiles, sample.directories, sample.hosts, sample.messages);
    dialog.show();
    return savePicture(dialog, out) ? 0 : 1;
}

int listChecker(const DataFolder& folder, const char* out)
{
    Sample sample(folder);
    CTessalyDlg dialog(sample.hosts, sample.messages);
    dialog.resize(640, 480);
    dialog.show();
    dialog.LoadDatabase(folder.mainDatabase());
    return savePicture(dialog, out) ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 4) {
        std::cerr
            << "usage: vantelo-screenshot KIND DATA_DIR OUT.png [WIDTH HEIGHT]\n"
               "KIND: main, submitting, profile-wizard, directory-wizard PAGE_URL, snapshot, list-checker\n";
        return 2;
    }
    if (::geteuid() == 0)
        ::setenv("QTWEBENGINE_CHROMIUM_FLAGS", "--no-sandbox", 0);
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication application(argc, argv);
    std::setlocale(LC_TIME, "");
    const std::string kind = argv[1];
    const DataFolder folder(argv[2]);
    const char* out = argv[3];
    const QSize size(argc >= 6 ? std::atoi(argv[4]) : 1100, argc >= 6 ? std::atoi(argv[5]) : 700);

    if (kind == "main" || kind == "submitting")
        return mainWindow(folder, out, size, kind == "submitting");
    if (kind == "profile-wizard")
        return profileWizard(folder, out);
    if (kind == "directory-wizard" && argc >= 5)
        return directoryWizard(folder, out, argv[4]);
    if (kind == "snapshot")
        return snapshotDialog(folder, out);
    if (kind == "list-checker")
        return listChecker(folder, out);
    std::cerr << "vantelo-screenshot: unknown kind " << kind << '\n';
    return 2;
}
