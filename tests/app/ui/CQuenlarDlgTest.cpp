#include "MainWindowTesting.h"

#include "app/ui/BrowserTabArea.h"
#include "app/ui/DirectoryContextMenu.h"
#include "app/ui/DirectoryListController.h"
#include "app/ui/DirectoryListView.h"
#include "app/ui/DirectoryPanel.h"
#include "app/ui/MainMenus.h"
#include "app/ui/NavigationToolBar.h"
#include "app/ui/TabToolBar.h"
#include "support/NamedChild.h"

#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QTabBar>
#include <QTest>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Not;

namespace {

const std::string kTwoDirectories =
    directoryElement("Alpha", 5, "about:blank#alpha", R"(category="News,Blogs")")
    + directoryElement("Beta", 3, "about:blank#beta", R"(category="Arts")");

TEST(CQuenlarDlgTest, WithoutProfilesChoosingADirectoryAsksForOneAndNoOpensNothing)
{
    MainWindowFixture fixture;
    fixture.writeDatabase(kTwoDirectories);
    CQuenlarDlg& window = fixture.start();
    EXPECT_EQ(child<QComboBox>(window, "profileBox")->count(), 0);
    EXPECT_THAT(fixture.rowTexts(), ElementsAre("Alpha[pr5]", "Beta[pr3]"));
    EXPECT_EQ(child<DirectoryPanel>(window, "directoryPanel")->sentLabel()->text(),
        QStringLiteral("Sent to 0 directories"));
    EXPECT_EQ(child<DirectoryPanel>(window, "directoryPanel")->availableLabel()->text(),
        QStringLiteral("2/2 directories available"));
    ASSERT_EQ(fixture.tabCount(), 1);
    EXPECT_EQ(child<QTabBar>(window, "tabBar")->tabText(0), QStringLiteral("Vantelo News"));

    fixture.clickRow(1);
    EXPECT_THAT(fixture.messages.messages(),
        ElementsAre(RecordedMessage { CQuenlarDlg::kCreateProfileQuestion, "Vantelo", MessageIcon::Warning,
            true, MessageButtons::YesNo }));
    EXPECT_EQ(fixture.tabCount(), 1);
    EXPECT_EQ(child<DirectoryPanel>(window, "directoryPanel")->list()->selectedRow(), 1);
}

TEST(CQuenlarDlgTest, AnSvDatThatNamesAnActiveProfileStartsWithItChosen)
{
    MainWindowFixture fixture;
    fixture.writeDatabase(kTwoDirectories);
    fixture.folder.write("sv.dat",
        "2\nSecond\n2\n"
        "First\nhttp://one.example/\n1\nT\n1\nD\nc\ns\n1\nK\ne\nf\nl\nu\np\n0\n"
        "Second\nhttp://two.example/\n1\nT\n1\nD\nc\ns\n1\nK\ne\nf\nl\nu\np\n1\nBeta\n");
    CQuenlarDlg& window = fixture.start();
    EXPECT_EQ(child<QComboBox>(window, "profileBox")->currentText(), QStringLiteral("Second"));
    EXPECT_EQ(child<QComboBox>(window, "profileBox")->count(), 2);
    EXPECT_THAT(fixture.rowTexts(), ElementsAre("Alpha[pr5] [not sent]", "Beta[pr3] [sent]"));
    EXPECT_FALSE(window.menus().addReciprocalLink->isEnabled());
    EXPECT_TRUE(fixture.messages.empty());
}

TEST(CQuenlarDlgTest, ChoosingAnotherProfileShowsTheListForItAndMakesItActive)
{
    MainWindowFixture fixture;
    fixture.writeDatabase(kTwoDirectories);
    fixture.writeProfiles(profileElement("Mine",
                              "<submittedto><friendlyname>Beta</friendlyname>"
                              "<datetime>01 May 2020</datetime></submittedto>")
            + profileElement("Auto", "<reciprocalmethod>1</reciprocalmethod>"),
        "Mine");
    CQuenlarDlg& window = fixture.start();
    QComboBox* profiles = child<QComboBox>(window, "profileBox");
    ASSERT_EQ(profiles->currentText(), QStringLiteral("Mine"));
    EXPECT_EQ(profiles->itemText(0), QStringLiteral("Auto"));
    EXPECT_THAT(fixture.rowTexts(), ElementsAre("Alpha[pr5] [not sent]", "Beta[pr3] [sent]"));
    EXPECT_FALSE(window.menus().addReciprocalLink->isEnabled());

    profiles->setCurrentIndex(0);
    EXPECT_THAT(fixture.rowTexts(), ElementsAre("Alpha[pr5] [not sent]", "Beta[pr3] [not sent]"));
    EXPECT_TRUE(window.menus().addReciprocalLink->isEnabled());
    window.menus().saveAll->trigger();
    EXPECT_THAT(fixture.folder.read("sv.xml"), HasSubstr("<activeProfile>Auto</activeProfile>"));

    // Resting the mouse on a row shows where it submits and when it was sent there.
    profiles->setCurrentIndex(1);
    DirectoryListView* list = child<DirectoryPanel>(window, "directoryPanel")->list();
    QTest::mouseMove(list->viewport(), list->visualRect(list->model()->index(1, 0)).center());
    ASSERT_TRUE(
        waitUntil([&] { return list->findChild<QLabel*>(QStringLiteral("rowToolTip")) != nullptr; }, 3000));
    EXPECT_EQ(child<QLabel>(*list, "rowToolTip")->text(),
        QStringLiteral("about:blank#beta\n\nSubmitted on 01 May 2020"));

    // The tab tool bar's copy menu copies the active profile's fields.
    const QList<QAction*> copies = child<TabToolBar>(window, "tabToolBar")->copyMenu()->actions();
    ASSERT_EQ(copies.size(), 13);
    EXPECT_EQ(copies[0]->text(), QStringLiteral("URL"));
    copies[0]->trigger();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("http://www.mysite.example/"));
    EXPECT_TRUE(fixture.messages.empty());
}

