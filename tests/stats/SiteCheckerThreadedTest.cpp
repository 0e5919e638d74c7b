#include "stats/CSiteChecker.h"
#include "stats/WideSiteChecker.h"

#include "RecordingSleeper.h"
#include "net/LoopbackServer.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <tuple>

namespace {

using namespace std::chrono_literals;

// A sink that hands out a fixed list and collects the results until the checker
// says the run has ended (its last call on the sink).
template <typename Text> class ListSink : public BasicSiteChecker<Text>::ICheckSink {
public:
    struct Site {
        Text url;
        bool pageRank;
        bool alive;
    };
    using Result = std::tuple<Text, std::int32_t, std::int32_t>;

    explicit ListSink(std::deque<Site> sites)
        : m_sites(std::move(sites))
    {
    }

    bool NextSite(Text& url, bool& checkPageRank, bool& checkAlive) override
    {
        std::lock_guard lock(m_mutex);
        if (m_sites.empty())
            return false;
        url = m_sites.front().url;
        checkPageRank = m_sites.front().pageRank;
        checkAlive = m_sites.front().alive;
        m_sites.pop_front();
        return true;
    }

    void SiteChecked(const Text& url, std::int32_t pageRank, std::int32_t alive) override
    {
        std::lock_guard lock(m_mutex);
        m_results.emplace_back(url, pageRank, alive);
    }

    void runEnded() override
    {
        std::lock_guard lock(m_mutex);
        m_over = true;
        m_changed.notify_all();
    }

    // The results once the run is over.
    std::vector<Result> waitForResults()
    {
        std::unique_lock lock(m_mutex);
        EXPECT_TRUE(m_changed.wait_for(lock, 30s, [this] { return m_over; }));
        return m_results;
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<Site> m_sites;
    std::vector<Result> m_results;
    bool m_over = false;
};

// One loopback host that is both the query service and a directory site.
class SiteCheckerThreaded : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_server.serve("/search", 200, "Rank_1:1:6");
        m_server.serve("/dir/submit.php", 200, "form");
        m_server.serve("/gone.php", 404, "gone");
        m_server.start();
    }

    LoopbackServer m_server;
};

TEST_F(SiteCheckerThreaded, MainProgramChecksEachSiteInTurn)
{
    const std::string page = m_server.url("/dir/submit.php");
    const std::string gone = m_server.url("/gone.php");
    ListSink<std::string> sink({ { page, true, true }, { gone, false, true }, { page, true, false } });
    CSiteChecker checker(m_server.host());
    ASSERT_TRUE(checker.Start(&sink));
    using R = ListSink<std::string>::Result;
    EXPECT_EQ(
        sink.waitForResults(), (std::vector<R> { R { page, 6, 0 }, R { gone, -1, 2 }, R { page, 6, 0 } }));

    // PageRank is asked for the site root, not the page.
    std::vector<std::string> queried;
    for (const SeenRequest& request : m_server.requests())
        if (request.target.rfind("/search", 0) == 0)
            queried.push_back(request.target);
    ASSERT_EQ(queried.size(), 2u);
    EXPECT_NE(queried[0].find("&q=info%3Ahttp:%2F%2F127.0.0.1:"), std::string::npos);
    EXPECT_EQ(queried[0].find("dir"), std::string::npos);
    EXPECT_FALSE(checker.Start(nullptr));
}

TEST_F(SiteCheckerThreaded, ListCheckerPausesAfterQueriesAndReportsFailuresAsMinusTwo)
{
    auto sleeper = std::make_shared<RecordingSleeper>();
    const std::string host = m_server.host();
    const std::u16string page = u"http://" + std::u16string(host.begin(), host.end()) + u"/dir/submit.php";
    ListSink<std::u16string> sink({ { page, true, true }, { page, false, true } });
    WideSiteChecker checker(host, sleeper);
    ASSERT_TRUE(checker.Start(&sink));
    using R = ListSink<std::u16string>::Result;
    EXPECT_EQ(sink.waitForResults(), (std::vector<R> { R { page, 6, 0 }, R { page, -1, 0 } }));
    EXPECT_EQ(sleeper->pauses(), std::vector<int> { 3000 });

    ListSink<std::u16string> deadSink({ { page, true, false } });
    WideSiteChecker dead("127.0.0.1:" + std::to_string(refusedPort()), sleeper);
    ASSERT_TRUE(dead.Start(&deadSink));
    EXPECT_EQ(deadSink.waitForResults(), (std::vector<R> { R { page, -2, 0 } }));
}

} // namespace
