// vantelo-cli learn against the test sites on loopback: what it prints, what
// --add stores, and what it refuses.

#include "CliRun.h"
#include "Commands.h"
#include "custom/TestSites.h"
#include "directories/DirectoryStore.h"
#include "directories/DirectoryTestFiles.h"
#include "net/LoopbackServer.h"
#include "profiles/DirectoryStates.h"
#include "profiles/ProfileStore.h"
#include "support/RecordingMessageBox.h"
#include "support/TempFolder.h"

#include <nlohmann/json.hpp>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::HasSubstr;

namespace {

class LearnCommandTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        serveTestSite(m_menu, "menu");
        serveTestSite(m_none, "none");
        m_folder.write("customdirdata.xml",
            databaseText("customdirs",
                R"(<directory name="Mine" submiturl="http://mine.example/" category="Custom"/>)"));
    }

    // With --json unless told: the tests read the lesson from the JSON document.
    CliRun learn(std::vector<std::string> arguments, bool json = true)
    {
        arguments.insert(arguments.begin(), { "learn", "--data-dir", m_folder.path().string() });
        if (json)
            arguments.insert(arguments.begin() + 1, "--json");
        return runCli(arguments);
    }

    DirectoryStore::RecordMap savedCustom()
    {
        DirectoryStore store(m_messages, "customdirs");
        store.Load(m_folder.path("customdirdata.xml"), true, false);
        return store.records();
    }

    LoopbackServer m_menu;
    LoopbackServer m_none;
    TempFolder m_folder;
    RecordingMessageBox m_messages;
};

TEST_F(LearnCommandTest, PrintsTheSubmissionPageAndItsItems)
{
    const std::string before = m_folder.read("customdirdata.xml");
    const CliRun run = learn({ m_menu.url("/") });
    ASSERT_EQ(run.code, 0) << run.err;
    const nlohmann::json printed = nlohmann::json::parse(run.out);
    EXPECT_EQ(printed["submiturl"], m_menu.url("/submit.php"));
    EXPECT_FALSE(printed.contains("reason"));
    const TestSite& site = testSites().front();
    ASSERT_EQ(printed["items"].size(), site.items.size());
    for (std::size_t at = 0; at < site.items.size(); ++at) {
        const nlohmann::json& item = printed["items"][at];
        EXPECT_EQ(item["name"], site.items[at].name);
        EXPECT_EQ(item["index"], site.items[at].index);
        EXPECT_EQ(item["type"], std::string(controlTypeText(site.items[at].type)));
        EXPECT_EQ(item["value"], site.items[at].value);
    }
    // Without --add nothing is stored.
    EXPECT_EQ(m_folder.read("customdirdata.xml"), before);

    // The text a person reads names the page and has a line per item.
    const CliRun text = learn({ m_menu.url("/") }, false);
    ASSERT_EQ(text.code, 0) << text.err;
    EXPECT_THAT(text.out, HasSubstr("submission page " + m_menu.url("/submit.php") + "\n"));
    EXPECT_THAT(text.out, HasSubstr("form items " + std::to_string(site.items.size()) + "\n"));
    const nlohmann::json& first = printed["items"][0];
    EXPECT_THAT(text.out,
        HasSubstr("\n  " + first["name"].get<std::string>() + " #" + std::to_string(first["index"].get<int>())
            + " (" + first["type"].get<std::string>() + ", " + first["meaning"].get<std::string>() + ")"));
}

TEST_F(LearnCommandTest, AddStoresTheDirectoryOnceUnderTheNameOfItsTitle)
{
    const CliRun added = learn({ "--add", "--category", "News", m_menu.url("/") });
    ASSERT_EQ(added.code, 0) << added.err;
    EXPECT_EQ(nlohmann::json::parse(added.out)["name"], "Widget Web Directory");
    const DirectoryStore::RecordMap saved = savedCustom();
    ASSERT_EQ(saved.count("Widget Web Directory"), 1u);
    EXPECT_EQ(saved.at("Widget Web Directory"),
        (DirectoryRecord { "Widget Web Directory", 0, 0, m_menu.url("/submit.php"), "Custom,News", "",
            testSites().front().items, {} }));
    EXPECT_EQ(saved.count("Mine"), 1u);

    // The same site again is refused, whatever name it would get, and the file stays as it is.
    const std::string before = m_folder.read("customdirdata.xml");
    for (const std::vector<std::string>& arguments : { std::vector<std::string> { "--add", m_menu.url("/") },
             std::vector<std::string> { "--add", "--name", "Other", m_menu.url("/latest.php") } }) {
        const CliRun again = learn(arguments);
        EXPECT_EQ(again.code, 1);
        EXPECT_THAT(again.err, HasSubstr("is on the site of the directory \"Widget Web Directory\""));
        EXPECT_THAT(again.err, HasSubstr("nothing added"));
    }
    EXPECT_EQ(m_folder.read("customdirdata.xml"), before);
}

TEST_F(LearnCommandTest, ANameTakenIsRefusedWhenChosenAndNumberedWhenProposed)
{
    const CliRun chosen = learn({ "--add", "--name", "Mine", m_menu.url("/") });
    EXPECT_EQ(chosen.code, 1);
    EXPECT_THAT(chosen.err, HasSubstr("a directory named \"Mine\" exists already"));

    m_folder.write("customdirdata.xml",
        databaseText("customdirs",
            R"(<directory name="Widget Web Directory" submiturl="http://elsewhere.example/" category="Custom"/>)"));
    const CliRun proposed = learn({ "--add", m_menu.url("/") });
    ASSERT_EQ(proposed.code, 0) << proposed.err;
    EXPECT_EQ(nlohmann::json::parse(proposed.out)["name"], "Widget Web Directory1");
    EXPECT_EQ(savedCustom().size(), 2u);
}

TEST_F(LearnCommandTest, NothingLearnedGivesTheReasonAndStoresNothing)
{
    const std::string before = m_folder.read("customdirdata.xml");
    for (const std::string& address :
        { m_none.url("/"), "http://127.0.0.1:" + std::to_string(refusedPort()) + "/" }) {
        const CliRun run = learn({ "--add", address });
        EXPECT_EQ(run.code, 1) << address;
        const nlohmann::json printed = nlohmann::json::parse(run.out);
        EXPECT_TRUE(printed["submiturl"].is_null());
        EXPECT_TRUE(printed["items"].empty());
        EXPECT_FALSE(printed["reason"].get<std::string>().empty());
        EXPECT_THAT(run.err, HasSubstr("vantelo-cli: no submission form learned from " + address));
        // Without a browser engine (as here) a page built by script cannot be seen, and it says so.
        EXPECT_EQ(run.err.find("cannot load pages built by script") != std::string::npos,
            printed["state"] == "no-submission-page")
            << run.err;
    }
    EXPECT_EQ(m_folder.read("customdirdata.xml"), before);
}

TEST_F(LearnCommandTest, HelpAndUsageErrors)
{
    const CliRun help = runCli({ "learn", "--help" });
    EXPECT_EQ(help.code, 0);
    for (const char* part :
        { "Usage: vantelo-cli learn", "--add", "--name", "--category", "--data-dir", "Exit status" })
        EXPECT_THAT(help.out, HasSubstr(part));
    for (const std::vector<std::string>& arguments : { std::vector<std::string> {},
             { "--name", "", "--add", m_menu.url("/") }, { "--name", "Other", m_menu.url("/") },
             { "--add", m_menu.url("/"), m_none.url("/") }, { "--unknown", m_menu.url("/") } }) {
        const CliRun run = learn(arguments);
        EXPECT_EQ(run.code, 2) << run.err;
        EXPECT_TRUE(run.out.empty());
    }
    // Nothing was fetched for a usage error.
    EXPECT_TRUE(m_menu.requests().empty());
}

} // namespace

TEST_F(LearnCommandTest, AddKeepsADirectoryBehindASignInOrAPriceWithItsState)
{
    RecordingMessageBox messages;
    SendingProfile::ProfileStore profiles(messages);
    profiles.SetProfile("Mine", SendingProfile::SiteProfile {});
    ASSERT_TRUE(profiles.Save(m_folder.path("sv.xml")));
    for (const TestSite& site : testSites()) {
        if (site.state != "needs-account" && site.state != "paid-only")
            continue;
        LoopbackServer server;
        serveTestSite(server, site.name);
        const CliRun run = learn({ "--add", "--name", site.name, "--profile", "Mine", server.url("/") });
        ASSERT_EQ(run.code, 0) << site.name << ": " << run.err;
        const nlohmann::json printed = nlohmann::json::parse(run.out);
        EXPECT_EQ(printed["state"], site.state) << site.name;
        const std::string signIn = site.signInPath.empty() ? "" : server.url(site.signInPath);
        EXPECT_EQ(printed["signinurl"].is_null() ? "" : printed["signinurl"].get<std::string>(), signIn);
        EXPECT_EQ(savedCustom().at(site.name).submitUrl, server.url(site.submitPath)) << site.name;

        SendingProfile::ProfileStore saved(messages);
        ASSERT_TRUE(saved.Open(m_folder.path("sv.xml")));
        const SendingProfile::DirectoryStatus status =
            SendingProfile::DirectoryStates::read(saved, "Mine", site.name, server.url(site.submitPath));
        EXPECT_EQ(SendingProfile::directoryStateName(status.state), site.state) << site.name;
        EXPECT_EQ(status.address, signIn.empty() ? server.url(site.submitPath) : signIn) << site.name;
    }
}
