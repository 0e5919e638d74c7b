#include "stats/WideSiteChecker.h"

#include "RecordingSleeper.h"
#include "StatisticsFakes.h"
#include "stats/PageRank.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>

namespace {

using namespace std::chrono_literals;

// Hands out `count` sites and records what comes back; after `stopAfter`
// results it asks the checker to drop the rest of the batch.
class BatchSink : public WideSiteChecker::ICheckSink {
public:
    BatchSink(int count, int stopAfter)
        : m_count(count)
        , m_stopAfter(stopAfter)
    {
    }

    bool NextSite(std::u16string& url, bool& checkPageRank, bool& checkAlive) override
    {
        std::lock_guard lock(m_mutex);
        if (m_handedOut == m_count || static_cast<int>(m_results.size()) >= m_stopAfter)
            return false;
        const std::string site = "http://www.site" + std::to_string(m_handedOut++) + ".com/add.php";
        url.assign(site.begin(), site.end());
        checkPageRank = true;
        checkAlive = false;
        return true;
    }

    void SiteChecked(const std::u16string& url, std::int32_t pageRank, std::int32_t) override
    {
        std::lock_guard lock(m_mutex);
        m_results.emplace_back(url, pageRank);
    }

    bool keepChecking() override
    {
        std::lock_guard lock(m_mutex);
        return static_cast<int>(m_results.size()) < m_stopAfter;
    }

    void runEnded() override
    {
        std::lock_guard lock(m_mutex);
        ++m_ended;
        m_changed.notify_all();
    }

    std::vector<std::pair<std::u16string, std::int32_t>> waitForEnd()
    {
        std::unique_lock lock(m_mutex);
        EXPECT_TRUE(m_changed.wait_for(lock, 30s, [this] { return m_ended > 0; }));
        return m_results;
    }
    int ended() const
    {
        std::lock_guard lock(m_mutex);
        return m_ended;
    }

private:
    const int m_count;
    const int m_stopAfter;
    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    int m_handedOut = 0;
    int m_ended = 0;
    std::vector<std::pair<std::u16string, std::int32_t>> m_results;
};

TEST(OpenPageRankThreaded, TheListCheckersCheckerReportsABatchInOrderWithoutPausing)
{
    OpenPageRankFake openPageRank;
    for (int i = 0; i < 230; i += 2)
        openPageRank.setRank("site" + std::to_string(i) + ".com", i % 11);
    auto sleeper = std::make_shared<RecordingSleeper>();
    WideSiteChecker checker(openPageRank.hosts(), sleeper);
    EXPECT_EQ(checker.batchSize(), 100u);
    BatchSink sink(230, 1000);
    ASSERT_TRUE(checker.Start(&sink));
    const auto results = sink.waitForEnd();
    ASSERT_EQ(results.size(), 230u);
    EXPECT_EQ(results[4], std::make_pair(std::u16string(u"http://www.site4.com/add.php"), 4));
    EXPECT_EQ(results[5].second, kFailedPageRank); // unknown to the service
    EXPECT_EQ(results[229].first, u"http://www.site229.com/add.php");
    EXPECT_EQ(openPageRank.batches().size(), 3u);
    EXPECT_TRUE(sleeper->pauses().empty());
    EXPECT_EQ(sink.ended(), 1);
}

TEST(OpenPageRankThreaded, AStopDropsTheRestOfTheBatchAndTheToolbarStillGoesOneByOne)
{
    OpenPageRankFake openPageRank;
    BatchSink stopped(230, 10);
    WideSiteChecker checker(openPageRank.hosts(), std::make_shared<RecordingSleeper>());
    ASSERT_TRUE(checker.Start(&stopped));
    EXPECT_EQ(stopped.waitForEnd().size(), 10u);
    EXPECT_EQ(openPageRank.batches().size(), 1u);

    HostConfiguration toolbar;
    EXPECT_EQ(WideSiteChecker(toolbar, std::make_shared<RecordingSleeper>()).batchSize(), 1u);
}

} // namespace