TEST(CQuenlarDlgTest, AnAutosaveIntervalOfZeroRunsEveryThreeMinutesAndIsWrittenBackAsThree)
{
    MainWindowFixture fixture;
    fixture.writeSettings("<autosavei>0</autosavei>");
    CQuenlarDlg& window = fixture.start();
    EXPECT_TRUE(window.autosaveTimer().isActive());
    EXPECT_EQ(window.autosaveTimer().interval(), 3 * 60 * 1000);
    window.menus().saveAll->trigger();
    EXPECT_THAT(fixture.folder.read("data/settings.xml"), HasSubstr("<autosavei>3</autosavei>"));
    EXPECT_TRUE(fixture.folder.exists("customdirdata.xml"));
}

TEST(CQuenlarDlgTest, ReturnAndEscapeCloseNothing)
{
    MainWindowFixture fixture;
    fixture.writeDatabase(kTwoDirectories);
    CQuenlarDlg& window = fixture.start();
    for (QWidget* target : { static_cast<QWidget*>(&window),
             static_cast<QWidget*>(child<DirectoryPanel>(window, "directoryPanel")->list()),
             static_cast<QWidget*>(child<DirectoryPanel>(window, "directoryPanel")->searchEdit()) }) {
        for (const Qt::Key key : { Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape })
            QTest::keyClick(target, key);
    }
    QTest::qWait(50);
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(fixture.folder.exists("sv.xml"));
}

