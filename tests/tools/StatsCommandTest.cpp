#include "CliRun.h"
#include "Commands.h"
#include "profiles/ProfileStore.h"
#include "stats/SearchServices.h"
#include "stats/StatisticsFakes.h"
#include "support/RecordingMessageBox.h"
#include "support/TempFolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::HasSubstr;
using ::testing::Not;

namespace {

// A data folder whose settings point every search service, and the Tranco
// list's address, at loopback servers.
class StatsCommandTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_tranco.serve(
            "/top-1m.csv.zip", 200, zipOf("top-1m.csv", trancoText(500, { { 3, "example.com" } })));
        m_tranco.start();
        writeSettings({});
    }

    // The loopback hosts and the given settings, written as data/settings.xml.
    void writeSettings(const std::string& more)
    {
        std::string hosts;
        const HostConfiguration configured = m_services.hosts();
        hosts += "<pagerankhost>" + configured.pageRankHost() + "</pagerankhost>";
        hosts += "<alexahost>" + configured.alexaHost() + "</alexahost>";
        hosts += "<googlehost>" + configured.googleHost() + "</googlehost>";
        hosts += "<yahoosehost>" + configured.yahooSiteExplorerHost() + "</yahoosehost>";
        hosts += "<yahoohost>" + configured.yahooHost() + "</yahoohost>";
        hosts += "<trancourl>" + m_tranco.url("/top-1m.csv.zip") + "</trancourl>";
        m_folder.write(
            "data/settings.xml", "<?xml version=\"1.0\"?><settings>" + hosts + more + "</settings>");
    }

    CliRun run(int (*command)(const std::vector<std::string>&), std::vector<std::string> arguments)
    {
        arguments.insert(arguments.begin(), { "--data-dir", m_folder.path().string() });
        return runCliCommand(command, arguments);
    }

    SearchServices m_services;
    LoopbackServer m_tranco;
    TempFolder m_folder;
};

TEST_F(StatsCommandTest, PageRankShowsChecksumPathAndValue)
{
    m_services.pageRank.serve("/search", 200, "Rank_1:1:7");
    const CliRun result = run(runPageRankCommand, { "abc" });
    EXPECT_EQ(result.code, 0) << result.err;
    EXPECT_EQ(result.out,
        "checksum -1805545757\n"
        "path /search?client=navclient-auto&ch=6-1805545757&features=Rank&q=info%3Aabc\n"
        "source toolbar query ("
            + m_services.pageRank.host()
            + ")\n"
              "pagerank 7\n");
    EXPECT_THAT(result.err, HasSubstr(m_services.pageRank.host()));
    EXPECT_EQ(run(runPageRankCommand, {}).code, 2);
}

TEST_F(StatsCommandTest, StatsPrintsOneFigure)
{
    m_services.google.serve(
        "/search", 200, "of about <b>1,230</b>" + googleResults(4, "http://www.example.com"));
    CliRun result = run(runStatsCommand, { "googlelinks", "http://www.example.com/" });
    EXPECT_EQ(result.code, 0) << result.err;
    EXPECT_EQ(result.out, "1230\n");
    result = run(runStatsCommand, { "7", "http://www.example.com/", "blue shoes" });
    EXPECT_EQ(result.out, "5\n");
    EXPECT_EQ(m_services.google.requests().back().target, "/search?num=100&q=blue%20shoes&start=0");

    EXPECT_EQ(run(runStatsCommand, { "googleposition", "http://www.example.com/" }).code, 2);
    EXPECT_EQ(run(runStatsCommand, { "alexa", "http://www.example.com/", "phrase" }).code, 2);
    EXPECT_EQ(run(runStatsCommand, { "9", "http://www.example.com/" }).code, 2);
}

TEST_F(StatsCommandTest, OpenPageRankAnswersWhenAKeyIsSetAndSaysWhyItCannot)
{
    OpenPageRankFake openPageRank;
    openPageRank.setRank("example.com", 5);
    writeSettings("<openpagerankkey>" + std::string(OpenPageRankFake::kKey)
        + "</openpagerankkey><openpagerankurl>" + openPageRank.url() + "</openpagerankurl>");

    CliRun result = run(runPageRankCommand, { "http://www.example.com/page.html" });
    EXPECT_EQ(result.code, 0) << result.err;
    EXPECT_EQ(
        result.out, "domain example.com\nsource Open PageRank (" + openPageRank.url() + ")\npagerank 5\n");
    result = run(runStatsCommand, { "homepagerank", "http://example.com/a/b" });
    EXPECT_EQ(result.out, "5\n");
    EXPECT_THAT(result.err, HasSubstr("source: Open PageRank (" + openPageRank.url() + ")"));
    EXPECT_TRUE(m_services.pageRank.requests().empty());

    // A domain the service does not know, then a refused key.
    EXPECT_THAT(run(runPageRankCommand, { "unknown.org" }).out, HasSubstr("pagerank -1\n"));
    openPageRank.answerNext(401, R"({"status_code":401,"error":"Invalid API key"})");
    result = run(runPageRankCommand, { "example.com" });
    EXPECT_THAT(result.out, HasSubstr("pagerank -1\n"));
    EXPECT_THAT(result.err, HasSubstr("refused the API key"));

    // The toolbar query stays available by name with a key set.
    m_services.pageRank.serve("/search", 200, "Rank_1:1:2");
    writeSettings("<openpagerankkey>k</openpagerankkey><pagerankprovider>toolbar</pagerankprovider>");
    EXPECT_THAT(run(runPageRankCommand, { "example.com" }).out, HasSubstr("pagerank 2\n"));
}

