#include "checker/CheckRun.h"

#include "CheckerTestSupport.h"
#include "checker/CheckStatistics.h"
#include "checker/IDirectoryEnumerator.h"
#include "stats/Gate.h"
#include "stats/StatisticsFakes.h"
#include "support/RecordingMessageBox.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

using namespace std::chrono_literals;

// A database on disk, a loopback server for its sites and the PageRank queries,
// and a run over it with the pause at 0.
class CheckRunThreaded : public ::testing::Test {
protected:
    void load(const std::vector<TestDirectory>& directories)
    {
        ASSERT_TRUE(m_backend.LoadDatabase(m_folder.write("db.xml", databaseOf(directories)), m_messages));
    }

    std::shared_ptr<CheckRun> start(CheckOptions options, std::chrono::milliseconds pause = 0ms)
    {
        auto run = CheckRun::create(m_backend.CreateEnumerator(), options, &m_observer);
        EXPECT_TRUE(run->start(m_server.host(), pause));
        return run;
    }

    CheckResults runToEnd(CheckOptions options)
    {
        const auto run = start(options);
        EXPECT_TRUE(run->waitUntilOver(30s));
        run->detach();
        EXPECT_EQ(m_observer.finished(), 1);
        return run->results();
    }

    std::u16string page(const std::string& path) const { return wide(m_server.url(path)); }

    TempFolder m_folder;
    RecordingMessageBox m_messages;
    CDirectoryBackend m_backend;
    CheckerServer m_server;
    RecordingObserver m_observer;
};

TEST_F(CheckRunThreaded, EmptyDatabaseEndsAtOnceWithEverythingZero)
{
    load({});
    EXPECT_EQ(m_backend.CreateEnumerator()->Count(), 0);
    const CheckResults results = runToEnd({});
    EXPECT_TRUE(results.empty());
    EXPECT_TRUE(m_observer.lines().empty());
    EXPECT_TRUE(m_observer.progress().empty());
    EXPECT_EQ(CheckStatistics::count(results).text(), CheckStatistics {}.text());
}

TEST_F(CheckRunThreaded, SkipsOnlyDisabledDirectoriesWithTheInternalPrefix)
{
    load({ { "__general", m_server.url("/general"), "-", "false" },
        { "__enabled", m_server.url("/enabled"), "-", "-" },
        { "Disabled", m_server.url("/disabled"), "-", "false" },
        { "__upper", m_server.url("/upper"), "-", "FALSE" }, { "Plain", m_server.url("/plain") } });
    const CheckResults results = runToEnd({ false, true });
    EXPECT_EQ(m_server.pagesRequested(),
        (std::vector<std::string> { "/enabled", "/disabled", "/upper", "/plain" }));
    // PageRank off: no PageRank lines, no changes, no queries.
    EXPECT_TRUE(m_observer.lines().empty());
    EXPECT_TRUE(results.empty());
    EXPECT_EQ(m_observer.progress(), (std::vector<int> { 1, 2, 3, 4 }));
}

TEST_F(CheckRunThreaded, PageRankResultsAreLoggedAndChangesCollected)
{
    m_server.answerPageRank("http://up.example", "Rank_1:1:3");
    m_server.answerPageRank("http://gone.example", "");
    m_server.answerPageRank("http://same.example", "Rank_1:1:5");
    load({ { "Up", "http://up.example/submit.php" }, { "Gone", "http://gone.example/add", "4" },
        { "Same", "http://same.example/", "5" }, { "Failing", "http://failing.example/", "2" } });
    const CheckResults results = runToEnd({ true, false });
    EXPECT_EQ(m_observer.lines(),
        (std::vector<std::u16string> { u"PR updated for http://up.example/submit.php from 0 to 3\r\n",
            u"PR updated for http://gone.example/add from 4 to -1\r\n",
            u"No PR update needed for http://same.example/ (PR 5)\r\n",
            u"Failed to retrieve PR for http://failing.example/. The existing value will be used: 2\r\n" }));
    EXPECT_EQ(results.prChanges,
        (std::vector<PrChange> { { u"Up", u"http://up.example/submit.php", 0, 3 },
            { u"Gone", u"http://gone.example/add", 4, -1 } }));
    const CheckStatistics statistics = CheckStatistics::count(results);
    EXPECT_EQ(statistics.movingUp, 1);
    EXPECT_EQ(statistics.upVector[3], 1);
    EXPECT_EQ(statistics.downToMinusOne, 1);
    EXPECT_EQ(statistics.downVector[5], 1);
    EXPECT_TRUE(m_server.pagesRequested().empty());
}

TEST_F(CheckRunThreaded, PagesThatDoNotAnswerAreQueued)
{
    const std::string refused = "http://127.0.0.1:" + std::to_string(refusedPort()) + "/x";
    load({ { "Alive", m_server.url("/alive") }, { "Dead", m_server.url("/dead") }, { "Refused", refused },
        { "NoScheme", "nowhere.example/add" } });
    const CheckResults results = runToEnd({ false, true });
    EXPECT_EQ(results.brokenSites,
        (std::vector<BrokenSite> { { u"Dead", page("/dead") }, { u"Refused", wide(refused) },
            { u"NoScheme", u"nowhere.example/add" } }));
    EXPECT_EQ(m_observer.lines(),
        (std::vector<std::u16string> { u"Broken site: " + page("/dead") + u" added to recheck queue\r\n",
            u"Broken site: " + wide(refused) + u" added to recheck queue\r\n",
            u"Broken site: nowhere.example/add added to recheck queue\r\n" }));
}

