#include "stats/CSEOData.h"

#include "RecordingSleeper.h"
#include "SearchServices.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>

namespace {

using namespace std::chrono_literals;

// Collects results by cookie; tests wait for the number they expect.
class CollectingSink : public CSEOData::IResultSink {
public:
    void OnSEOResult(std::int32_t result, std::int32_t cookie) override
    {
        std::lock_guard lock(m_mutex);
        m_results.emplace(cookie, result);
        m_arrived.notify_all();
    }

    std::multimap<std::int32_t, std::int32_t> waitFor(std::size_t count)
    {
        std::unique_lock lock(m_mutex);
        EXPECT_TRUE(m_arrived.wait_for(lock, 30s, [&] { return m_results.size() >= count; }));
        return m_results;
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_arrived;
    std::multimap<std::int32_t, std::int32_t> m_results;
};

class CSEODataThreaded : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_services.pageRank.serve("/search", 200, "Rank_1:1:4");
        m_services.google.serve(
            "/search", 200, "of about <b>2,000</b>" + googleResults(2, "http://www.example.com"));
    }

    SearchServices m_services;
    std::shared_ptr<RecordingSleeper> m_sleeper = std::make_shared<RecordingSleeper>();
    CSEOData m_collector { m_services.hosts(), m_sleeper };
};

TEST_F(CSEODataThreaded, WithASinkTheFigureArrivesWithTheCookie)
{
    CollectingSink sink;
    EXPECT_EQ(m_collector.Query(CSEOData::GooglePageRank, "http://www.example.com/", 41, &sink), 0);
    EXPECT_EQ(m_collector.Query(CSEOData::GoogleInboundLinks, "http://www.example.com/", 42, &sink), 0);
    EXPECT_EQ(m_collector.Query(CSEOData::GooglePosition, "http://www.example.com/", "shoes", 43, &sink), 0);
    const std::multimap<std::int32_t, std::int32_t> expected { { 41, 4 }, { 42, 2000 }, { 43, 3 } };
    EXPECT_EQ(sink.waitFor(3), expected);
}

} // namespace
