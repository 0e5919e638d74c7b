// A directory that learning found behind a sign-in: the table's "Sign In"
// opens the sign-in page in a tab, and "Learn Again" learns the form with the
// session that the sign-in gave the browser.

#include "GuiTestSupport.h"
#include "MainWindowTesting.h"

#include "app/MainWindowState.h"
#include "app/ui/DirectoryContextMenu.h"
#include "app/ui/DirectoryListController.h"
#include "net/LoopbackServer.h"
#include "profiles/DirectoryStates.h"

#include <gtest/gtest.h>

namespace {

constexpr const char* kWall = R"(<html><body><h1>Proposer un site</h1>
<p>Vous devez être connecté pour proposer un site.</p><a href="/connexion">Se connecter</a></body></html>)";
constexpr const char* kForm = R"(<html><body><h1>Proposer un site</h1><form>
<label>Titre du site <input id="titre"></label><label>Adresse du site (URL) <input id="adresse"></label>
<label>Description <textarea id="description"></textarea></label><button>Proposer</button></form></body></html>)";

TEST(SignInLearnAgainThreadedTest, SignInOpensTheSignInPageAndLearnAgainUsesItsSession)
{
    LoopbackServer server;
    server.handle("/proposer", [](const httplib::Request& request, httplib::Response& response) {
        const bool signedIn = request.get_header_value("Cookie").find("session=1") != std::string::npos;
        response.set_content(signedIn ? kForm : kWall, "text/html; charset=utf-8");
    });
    server.handle("/connexion", [](const httplib::Request&, httplib::Response& response) {
        response.set_header("Set-Cookie", "session=1; Path=/; Max-Age=3600");
        response.set_content(
            "<html><body><p>Vous êtes connecté.</p></body></html>", "text/html; charset=utf-8");
    });
    server.closeConnectionsAfterEachAnswer();
    server.start();

    MainWindowFixture fixture;
    fixture.writeDatabase("");
    fixture.writeCustomDatabase(
        directoryElement("Lumiere", 0, server.url("/proposer"), "category=\"Custom\""));
    fixture.writeProfiles(profileElement("Mine"), "Mine");
    CQuenlarDlg& window = fixture.start();
    ASSERT_TRUE(
        SendingProfile::DirectoryStates(window.state().profiles(), fixture.clock)
            .set("Mine", "Lumiere", server.url("/proposer"), SendingProfile::DirectoryState::NeedsAccount,
                server.url("/connexion"), server.url("/connexion")));
    window.PopulateDirectoryList(false);
    window.directoryList().selectRow(0);

    const int tabs = fixture.tabCount();
    window.directoryList().contextMenuForSelection()->entry(QStringLiteral("Sign In"))->trigger();
    EXPECT_EQ(fixture.tabCount(), tabs + 1);
    ASSERT_TRUE(waitUntil([&] {
        for (const SeenRequest& request : server.requests()) {
            if (request.target == "/connexion")
                return true;
        }
        return false;
    }));

    window.directoryList().contextMenuForSelection()->entry(QStringLiteral("Learn Again"))->trigger();
    ASSERT_TRUE(waitUntil([&] { return !fixture.messages.texts().empty(); }, 60000));
    EXPECT_EQ(fixture.messages.texts().front(),
        "Learned the submission page of Lumiere: " + server.url("/proposer"));
    EXPECT_EQ(window.state().customDirectories().GetSubmitUrl("Lumiere"), server.url("/proposer"));
    EXPECT_EQ(SendingProfile::DirectoryStates::read(
                  window.state().profiles(), "Mine", "Lumiere", server.url("/proposer"))
                  .state,
        SendingProfile::DirectoryState::New);
    // Learned: the menu offers neither any more.
    window.directoryList().selectRow(0);
    ASSERT_NE(window.directoryList().contextMenuForSelection(), nullptr);
    EXPECT_EQ(
        window.directoryList().contextMenuForSelection()->entry(QStringLiteral("Learn Again")), nullptr);
}

} // namespace