TEST_F(StatsCommandTest, FiguresASearchApiCannotGiveAreNotAvailable)
{
    SearchApiFake brave;
    brave.setResults({ "http://other.org/", "http://www.example.com/shoes" });
    writeSettings("<searchprovider>brave</searchprovider><braveurl>" + brave.url() + "</braveurl><bravekey>"
        + SearchApiFake::kKey + "</bravekey>");
    CliRun result = run(runStatsCommand, { "googleposition", "http://www.example.com/", "shoes" });
    EXPECT_EQ(result.out, "2\n") << result.err;
    EXPECT_THAT(result.err, HasSubstr("source: Brave Search"));
    result = run(runStatsCommand, { "googlelinks", "http://www.example.com/" });
    EXPECT_EQ(result.code, 0);
    EXPECT_EQ(result.out, "n/a\n");
    EXPECT_THAT(result.err, HasSubstr("source: not offered by Brave Search"));
    EXPECT_TRUE(m_services.google.requests().empty());
}

TEST_F(StatsCommandTest, TrancoUpdateStoresTheListThatGivesTheTrafficRank)
{
    CliRun result = run(runTrancoCommand, { "update" });
    ASSERT_EQ(result.code, 0) << result.err;
    EXPECT_THAT(result.out, HasSubstr("list downloaded on"));
    EXPECT_THAT(result.err, HasSubstr("100%"));
    EXPECT_THAT(result.err, HasSubstr("saved with 500 sites"));
    EXPECT_EQ(m_tranco.requests().size(), 1u);

    // A fresh list is read without another download.
    result = run(runStatsCommand, { "alexa", "http://www.example.com/" });
    EXPECT_EQ(result.out, "3\n") << result.err;
    EXPECT_THAT(result.err, HasSubstr("source: Tranco list, downloaded on"));
    EXPECT_EQ(run(runStatsCommand, { "alexa", "unlisted.org" }).out, "0\n");
    EXPECT_EQ(m_tranco.requests().size(), 1u);

    // A failed download is an error and keeps the list.
    m_tranco.serve("/top-1m.csv.zip", 200, "<html>maintenance</html>");
    result = run(runTrancoCommand, { "update" });
    EXPECT_EQ(result.code, 1);
    EXPECT_THAT(result.err, HasSubstr("the old list is kept"));
    EXPECT_EQ(run(runStatsCommand, { "alexa", "example.com" }).out, "3\n");
    EXPECT_EQ(run(runTrancoCommand, { "fetch" }).code, 2);
    EXPECT_EQ(run(runTrancoCommand, {}).code, 2);
}

TEST_F(StatsCommandTest, UnreadableSettingsAreAnError)
{
    m_folder.write("data/settings.xml", "<settings><broken");
    // vantelo-cli turns the error into its message and exit code 1.
    EXPECT_THROW(runPageRankCommand({ "--data-dir", m_folder.path().string(), "abc" }), std::runtime_error);
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
    const std::string out = m_folder.path("report.html").string();
    const CliRun result =
        run(runSnapshotCommand, { "--profile", "Shop", "--general", "--approval", "--entire", out });
    ASSERT_EQ(result.code, 0) << result.err;
    EXPECT_THAT(result.err, HasSubstr("Status: gathering general site stats...\n"));
    EXPECT_THAT(result.err, HasSubstr("Status: checking directory approval...\n"));
    EXPECT_THAT(result.err, HasSubstr("Vantelo: Your snapshot was successfully saved.\n"));
    const std::string report = m_folder.read("report.html");
    EXPECT_THAT(report, HasSubstr("<td class=\"maintable\">Google PR</td><td>3</td>"));
    EXPECT_THAT(report, HasSubstr("Traffic Rank</td><td>3</td><td>Tranco list, downloaded on"));
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

TEST_F(SnapshotCommandTest, WrongArgumentsAndMissingProfile)
{
    const std::string out = m_folder.path("report.html").string();
    EXPECT_EQ(run(runSnapshotCommand, { "--profile", "Shop", "--entire", out }).code, 2);
    EXPECT_EQ(run(runSnapshotCommand, { "--profile", "Shop", "--approval", "--resume", "x", out }).code, 2);
    EXPECT_EQ(run(runSnapshotCommand, { out }).code, 2);
    const CliRun missing = run(runSnapshotCommand, { "--profile", "Nobody", out });
    EXPECT_EQ(missing.code, 1);
    EXPECT_THAT(missing.err, HasSubstr("no profile named \"Nobody\""));
    EXPECT_FALSE(m_folder.exists("report.html"));
}

} // namespace