TEST_F(CheckRunThreaded, StopEndsTheRunAfterTheDirectoryInProgress)
{
    Gate gate;
    m_server.holdUntil(gate.opened());
    load({ { "Held", m_server.url("/held") }, { "Next", m_server.url("/next") } });
    const auto run = start({ false, true });
    while (m_server.pagesRequested().empty())
        std::this_thread::sleep_for(1ms);
    run->stop();
    gate.open();
    ASSERT_TRUE(run->waitUntilOver(30s));
    EXPECT_EQ(m_server.pagesRequested(), std::vector<std::string> { "/held" });
    EXPECT_EQ(m_observer.progress(), std::vector<int> { 1 });
    EXPECT_EQ(m_observer.finished(), 1);
}

TEST_F(CheckRunThreaded, StopCutsThePauseShortAndDetachSilencesTheObserver)
{
    m_server.answerPageRank("http://a.example", "Rank_1:1:1");
    load({ { "A", "http://a.example/" }, { "B", "http://b.example/" } });
    const auto run = start({ true, false }, 1h);
    while (m_server.server().requests().empty())
        std::this_thread::sleep_for(1ms);
    run->detach();
    ASSERT_TRUE(run->waitUntilOver(30s));
    EXPECT_EQ(m_observer.finished(), 0);
    EXPECT_EQ(m_server.server().requests().size(), 1u);
    EXPECT_FALSE(run->start(m_server.host(), 0ms));
}

} // namespace

namespace {

// 150 directories whose sites Open PageRank knows, all but one; stored PR 3.
std::vector<TestDirectory> openPageRankDirectories(OpenPageRankFake& openPageRank)
{
    std::vector<TestDirectory> directories;
    for (int i = 0; i < 150; ++i) {
        const std::string site = "dir" + std::to_string(i) + ".example";
        directories.push_back({ "Dir " + std::to_string(i), "http://www." + site + "/submit.php", "3" });
        if (i != 7)
            openPageRank.setRank(site, i % 2 == 0 ? 3 : 5);
    }
    return directories;
}

TEST_F(CheckRunThreaded, OpenPageRankChecksAHundredDirectoriesARequestAndLogsEachAsBefore)
{
    OpenPageRankFake openPageRank;
    load(openPageRankDirectories(openPageRank));
    const auto run = CheckRun::create(m_backend.CreateEnumerator(), { true, false }, &m_observer);
    // The toolbar's pause does not apply to Open PageRank: the run ends well within the wait.
    ASSERT_TRUE(run->start(openPageRank.hosts(), 60s));
    ASSERT_TRUE(run->waitUntilOver(30s));
    run->detach();
    const CheckResults results = run->results();

    const auto batches = openPageRank.batches();
    ASSERT_EQ(batches.size(), 2u);
    EXPECT_EQ(batches[0].size(), 100u);
    EXPECT_EQ(batches[0][1], "dir1.example");
    EXPECT_EQ(m_observer.progress().size(), 150u);
    ASSERT_EQ(results.prChanges.size(), 74u); // the odd ones but 7 went from 3 to 5
    EXPECT_EQ(results.prChanges[0].name, u"Dir 1");
    EXPECT_EQ(results.prChanges[0].newPR, 5);
    const std::vector<std::u16string> lines = m_observer.lines();
    ASSERT_EQ(lines.size(), 150u);
    EXPECT_EQ(lines[0], u"No PR update needed for http://www.dir0.example/submit.php (PR 3)\r\n");
    EXPECT_EQ(lines[7],
        u"Failed to retrieve PR for http://www.dir7.example/submit.php. The existing value will be used: "
        u"3\r\n");
}

TEST_F(CheckRunThreaded, ARefusedOpenPageRankKeyIsLoggedOnceAndNoPageRankChanges)
{
    OpenPageRankFake openPageRank;
    load(openPageRankDirectories(openPageRank));
    const auto run = CheckRun::create(m_backend.CreateEnumerator(), { true, false }, &m_observer);
    ASSERT_TRUE(run->start(openPageRank.hosts("wrong key"), 0ms));
    ASSERT_TRUE(run->waitUntilOver(30s));
    run->detach();
    EXPECT_TRUE(run->results().prChanges.empty());
    EXPECT_EQ(openPageRank.batches().size(), 1u);
    const std::vector<std::u16string> lines = m_observer.lines();
    ASSERT_EQ(lines.size(), 151u);
    EXPECT_EQ(
        lines[0], u"PageRank: Open PageRank refused the API key (HTTP 401); check the key in Settings\r\n");
    EXPECT_EQ(lines[150],
        u"Failed to retrieve PR for http://www.dir149.example/submit.php. The existing value will be used: "
        u"3\r\n");
}

} // namespace
