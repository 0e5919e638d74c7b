// Working through a list in the directory table: sorting by a header, the
// columns, the state filter, Next Directory and Skip with the progress line,
// and the next directory opening by itself after a recorded submission.

#include "MainWindowTesting.h"
#include "web/WebTestPages.h"

#include "app/ui/BrowserTab.h"
#include "app/ui/BrowserTabArea.h"
#include "app/ui/DirectoryContextMenu.h"
#include "app/ui/DirectoryListController.h"
#include "app/ui/DirectoryListView.h"
#include "app/ui/DirectoryPanel.h"
#include "app/ui/MainMenus.h"
#include "common/AtomicFile.h"
#include "filling/web/FillingWebPage.h"
#include "support/NamedChild.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QStatusBar>
#include <QTest>
#include <QWebEngineView>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

using ::testing::HasSubstr;

namespace {

constexpr int kListSize = 600;

struct Listed {
    std::string name;
    int rating;
};

// A list of 600 directories as an import with ratings leaves it; every
// thirteenth has no rating, and many share one.
std::vector<Listed> importedList(MainWindowFixture& fixture)
{
    std::vector<Listed> list;
    std::string elements;
    for (int i = 0; i < kListSize; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "Listed %03d", i);
        const int rating = i % 13 == 0 ? -1 : (i * 37) % 101;
        list.push_back({ name, rating });
        elements += directoryElement(name, i % 8, std::string("about:blank#") + std::to_string(i),
            "category=\"Custom\""
                + (rating < 0 ? std::string() : " rating=\"" + std::to_string(rating) + "\""));
    }
    fixture.writeCustomDatabase(elements);
    // Rating order: the highest first, unrated last, equal ratings by name.
    std::ranges::sort(list, [](const Listed& a, const Listed& b) {
        return a.rating != b.rating ? a.rating > b.rating : a.name < b.name;
    });
    return list;
}

std::string progress(CQuenlarDlg& window)
{
    return child<QLabel>(window, "progressLabel")->text().toStdString();
}

std::string expectedProgress(int done)
{
    return "Sent 0 \xC2\xB7 approved 0 \xC2\xB7 " + std::to_string(kListSize - done) + " to do ("
        + std::to_string(done * 100 / kListSize) + "% of the 600 shown done)";
}

TEST(WorkThroughTest, SixHundredRatedDirectoriesAreWorkedThroughInRatingOrderByNextDirectoryAndSkip)
{
    MainWindowFixture fixture;
    const std::vector<Listed> expected = importedList(fixture);
    fixture.writeDatabase("");
    fixture.writeProfiles(profileElement("Mine"), "Mine");
    CQuenlarDlg& window = fixture.start();
    DirectoryPanel& panel = *child<DirectoryPanel>(window, "directoryPanel");
    DirectoryListView& table = *panel.list();
    QHeaderView& header = *table.horizontalHeader();
    const auto hidden = [&](DirectoryColumn column) {
        return header.isSectionHidden(static_cast<int>(column));
    };
    EXPECT_FALSE(
        hidden(DirectoryColumn::Rating) || hidden(DirectoryColumn::State) || hidden(DirectoryColumn::Date));
    EXPECT_TRUE(hidden(DirectoryColumn::Link) && hidden(DirectoryColumn::PageRank)
        && hidden(DirectoryColumn::Category));

    // A click on the Rating header sorts from the highest rating, and the Sort box follows.
    const int rating = static_cast<int>(DirectoryColumn::Rating);
    QTest::mouseClick(header.viewport(), Qt::LeftButton, {},
        QPoint(header.sectionViewportPosition(rating) + header.sectionSize(rating) / 2, header.height() / 2));
    EXPECT_EQ(panel.sortBox()->currentText(), QStringLiteral("Rating Descending"));
    ASSERT_EQ(window.directoryList().model().list().rows.front().name, expected.front().name);
    EXPECT_EQ(progress(window), expectedProgress(0));

    BrowserTabArea& tabs = *child<BrowserTabArea>(window, "browserTabs");
    const auto tabDirectory = [&] { return tabs.tabSlots()[tabs.currentSlot()].fill.directoryName; };
    window.menus().nextDirectory->trigger();
    for (int step = 0; step < kListSize; ++step) {
        ASSERT_EQ(tabDirectory(), expected[step].name) << "step " << step;
        ASSERT_EQ(window.directoryList().selectedDirectory(), expected[step].name) << "step " << step;
        ASSERT_EQ(progress(window), expectedProgress(step)) << "step " << step;
        // Ctrl+K in the table and in the tab: every skip opens the next directory in the same tab.
        if (step % 2 == 0) {
            table.setFocus();
            QTest::keyClick(&table, Qt::Key_K, Qt::ControlModifier);
        } else {
            QWebEngineView* view = tabs.tab(tabs.currentSlot())->view();
            view->setFocus();
            QTest::keyClick(view, Qt::Key_K, Qt::ControlModifier);
        }
    }
    EXPECT_EQ(progress(window), expectedProgress(kListSize));
    EXPECT_EQ(
        window.statusBar()->currentMessage(), QStringLiteral("No directory in the list is left to do."));
    EXPECT_EQ(fixture.tabCount(), 2);

    // The state filter, a state from the context menu, and a column shown from the header's menu.
    panel.stateFilter()->setCurrentText(QStringLiteral("To do"));
    EXPECT_TRUE(fixture.rowTexts().empty());
    panel.stateFilter()->setCurrentText(QStringLiteral("Skipped"));
    ASSERT_EQ(fixture.rowTexts().size(), std::size_t(kListSize));
    window.directoryList().selectRow(0);
    window.directoryList().contextMenuForSelection()->entry(QStringLiteral("Needs Account"))->trigger();
    const QModelIndex state = table.model()->index(0, static_cast<int>(DirectoryColumn::State));
    EXPECT_EQ(state.data().toString(), QStringLiteral("Needs account"));
    table.columnMenu()->actions()[static_cast<int>(DirectoryColumn::PageRank)]->trigger();
    header.resizeSection(rating, 77);
    header.moveSection(header.visualIndex(static_cast<int>(DirectoryColumn::Date)), 1);

    // The columns are remembered, and the states are in sv.xml.
    window.menus().saveAll->trigger();
    EXPECT_THAT(fixture.folder.read("sv.xml"), HasSubstr("state=\"needs-account\""));
    CQuenlarDlg& again = fixture.restart();
    QHeaderView& restored = *child<DirectoryPanel>(again, "directoryPanel")->list()->horizontalHeader();
    EXPECT_FALSE(restored.isSectionHidden(static_cast<int>(DirectoryColumn::PageRank)));
    EXPECT_EQ(restored.sectionSize(rating), 77);
    EXPECT_EQ(restored.visualIndex(static_cast<int>(DirectoryColumn::Date)), 1);
    EXPECT_THAT(progress(again), HasSubstr(" 0 to do"));
    EXPECT_TRUE(fixture.messages.empty());
}

