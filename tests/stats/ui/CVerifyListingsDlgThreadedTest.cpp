#include "stats/ui/CVerifyListingsDlg.h"

#include "GuiTestSupport.h"
#include "net/LoopbackServer.h"
#include "profiles/DirectoryStates.h"
#include "profiles/ProfileStore.h"
#include "support/FixedClock.h"
#include "support/NamedChild.h"
#include "support/RecordingMessageBox.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>

#include <gtest/gtest.h>

// The window checks each directory on its worker, fills a row per result, keeps
// the results in the store and offers Close at the end; a listed directory is
// approved in the table's states.
TEST(CVerifyListingsDlgThreaded, ShowsEachDirectorysListingAndKeepsIt)
{
    LoopbackServer server;
    server.serve("/", 200, R"(<a href="/go?site=example-site.test" rel="ugc">Example Site</a>)", "text/html");
    server.handle("/go", [](const httplib::Request&, httplib::Response& response) {
        response.status = 302;
        response.set_header("Location", "http://example-site.test/");
    });
    server.start();
    const std::string dead = "http://127.0.0.1:" + std::to_string(refusedPort()) + "/";

    RecordingMessageBox messages;
    SendingProfile::ProfileStore profiles(messages);
    SendingProfile::SiteProfile profile;
    profile.name = "Shop";
    profile.url = "http://example-site.test";
    profiles.SetProfile("Shop", profile);
    const FixedClock clock(1614945600);
    CVerifyListingsDlg dialog(profiles, "Shop", ListingVerifier(profile.url, "Example Site"),
        { { "Listing", server.url("/add.php"), "" }, { "Gone", dead, "" } }, clock);
    dialog.show();

    auto* button = child<QPushButton>(dialog, "cancel");
    ASSERT_TRUE(waitUntil([&] { return button->text() == QStringLiteral("Close"); }));
    const auto* table = child<QTableWidget>(dialog, "results");
    auto cell = [&](int row, int column) {
        return table->item(row, column) ? table->item(row, column)->text() : QString();
    };
    EXPECT_EQ(cell(0, 0), QStringLiteral("Listing"));
    EXPECT_EQ(cell(0, 1), QStringLiteral("listed"));
    EXPECT_EQ(cell(0, 2), QString::fromStdString(server.url("/")));
    EXPECT_EQ(cell(0, 3), QStringLiteral("ugc (through a redirect)"));
    EXPECT_EQ(cell(1, 1), QStringLiteral("unreachable"));
    EXPECT_EQ(child<QProgressBar>(dialog, "progress")->value(), 2);
    EXPECT_EQ(
        child<QLabel>(dialog, "status")->text(), QStringLiteral("Done: 1 of 2 directories list the site."));
    EXPECT_EQ(dialog.recorded(), 2u);
    EXPECT_EQ(
        SendingProfile::DirectoryStates::read(profiles, "Shop", "Listing", server.url("/add.php")).state,
        SendingProfile::DirectoryState::Approved);
    button->click();
    EXPECT_FALSE(dialog.isVisible());
}
