#include "stats/SearchApi.h"

#include "RecordingSleeper.h"
#include "StatisticsFakes.h"
#include "stats/CSEOData.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

using ::testing::HasSubstr;

std::vector<std::string> resultsWithSiteAt(int position, int count)
{
    std::vector<std::string> urls;
    for (int i = 1; i <= count; ++i)
        urls.push_back(
            i == position ? "https://www.example.com/about" : "https://other" + std::to_string(i) + ".net/");
    return urls;
}

TEST(SearchApiTest, PositionsComeFromTheOrderOfResultsPageByPage)
{
    struct Case {
        std::string name;
        bool brave;
        std::vector<std::string> results;
        std::int32_t position;
        std::size_t requests;
    };
    const std::vector<Case> cases = {
        { "brave first page", true, resultsWithSiteAt(3, 60), 3, 1 },
        { "brave third page", true, resultsWithSiteAt(45, 60), 45, 3 },
        { "brave not in 100", true, resultsWithSiteAt(101, 120), 0, 5 },
        { "brave empty", true, {}, 0, 1 },
        { "searxng second page", false, resultsWithSiteAt(17, 30), 17, 2 },
        { "searxng runs out", false, resultsWithSiteAt(0, 25), 0, 4 },
    };
    for (const Case& c : cases) {
        SearchApiFake fake;
        fake.setResults(c.results);
        auto sleeper = std::make_shared<RecordingSleeper>();
        const HostConfiguration hosts = c.brave ? fake.braveHosts() : fake.searxngHosts();
        const SearchApiClient client(hosts.services(), sleeper);
        EXPECT_EQ(client.position("http://example.com", "blue widgets"), c.position) << c.name;
        EXPECT_EQ(fake.requests().size(), c.requests) << c.name;
        EXPECT_EQ(sleeper->pauses().size(), c.requests - 1) << c.name;
    }
}

TEST(SearchApiTest, RequestsCarryTheKeyAndTheDocumentedParameters)
{
    SearchApiFake fake;
    fake.setResults(resultsWithSiteAt(30, 40));
    const SearchApiClient brave(fake.braveHosts().services(), std::make_shared<RecordingSleeper>());
    EXPECT_EQ(brave.position("example.com", "a b"), 30);
    const auto requests = fake.requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].target, "/res/v1/web/search?q=a%20b&count=20&offset=0");
    EXPECT_EQ(requests[1].target, "/res/v1/web/search?q=a%20b&count=20&offset=1");

    const SearchApiClient searxng(fake.searxngHosts().services(), std::make_shared<RecordingSleeper>());
    searxng.results("site:example.com");
    EXPECT_EQ(fake.requests().back().target, "/search?q=site:example.com&format=json&pageno=1");
}

TEST(SearchApiTest, ErrorAnswersGiveAnUnknownPositionAndAClearProblem)
{
    struct Case {
        std::string name;
        int status;
        std::string body;
        std::string retryAfter;
        int repeats;
        std::int32_t position;
        std::string problem;
    };
    const std::vector<Case> cases = {
        { "bad key", 401, R"({"type":"ErrorResponse"})", "", 1, -1, "refused the key (HTTP 401)" },
        { "429 then answer", 429, "{}", "3", 1, 2, "" },
        { "429 twice", 429, "{}", "3", 2, -1, "HTTP 429" },
        { "malformed", 200, "{\"web\": {", "", 1, -1, "not JSON" },
    };
    for (const Case& c : cases) {
        SearchApiFake fake;
        fake.setResults(resultsWithSiteAt(2, 5));
        for (int i = 0; i < c.repeats; ++i)
            fake.answerNext(c.status, c.body, c.retryAfter);
        auto sleeper = std::make_shared<RecordingSleeper>();
        const SearchApiClient client(fake.braveHosts().services(), sleeper);
        EXPECT_EQ(client.position("example.com", "phrase"), c.position) << c.name;
        EXPECT_THAT(client.lastProblem(), HasSubstr(c.problem)) << c.name;
        if (!c.retryAfter.empty()) {
            EXPECT_EQ(sleeper->pauses().front(), 3000) << c.name;
        }
    }
}

TEST(SearchApiTest, AnAnswerThatKeepsTricklingIsGivenUp)
{
    LoopbackServer server;
    server.handle(
        "/search", trickle(R"({"results": []})", std::chrono::milliseconds(100), "application/json"));
    server.start();
    StatisticsServices services;
    services.search = StatisticsServices::SearchProvider::SearXng;
    services.searxngUrl = server.url("");
    SearchApiClient client(services, std::make_shared<RecordingSleeper>());
    client.setAnswerTimeLimit(std::chrono::milliseconds(500));
    EXPECT_TRUE(client.results("phrase").empty());
    EXPECT_THAT(client.lastProblem(), HasSubstr("timed out"));
}

TEST(SearchApiTest, FiguresAnApiCannotGiveAreNotAvailableWithoutARequest)
{
    SearchApiFake fake;
    fake.setResults(resultsWithSiteAt(4, 10), 1234);
    auto sleeper = std::make_shared<RecordingSleeper>();
    const CSEOData brave(fake.braveHosts(), sleeper);
    for (const std::int32_t kind : { CSEOData::GoogleInboundLinks, CSEOData::YahooInboundLinks,
             CSEOData::YahooIndex, CSEOData::YahooPosition, CSEOData::GoogleIndex })
        EXPECT_EQ(brave.Query(kind, "http://example.com", "phrase", 0, nullptr), CSEOData::kNotAvailable)
            << kind;
    EXPECT_TRUE(fake.requests().empty());
    EXPECT_EQ(brave.Query(CSEOData::GooglePosition, "http://example.com", "phrase", 0, nullptr), 4);
    EXPECT_EQ(brave.sourceOf(CSEOData::GoogleInboundLinks), "not offered by Brave Search");
    EXPECT_EQ(brave.labelOf(CSEOData::GooglePosition), "Brave Search Position");

    const CSEOData searxng(fake.searxngHosts(), sleeper);
    EXPECT_EQ(searxng.Query(CSEOData::GoogleIndex, "http://www.example.com/x", 0, nullptr), 1234);
    EXPECT_EQ(fake.requests().back().target, "/search?q=site:example.com&format=json&pageno=1");
    EXPECT_EQ(searxng.searchResults("q").size(), 10u);
}

} // namespace