TEST(CQuenlarDlgTest, ExitLeavesTheCustomDatabaseAsItWasWhileTheCloseBoxWritesIt)
{
    const std::string custom = directoryElement("Mine", 2, "about:blank#mine", R"(category="Custom")");
    for (const bool exitCommand : { true, false }) {
        MainWindowFixture fixture;
        fixture.writeCustomDatabase(custom);
        const std::string before = fixture.folder.read("customdirdata.xml");
        CQuenlarDlg& window = fixture.start();
        ASSERT_THAT(fixture.rowTexts(), ElementsAre("Mine[pr2]"));
        child<DirectoryPanel>(window, "directoryPanel")->list()->selectRow(0);
        window.directoryList().deleteDirectory();
        EXPECT_TRUE(fixture.rowTexts().empty());
        if (exitCommand)
            window.menus().exit->trigger();
        else
            window.close();
        EXPECT_FALSE(window.isVisible());
        EXPECT_TRUE(fixture.folder.exists("sv.xml"));
        EXPECT_TRUE(fixture.folder.exists("data/settings.xml"));
        if (exitCommand)
            EXPECT_EQ(fixture.folder.read("customdirdata.xml"), before);
        else
            EXPECT_THAT(fixture.folder.read("customdirdata.xml"), Not(HasSubstr("Mine")));
    }
}

