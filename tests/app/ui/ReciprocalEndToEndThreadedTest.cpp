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
        R"(<a href="http://widgets.example/?from=1&to=2&ref=my%20site">Widget "Links" directory</a>)";
    // As the script keeps and shows it: rebuilt, every text escaped.
    const std::string shown =
        R"(<a href="http://widgets.example/?from=1&amp;to=2&amp;ref=my%20site">Widget &quot;Links&quot; )"
        R"(directory</a>)";
    PhpScriptServer php(VANTELO_SOURCE_DIR "/resources/reciprocal");
    std::ofstream(php.folder() / "config.php") << "<?php\n$password = 'open & shut, 1+1';\n";
    LoopbackServer directory;
    directory.serve("/add.php", 200, reciprocalDirectoryPage(code), "text/html");
    directory.closeConnectionsAfterEachAnswer();
    directory.start();

    MainWindowFixture fixture;
    fixture.writeDatabase(
        directoryElement("Widget Links", 4, directory.url("/add.php"), {}, kReciprocalItems));
    fixture.writeProfiles(reciprocalProfile(SendingProfile::kReciprocalAutomatic, php.url("interact.php"),
                              "open &amp; shut, 1+1"),
        "My Site");
    CQuenlarDlg& window = fixture.start();
    fixture.clickRow(0);
    ASSERT_TRUE(waitUntil([&] { return reciprocalButton(window)->isEnabled(); }, 30000))
        << "no code was found";

    fixture.messages.answerNext(MessageAnswer::Yes);
    reciprocalButton(window)->trigger();
    const QString placedAt = QString::fromStdString(php.url("interact.php") + "?page=1");
    ASSERT_TRUE(waitUntil([&] { return fieldValue(window, "RECIP_URL") == placedAt; }))
        << fieldValue(window, "RECIP_URL").toStdString();
    ASSERT_EQ(fixture.messages.messages().size(), 1u);
    EXPECT_TRUE(fixture.messages.messages()[0].question);

    std::string page;
    ASSERT_TRUE(HttpGetPage(splitRequestUrl(placedAt.toStdString()), page));
    EXPECT_NE(page.find("<li>" + shown + "</li>"), std::string::npos) << page;
}

} // namespace
