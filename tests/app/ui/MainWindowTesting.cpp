#include "MainWindowTesting.h"

#include "app/ui/BrowserTabArea.h"
#include "app/ui/DirectoryListController.h"
#include "app/ui/DirectoryListView.h"
#include "app/ui/DirectoryPanel.h"
#include "directories/Scrambling.h"
#include "support/NamedChild.h"

#include <QTabBar>
#include <QTest>

#include <gtest/gtest.h>

MainWindowFixture::MainWindowFixture()
{
    seams.secrets = &secrets;
    writeSettings();
}

void MainWindowFixture::writeSettings(std::string_view extraElements, const std::string& pageRankHost)
{
    const std::string host =
        pageRankHost.empty() ? "127.0.0.1:" + std::to_string(refusedPort()) : pageRankHost;
    folder.write("data/settings.xml",
        "<?xml version=\"1.0\"?><settings><autoupdate>false</autoupdate>"
        "<pagerankhost>"
            + host + "</pagerankhost>" + std::string(extraElements) + "</settings>");
}

void MainWindowFixture::writeDatabase(std::string_view directoryElements)
{
    folder.write("dirdata.xml",
        scrambleDatabase("<?xml version=\"1.0\"?>\r\n<rf>" + std::string(directoryElements) + "</rf>"));
}

void MainWindowFixture::writeCustomDatabase(std::string_view directoryElements)
{
    folder.write("customdirdata.xml",
        "<?xml version=\"1.0\"?>\n<customdirs>" + std::string(directoryElements) + "</customdirs>\n");
}

void MainWindowFixture::writeProfiles(std::string_view profileElements, std::string_view active)
{
    folder.write("sv.xml",
        "<?xml version=\"1.0\"?>\n<profiles><activeProfile>" + std::string(active) + "</activeProfile>"
            + std::string(profileElements) + "</profiles>\n");
}

CQuenlarDlg& MainWindowFixture::start()
{
    if (!browser)
        browser = std::make_unique<BrowserProfile>(DataFolder(folder.path()).browser(),
            BrowserProfile::Seams { &browserDialogs, &downloadDialog, &messages });
    window =
        std::make_unique<CQuenlarDlg>(messages, clock, random, DataFolder(folder.path()), *browser, seams);
    window->show();
    // Window shortcuts (the tab keys) answer only in the active window.
    window->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
    EXPECT_TRUE(waitUntil([this] { return window->isLoaded(); }));
    return *window;
}

namespace {

constexpr int kProfileCloseMs = 1000;

} // namespace

CQuenlarDlg& MainWindowFixture::restart()
{
    window->close();
    window.reset();
    browser.reset();
    // The browser writes its cookies on a thread of its own as the profile goes: a profile
    // made on the folder sooner could read it before they are there, which a new run of the
    // program never does.
    QTest::qWait(kProfileCloseMs);
    return start();
}

void MainWindowFixture::clickRow(int row)
{
    DirectoryListView* list = child<DirectoryPanel>(*window, "directoryPanel")->list();
    const QModelIndex index = list->model()->index(row, 0);
    list->scrollTo(index);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(index).center());
}

std::vector<std::string> MainWindowFixture::rowTexts() const
{
    std::vector<std::string> texts;
    for (const DirectoryListRow& row : window->directoryList().model().list().rows)
        texts.push_back(row.text);
    return texts;
}

int MainWindowFixture::tabCount() const
{
    return child<QTabBar>(*window, "tabBar")->count();
}

std::string directoryElement(const std::string& name, int pr, const std::string& url,
    const std::string& extraAttributes, const std::string& items)
{
    return "<directory name=\"" + name + "\" pr=\"" + std::to_string(pr) + "\" submiturl=\"" + url + "\" "
        + extraAttributes + ">" + items + "</directory>";
}

std::string profileElement(const std::string& name, const std::string& extraElements)
{
    return "<profile><name>" + name + "</name>" + extraElements
        + "<url>http://www.mysite.example/</url><email>me@mysite.example</email><fname>Jo</fname><lname>Doe</"
          "lname>"
          "<username>jo</username><password>pw</password><address>1 Main St</address><city>Springfield</city>"
          "<zip>12345</zip><province>IL</province></profile>";
}

void whenPopup(std::function<void(QMenu&)> action)
{
    QTimer::singleShot(0, [action] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu) {
            ADD_FAILURE() << "no menu is open";
            return;
        }
        action(*menu);
        menu->close();
    });
}
