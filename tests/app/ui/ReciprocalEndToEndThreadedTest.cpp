// The reciprocal link flow from a directory's page to the user's own site: the
// shipped script runs under PHP's own web server, the directory's page is
// served on loopback, and the main window does the rest.

#include "ReciprocalTesting.h"

#include "net/HttpClient.h"
#include "net/HttpTarget.h"
#include "net/PhpScriptServer.h"

#include <fstream>

#include <gtest/gtest.h>

namespace {

TEST(ReciprocalEndToEndThreaded, TheFoundCodeIsPlacedByTheScriptAndItsPageLandsInTheForm)
{
    const std::string code =
        R"(<a href="http://widgets.example/?from=1&to=2&ref=my%20site">Widget "Links" <i>directory</i></a>)";
    PhpScriptServer php(VANTELO_SOURCE_DIR "/resources/reciprocal");
    std::ofstream(php.folder() / "config.php") << "<?php\n$password = 'open & shut';\n";
    LoopbackServer directory;
    directory.serve("/add.php", 200, reciprocalDirectoryPage(code), "text/html");
    directory.closeConnectionsAfterEachAnswer();
    directory.start();

    MainWindowFixture fixture;
    fixture.writeDatabase(
        directoryElement("Widget Links", 4, directory.url("/add.php"), {}, kReciprocalItems));
    fixture.writeProfiles(
        reciprocalProfile(SendingProfile::kReciprocalAutomatic, php.url("interact.php"), "open &amp; shut"),
        "My Site");
    CQuenlarDlg& window = fixture.start();
    fixture.clickRow(0);
    ASSERT_TRUE(waitUntil([&] { return reciprocalButton(window)->isEnabled(); }, 30000))
        << "no code was found";

    reciprocalButton(window)->trigger();
    const QString placedAt = QString::fromStdString(php.url("interact.php") + "?page=1");
    ASSERT_TRUE(waitUntil([&] { return fieldValue(window, "RECIP_URL") == placedAt; }))
        << fieldValue(window, "RECIP_URL").toStdString();
    EXPECT_TRUE(fixture.messages.empty());

    std::string page;
    ASSERT_TRUE(HttpGetPage(splitRequestUrl(placedAt.toStdString()), page));
    EXPECT_NE(page.find("<li>" + code + "</li>"), std::string::npos) << page;
}

} // namespace
