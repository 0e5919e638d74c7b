#include "CliRun.h"
#include "Commands.h"
#include "profiles/ProfileStore.h"
#include "stats/SearchServices.h"
#include "support/RecordingMessageBox.h"
#include "support/TempFolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

using ::testing::HasSubstr;
using ::testing::Not;

namespace {

// A data folder whose settings point every search service at a loopback server.
class StatsCommandTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string hosts;
        const HostConfiguration configured = m_services.hosts();
        hosts += "<pagerankhost>" + configured.pageRankHost() + "</pagerankhost>";
        hosts += "<alexahost>" + configured.alexaHost() + "</alexahost>";
        hosts += "<googlehost>" + configured.googleHost() + "</googlehost>";
        hosts += "<yahoosehost>" + configured.yahooSiteExplorerHost() + "</yahoosehost>";
        hosts += "<yahoohost>" + configured.yahooHost() + "</yahoohost>";
        m_folder.write("data/settings.xml", "<?xml version=\"1.0\"?><settings>" + hosts + "</settings>");
    }

    CliRun run(const std::string& command, std::vector<std::string> arguments)
    {
        arguments.insert(arguments.begin(), { command, "--data-dir", m_folder.path().string() });
        return runCli(arguments);
    }

    SearchServices m_services;
    TempFolder m_folder;
};

TEST_F(StatsCommandTest, PageRankShowsChecksumPathAndValue)
{
    m_services.pageRank.serve("/search", 200, "Rank_1:1:7");
    const CliRun result = run("pagerank", { "abc" });
    EXPECT_EQ(result.code, 0) << result.err;
    EXPECT_EQ(result.out,
        "checksum -1805545757\n"
        "path /search?client=navclient-auto&ch=6-1805545757&features=Rank&q=info%3Aabc\n"
        "pagerank 7\n");
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(run("pagerank", {}).code, 2);

    const nlohmann::json json = nlohmann::json::parse(run("pagerank", { "--json", "abc" }).out);
    EXPECT_EQ(json["pagerank"], 7);
    EXPECT_EQ(json["checksum"], -1805545757);
    EXPECT_EQ(json["host"], m_services.pageRank.host());
}

TEST_F(StatsCommandTest, StatsPrintsOneFigure)
{
    m_services.google.serve(
        "/search", 200, "of about <b>1,230</b>" + googleResults(4, "http://www.example.com"));
    CliRun result = run("stats", { "googlelinks", "http://www.example.com/" });
    EXPECT_EQ(result.code, 0) << result.err;
    EXPECT_EQ(result.out, "1230\n");
    result = run("stats", { "7", "http://www.example.com/", "blue shoes" });
    EXPECT_EQ(result.out, "5\n");
    EXPECT_EQ(m_services.google.requests().back().target, "/search?num=100&q=blue%20shoes&start=0");

    EXPECT_EQ(run("stats", { "googleposition", "http://www.example.com/" }).code, 2);
    EXPECT_EQ(run("stats", { "alexa", "http://www.example.com/", "phrase" }).code, 2);
    EXPECT_EQ(run("stats", { "9", "http://www.example.com/" }).code, 2);
}

TEST_F(StatsCommandTest, UnreadableSettingsAreAnError)
{
    m_folder.write("data/settings.xml", "<settings><broken");
    const CliRun result = run("pagerank", { "abc" });
    EXPECT_EQ(result.code, 1);
    EXPECT_EQ(result.err, "vantelo-cli: cannot read " + m_folder.path("data/settings.xml").string() + "\n");
    EXPECT_TRUE(m_services.pageRank.requests().empty());
}

// A profile "Shop" sent to directory A; the custom database knows A and C.
class SnapshotCommandTest : public StatsCommandTest {
protected:
    void SetUp() override
    {
        StatsCommandTest::SetUp();
        m_directories.serve(R"(/[ac]/index\.php)", 200, "<a href=\"http://www.example.com/\">Example</a>");
        m_directories.start();
        m_folder.write("sv.xml",
            "<?xml version=\"1.0\"?><profiles><activeProfile>Shop</activeProfile><profile><name>Shop</name>"
            "<url>http://www.example.com</url><submittedto><friendlyname>A</friendlyname><url>"
                + m_directories.url("/a/submit.php")
                + "</url><title>T</title><description>D</description><keywords>K</keywords>"
                  "<datetime>01 May 2020</datetime></submittedto></profile></profiles>");
        m_folder.write("customdirdata.xml",
            "<?xml version=\"1.0\"?><customdirs><directory name=\"A\" submiturl=\""
                + m_directories.url("/a/submit.php") + "\"/><directory name=\"C\" submiturl=\""
                + m_directories.url("/c/add.php") + "\"/></customdirs>");
    }

