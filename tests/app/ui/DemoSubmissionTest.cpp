// A new user's first submission: the shipped database's demo directory opens
// its page of the shipped demo site, the page is filled, submitted, and the
// confirmation page is recognised.

#include "MainWindowTesting.h"
#include "web/AnswerSite.h"
#include "web/WebTestPages.h"

#include "app/ui/BrowserTab.h"
#include "app/ui/BrowserTabArea.h"
#include "app/ui/DirectoryListController.h"
#include "app/ui/MainMenus.h"
#include "common/AtomicFile.h"
#include "filling/web/FillingWebPage.h"
#include "support/NamedChild.h"

#include <QStatusBar>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

using ::testing::HasSubstr;
using ::testing::Not;

namespace {

const std::filesystem::path kBin = VANTELO_BIN_DIR;

int rowOf(const std::vector<std::string>& rows, const std::string& prefix)
{
    const auto found = std::find_if(
        rows.begin(), rows.end(), [&](const std::string& row) { return row.starts_with(prefix); });
    return found == rows.end() ? -1 : static_cast<int>(found - rows.begin());
}

TEST(DemoSubmissionTest, ADemoDirectoryIsFilledSubmittedAndMarkedSent)
{
    MainWindowFixture fixture;
    const std::optional<std::string> shipped = readFileBytes(kBin / "dirdata.xml");
    ASSERT_TRUE(shipped) << "the build did not make dirdata.xml";
    fixture.folder.write("dirdata.xml", *shipped);
    fixture.writeProfiles(
        profileElement("My Site",
            "<categories>Computers</categories><subcategories>Software</subcategories>"
            "<title>Widget Works</title><description>Widgets and their software.</description>"
            "<keywords>widgets</keywords><reciprocalmethod>0</reciprocalmethod>"),
        "My Site");
    CQuenlarDlg& window = fixture.start();

    const int row = rowOf(fixture.rowTexts(), "Demo Web Guide");
    ASSERT_GE(row, 0);
    EXPECT_EQ(fixture.rowTexts()[row], "Demo Web Guide[pr4] [not sent]");
    fixture.clickRow(row);
    const BrowserTabArea& tabs = *child<BrowserTabArea>(window, "browserTabs");
    BrowserTab* tab = tabs.tab(tabs.currentSlot());
    ASSERT_NE(tab, nullptr);
    const auto chosenSection = [&] {
        return evaluate(*tab->page(), QStringLiteral("document.getElementsByName('category_id')[0].value"))
            .toString();
    };
    ASSERT_TRUE(waitUntil([&] { return chosenSection() == QStringLiteral("computers-software"); }, 30000))
        << "the page was not filled; the section is " << chosenSection().toStdString();
    EXPECT_EQ(
        evaluate(*tab->page(), QStringLiteral("document.getElementsByName('title')[0].value")).toString(),
        QStringLiteral("Widget Works"));

    evaluate(*tab->page(), QStringLiteral("document.querySelector('input[type=submit]').click()"));
    ASSERT_TRUE(waitUntil([&] { return fixture.rowTexts()[row] == "Demo Web Guide[pr4] [sent]"; }, 30000))
        << fixture.rowTexts()[row];
    EXPECT_THAT(tab->page()->url().toString().toStdString(), HasSubstr("web-guide/thanks.html?"));

    window.menus().saveAll->trigger();
    EXPECT_THAT(fixture.folder.read("sv.xml"), HasSubstr("<friendlyname>Demo Web Guide</friendlyname>"));
    EXPECT_TRUE(fixture.messages.empty());
}

TEST(DemoSubmissionTest, AnAnswerThatSaysItFailedIsNotRecordedAndTheStatusLineSaysWhy)
{
    LoopbackServer server;
    serveAnswerSite(server);
    MainWindowFixture fixture;
    // Neither directory has a confirmation text: their answers are judged by what they say.
    fixture.writeDatabase(directoryElement("Listed Links", 3, server.url("/duplicate/form.html"))
        + directoryElement("Open Links", 3, server.url("/thanks-en/form.html")));
    fixture.writeProfiles(
        profileElement("My Site", "<title>My Site</title><description>Widgets.</description>"), "My Site");
    CQuenlarDlg& window = fixture.start();
    const BrowserTabArea& tabs = *child<BrowserTabArea>(window, "browserTabs");

    const auto submit = [&](int row) {
        fixture.clickRow(row);
        BrowserTab* tab = tabs.tab(tabs.currentSlot());
        ASSERT_NE(tab, nullptr);
        const auto title = [&] {
            return evaluate(*tab->page(), QStringLiteral("document.getElementsByName('title')[0].value"));
        };
        ASSERT_TRUE(waitUntil([&] { return title().toString() == QStringLiteral("My Site"); }, 30000));
        evaluate(*tab->page(),
            QStringLiteral("document.querySelector('form[method=post] input[type=submit]').click()"));
    };
    const auto status = [&] { return window.statusBar()->currentMessage().toStdString(); };

    const int listed = rowOf(fixture.rowTexts(), "Listed Links");
    ASSERT_GE(listed, 0);
    submit(listed);
    ASSERT_TRUE(waitUntil([&] { return status().starts_with("Not recorded"); }, 30000)) << status();
    EXPECT_THAT(status(),
        HasSubstr("Not recorded: the page says \"Sorry, this site is already listed in our directory.\""));
    EXPECT_THAT(fixture.rowTexts()[listed], Not(HasSubstr(" [sent]")));
    // The refusal is the directory's state, with the page's sentence as its reason.
    const SendingProfile::DirectoryStatus& refused =
        window.directoryList().model().list().rows[listed].status;
    EXPECT_EQ(refused.state, SendingProfile::DirectoryState::Failed);
    EXPECT_EQ(refused.reason, "Sorry, this site is already listed in our directory.");

    const int open = rowOf(fixture.rowTexts(), "Open Links");
    ASSERT_GE(open, 0);
    submit(open);
    ASSERT_TRUE(waitUntil([&] { return fixture.rowTexts()[open].ends_with(" [sent]"); }, 30000))
        << fixture.rowTexts()[open];
    EXPECT_TRUE(waitUntil([&] { return status().starts_with("Submission recorded"); }, 10000)) << status();
    EXPECT_THAT(fixture.rowTexts()[listed], Not(HasSubstr(" [sent]")));
    EXPECT_TRUE(fixture.messages.empty());
}

} // namespace