TEST(WorkThroughTest, ARecordedSubmissionOnTheDemoSiteOpensTheNextDirectoryInItsTab)
{
    MainWindowFixture fixture;
    const std::optional<std::string> shipped =
        readFileBytes(std::filesystem::path(VANTELO_BIN_DIR) / "dirdata.xml");
    ASSERT_TRUE(shipped) << "the build did not make dirdata.xml";
    fixture.folder.write("dirdata.xml", *shipped);
    fixture.writeProfiles(profileElement("My Site",
                              "<categories>Computers</categories><title>Widget Works</title>"
                              "<description>Widgets.</description><keywords>widgets</keywords>"),
        "My Site");
    CQuenlarDlg& window = fixture.start();
    BrowserTabArea& tabs = *child<BrowserTabArea>(window, "browserTabs");
    const auto tabDirectory = [&] { return tabs.tabSlots()[tabs.currentSlot()].fill.directoryName; };

    // By PageRank, as the window starts: the link directory, then the web guide.
    QTest::keyClick(&window, Qt::Key_F8);
    EXPECT_EQ(tabDirectory(), "Demo Link Directory");
    window.menus().skip->trigger();
    ASSERT_EQ(tabDirectory(), "Demo Web Guide");
    EXPECT_EQ(progress(window), "Sent 0 \xC2\xB7 approved 0 \xC2\xB7 3 to do (25% of the 4 shown done)");

    BrowserTab* tab = tabs.tab(tabs.currentSlot());
    const auto title = [&] {
        return evaluate(*tab->page(), QStringLiteral("document.getElementsByName('title')[0]?.value"));
    };
    ASSERT_TRUE(waitUntil([&] { return title().toString() == QStringLiteral("Widget Works"); }, 30000));
    evaluate(*tab->page(), QStringLiteral("document.querySelector('input[type=submit]').click()"));
    ASSERT_TRUE(waitUntil([&] { return tabDirectory() == "Demo Reciprocal Links"; }, 30000))
        << tabDirectory();
    EXPECT_EQ(tabs.tab(tabs.currentSlot()), tab);
    EXPECT_TRUE(waitUntil([&] {
        return tab->page()->url().toString().contains(QStringLiteral("reciprocal-links/suggest.html"));
    }));
    EXPECT_EQ(progress(window), "Sent 1 \xC2\xB7 approved 0 \xC2\xB7 2 to do (50% of the 4 shown done)");
    EXPECT_EQ(window.directoryList().selectedDirectory(), "Demo Reciprocal Links");
    EXPECT_TRUE(fixture.messages.empty());
}

} // namespace