    std::vector<SendingProfile::SubmissionEntry> history(bool& aApproved, bool& cApproved)
    {
        RecordingMessageBox messages;
        SendingProfile::ProfileStore store(messages);
        EXPECT_TRUE(store.Open(m_folder.path("sv.xml")));
        std::vector<SendingProfile::SubmissionEntry> entries;
        store.GetSubmissionHistory("Shop", entries);
        aApproved = store.IsApproved("Shop", "A", "");
        cApproved = store.IsApproved("Shop", "C", "");
        return entries;
    }

    LoopbackServer m_directories;
};

TEST_F(SnapshotCommandTest, ApprovalsAreSavedIntoTheProfilesAndTheReportWritten)
{
    m_services.pageRank.serve("/search", 200, "Rank_1:1:3");
    m_services.google.serve("/search", 200, "<html>no results</html>");
    m_services.yahooSiteExplorer.serve("/search", 200, "<html>no results</html>");
    const std::string out = m_folder.path("report.html").string();
    const CliRun result =
        run("snapshot", { "--profile", "Shop", "--general", "--approval", "--entire", out });
    ASSERT_EQ(result.code, 0) << result.err;
    EXPECT_THAT(result.err, HasSubstr("vantelo-cli: gathering general site stats...\n"));
    EXPECT_THAT(result.err, HasSubstr("vantelo-cli: checking directory approval...\n"));
    EXPECT_THAT(result.err, Not(HasSubstr("Status:")));
    EXPECT_THAT(result.err, Not(HasSubstr("successfully saved")));
    const std::string report = m_folder.read("report.html");
    EXPECT_THAT(report, HasSubstr("<td class=\"maintable\">Google PR</td><td>3</td>"));
    EXPECT_THAT(report, HasSubstr("submitted to 1 directories. Approval detected in 2 directories."));
    EXPECT_THAT(report, Not(HasSubstr("Search Engine Position")));

    bool aApproved = false;
    bool cApproved = false;
    const auto entries = history(aApproved, cApproved);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].title, "T");
    EXPECT_EQ(entries[1].friendlyName, "C");
    EXPECT_EQ(entries[1].title, "<Found by Directory Crawler module>");
    EXPECT_TRUE(aApproved);
    EXPECT_TRUE(cApproved);
}

TEST_F(SnapshotCommandTest, FiguresWithoutAnAnswerShowNotAvailableAndFail)
{
    // Google and Yahoo answer with errors only.
    m_services.pageRank.serve("/search", 200, "Rank_1:1:3");
    const std::string out = m_folder.path("report.html").string();
    const CliRun result = run("snapshot", { "--profile", "Shop", "--general", out });
    EXPECT_EQ(result.code, 1);
    EXPECT_THAT(
        result.err, HasSubstr("vantelo-cli: no usable answer from " + m_services.google.host() + "\n"));
    EXPECT_THAT(result.err, HasSubstr("the report shows n/a for the figures that got no answer"));
    const std::string report = m_folder.read("report.html");
    EXPECT_THAT(report, HasSubstr("<td class=\"maintable\">Google PR</td><td>3</td>"));
    EXPECT_THAT(report, HasSubstr("<td class=\"maintable\">Google Inbound Links</td><td>n/a</td>"));
}

TEST_F(SnapshotCommandTest, WrongArgumentsAndMissingProfile)
{
    const std::string out = m_folder.path("report.html").string();
    EXPECT_EQ(run("snapshot", { "--profile", "Shop", "--entire", out }).code, 2);
    EXPECT_EQ(run("snapshot", { "--profile", "Shop", "--approval", "--resume", "x", out }).code, 2);
    EXPECT_EQ(run("snapshot", { out }).code, 2);
    const CliRun missing = run("snapshot", { "--profile", "Nobody", out });
    EXPECT_EQ(missing.code, 1);
    EXPECT_THAT(missing.err, HasSubstr("no profile named \"Nobody\""));
    EXPECT_FALSE(m_folder.exists("report.html"));
}

} // namespace