TEST(CQuenlarDlgTest, TenTabsThenTheMessageAndAFreedSlotsTabGoesToTheEnd)
{
    MainWindowFixture fixture;
    CQuenlarDlg& window = fixture.start();
    BrowserTabArea& tabs = *child<BrowserTabArea>(window, "browserTabs");
    for (int opened = 1; opened < kTabSlotCount; ++opened)
        EXPECT_EQ(
            tabs.OpenTab("about:blank#" + std::to_string(opened), "Tab " + std::to_string(opened), false),
            opened);
    EXPECT_EQ(tabs.OpenTab("about:blank#eleven", "Eleven", true), -1);
    EXPECT_THAT(fixture.messages.messages(),
        ElementsAre(shown(BrowserTabArea::kTooManyTabs, "Ravelin", MessageIcon::Warning)));
    EXPECT_EQ(fixture.tabCount(), kTabSlotCount);

    child<QTabBar>(tabs, "tabBar")->setCurrentIndex(3);
    tabs.CloseCurrentTab();
    EXPECT_EQ(child<QTabBar>(tabs, "tabBar")->currentIndex(), 3);
    EXPECT_EQ(child<QTabBar>(tabs, "tabBar")->tabText(3), QStringLiteral("Tab 4"));
    EXPECT_EQ(tabs.OpenTab("about:blank#again", "Again", true), 3);
    EXPECT_EQ(child<QTabBar>(tabs, "tabBar")->count(), kTabSlotCount);
    EXPECT_EQ(child<QTabBar>(tabs, "tabBar")->tabText(kTabSlotCount - 1), QStringLiteral("Again"));
    EXPECT_EQ(tabs.currentSlot(), 3);

    QTest::keyClick(&window, Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(child<QTabBar>(tabs, "tabBar")->currentIndex(), 0);
    QTest::keyClick(&window, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(child<QTabBar>(tabs, "tabBar")->currentIndex(), kTabSlotCount - 1);
    QTest::keyClick(&window, Qt::Key_F4, Qt::ControlModifier);
    EXPECT_EQ(child<QTabBar>(tabs, "tabBar")->count(), kTabSlotCount - 1);
}

TEST(CQuenlarDlgTest, SingleTabModeReplacesThePageAndCaptionOfTheOneTab)
{
    MainWindowFixture fixture;
    fixture.writeSettings("<visualeffects>false</visualeffects>");
    fixture.writeDatabase(kTwoDirectories);
    fixture.writeProfiles(profileElement("Mine"), "Mine");
    CQuenlarDlg& window = fixture.start();
    fixture.clickRow(0);
    fixture.clickRow(1);
    ASSERT_EQ(fixture.tabCount(), 1);
    BrowserTabArea& tabs = *child<BrowserTabArea>(window, "browserTabs");
    EXPECT_EQ(child<QTabBar>(tabs, "tabBar")->tabText(0), QStringLiteral("Beta"));
    EXPECT_EQ(tabs.tabSlots()[0].requestedAddress, "about:blank#beta");
    EXPECT_EQ(tabs.tabSlots()[0].fill.directoryName, "Beta");
    EXPECT_TRUE(fixture.messages.empty());
}

TEST(CQuenlarDlgTest, SingleTabModeReplacesOnlyTheTabOfTheFirstSlotWhereverItStands)
{
    MainWindowFixture fixture;
    fixture.writeDatabase(kTwoDirectories);
    fixture.writeProfiles(profileElement("Mine"), "Mine");
    CQuenlarDlg& window = fixture.start();
    BrowserTabArea& tabs = *child<BrowserTabArea>(window, "browserTabs");
    QTabBar& bar = *child<QTabBar>(tabs, "tabBar");
    // The start page's slot 0 is freed and taken again by Beta, whose tab goes after Alpha's.
    fixture.clickRow(0);
    tabs.selectSlot(0);
    tabs.CloseCurrentTab();
    fixture.clickRow(1);
    ASSERT_EQ(tabs.currentSlot(), 0);

    window.state().settings().tabbedBrowsing = false;
    EXPECT_EQ(tabs.OpenTab("about:blank#gamma", "Gamma", true), 0);
    ASSERT_EQ(bar.count(), 2);
    EXPECT_EQ(bar.tabText(0), QStringLiteral("Alpha"));
    EXPECT_EQ(bar.tabText(1), QStringLiteral("Gamma"));
    EXPECT_EQ(bar.tabData(0).toInt(), 1);
    // Alpha's row still finds its tab, and its picks are those of the tab shown.
    fixture.clickRow(0);
    EXPECT_EQ(tabs.currentSlot(), 1);
    EXPECT_EQ(bar.currentIndex(), 0);
    EXPECT_EQ(tabs.tabSlots()[1].fill.directoryName, "Alpha");
    EXPECT_EQ(fixture.tabCount(), 2);
    EXPECT_TRUE(fixture.messages.empty());
}

TEST(CQuenlarDlgTest, ClosingTheLastTabHidesTheAddressLineAndDisablesNavigation)
{
    MainWindowFixture fixture;
    CQuenlarDlg& window = fixture.start();
    BrowserTabArea& tabs = *child<BrowserTabArea>(window, "browserTabs");
    EXPECT_TRUE(child<QLineEdit>(tabs, "addressEdit")->isVisible());
    EXPECT_TRUE(child<TabToolBar>(tabs, "tabToolBar")->isVisible());
    child<TabToolBar>(tabs, "tabToolBar")->closeAction()->trigger();
    EXPECT_EQ(fixture.tabCount(), 0);
    for (QWidget* hidden : { static_cast<QWidget*>(child<QLineEdit>(tabs, "addressEdit")),
             static_cast<QWidget*>(child<QLabel>(tabs, "pageRankLabel")),
             static_cast<QWidget*>(child<QProgressBar>(tabs, "progressBar")),
             static_cast<QWidget*>(child<TabToolBar>(tabs, "tabToolBar")) })
        EXPECT_FALSE(hidden->isVisible());
    const NavigationToolBar& navigation = *child<NavigationToolBar>(window, "navigationToolBar");
    for (QAction* action : { navigation.backAction(), navigation.forwardAction(), navigation.refreshAction(),
             navigation.stopAction() })
        EXPECT_FALSE(action->isEnabled()) << action->text().toStdString();
    EXPECT_TRUE(navigation.settingsAction()->isEnabled());
    tabs.CloseCurrentTab();
    tabs.nextTab();
    EXPECT_EQ(fixture.tabCount(), 0);
}

TEST(CQuenlarDlgTest, ARightClickSelectsTheRowWithoutOpeningItAndOffersItsCommands)
{
    MainWindowFixture fixture;
    fixture.writeDatabase(kTwoDirectories);
    fixture.writeCustomDatabase(directoryElement("Mine", 1, "about:blank#mine", R"(category="Custom,Arts")"));
    fixture.writeProfiles(profileElement("Mine"), "Mine");
    CQuenlarDlg& window = fixture.start();
    DirectoryListView* list = child<DirectoryPanel>(window, "directoryPanel")->list();
    QStringList offered;
    whenPopup([&](QMenu& menu) {
        for (QAction* action : menu.actions())
            offered.append(action->text());
    });
    QTest::mouseClick(
        list->viewport(), Qt::RightButton, {}, list->visualRect(list->model()->index(1, 0)).center());
    EXPECT_EQ(list->selectedRow(), 1);
    EXPECT_EQ(fixture.tabCount(), 1);
    EXPECT_TRUE(offered.contains(QStringLiteral("Report Broken Directory...")));
    EXPECT_FALSE(offered.contains(QStringLiteral("Edit Directory")));

    list->selectRow(2);
    const std::unique_ptr<DirectoryContextMenu> custom = window.directoryList().contextMenuForSelection();
    EXPECT_EQ(custom->entry(QStringLiteral("Report Broken Directory...")), nullptr);
    ASSERT_NE(custom->entry(QStringLiteral("Delete Directory")), nullptr);
    // Leaving "Arts" rebuilds the filtered list without the directory, and saves the custom database.
    window.directoryList().setCategoryFilter("Arts");
    ASSERT_THAT(fixture.rowTexts(), ElementsAre("Beta[pr3] [not sent]", "Mine[pr1] [not sent]"));
    list->selectRow(1);
    window.directoryList().contextMenuForSelection()->entry(QStringLiteral("Arts"))->trigger();
    EXPECT_THAT(fixture.rowTexts(), ElementsAre("Beta[pr3] [not sent]"));
    EXPECT_THAT(fixture.folder.read("customdirdata.xml"), HasSubstr("category=\"Custom\""));
}

TEST(CQuenlarDlgTest, MarksChangeTheRowAndTheSentCountInPlace)
{
    MainWindowFixture fixture;
    fixture.writeDatabase(kTwoDirectories);
    fixture.writeProfiles(profileElement("Mine"), "Mine");
    CQuenlarDlg& window = fixture.start();
    child<DirectoryPanel>(window, "directoryPanel")->list()->selectRow(1);
    window.directoryList().markSent();
    EXPECT_THAT(fixture.rowTexts(), ElementsAre("Alpha[pr5] [not sent]", "Beta[pr3] [sent]"));
    EXPECT_EQ(child<DirectoryPanel>(window, "directoryPanel")->sentLabel()->text(),
        QStringLiteral("Sent to 1 directory"));
    window.directoryList().markApproved();
    EXPECT_EQ(fixture.rowTexts()[1], "Beta[pr3] [approved]");
    window.directoryList().markBroken();
    EXPECT_EQ(fixture.rowTexts()[1], "Beta[pr3] [not sent]");
    EXPECT_EQ(child<DirectoryPanel>(window, "directoryPanel")->sentLabel()->text(),
        QStringLiteral("Sent to 0 directories"));

    // The filter menu lists the categories with a check at the one shown.
    QMenu* menu = window.directoryList().filterMenu();
    QStringList entries;
    for (QAction* action : menu->actions()) {
        if (!action->isSeparator())
            entries.append(action->text() + (action->isChecked() ? QStringLiteral("*") : QString()));
    }
    EXPECT_EQ(entries,
        (QStringList { QStringLiteral("Show All*"), QStringLiteral("Arts"), QStringLiteral("Blogs"),
            QStringLiteral("News") }));
    menu->actions()[2]->trigger();
    EXPECT_THAT(fixture.rowTexts(), ElementsAre("Beta[pr3] [not sent]"));
    EXPECT_EQ(child<DirectoryPanel>(window, "directoryPanel")->availableLabel()->text(),
        QStringLiteral("1/2 directories available"));
    EXPECT_TRUE(fixture.messages.empty());
}

} // namespace
