#include "stats/OpenPageRank.h"

#include "RecordingSleeper.h"
#include "StatisticsFakes.h"
#include "stats/CSEOData.h"
#include "stats/PageRank.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using namespace std::chrono_literals;

TEST(OpenPageRankTest, SiteDomainIsTheHostWithoutSchemePortAndWww)
{
    const std::vector<std::pair<std::string, std::string>> cases = {
        { "http://www.Example.com/dir/page.html", "example.com" },
        { "https://sub.example.co.uk:8443/?q=1", "sub.example.co.uk" },
        { "example.org", "example.org" },
        { "http://user@www.example.net.", "example.net" },
        { "", "" },
    };
    for (const auto& [url, domain] : cases)
        EXPECT_EQ(siteDomain(url), domain) << url;
}

TEST(OpenPageRankTest, AnswersAreReadByStatusAndRangeAndBadTextIsAProblem)
{
    struct Case {
        std::string body;
        std::map<std::string, std::int32_t> ranks;
        std::string problem;
    };
    const std::vector<Case> cases = {
        { R"({"status_code":200,"response":[
            {"status_code":200,"error":"","page_rank_integer":6,"page_rank_decimal":5.9,"rank":"100","domain":"A.com"},
            {"status_code":404,"error":"Domain not found","page_rank_integer":0,"rank":null,"domain":"b.com"},
            {"status_code":"200","page_rank_integer":"7","domain":"c.com"},
            {"status_code":200,"page_rank_integer":11,"domain":"d.com"},
            {"status_code":200,"domain":"e.com"}]})",
            { { "a.com", 6 }, { "c.com", 7 } }, "" },
        { R"({"status_code":200,"response":[]})", {}, "" },
        { "<html>Bad gateway</html>", {}, "not JSON" },
        { R"({"status_code":401,"error":"Invalid API key"})", {}, "without a \"response\" list" },
        { R"({"response":[{"status_code":200,"page_rank_integer":3,"dom)", {}, "not JSON" },
    };
    for (const Case& c : cases) {
        const OpenPageRankAnswer answer = readOpenPageRankAnswer(c.body);
        EXPECT_EQ(answer.pageRanks, c.ranks) << c.body;
        EXPECT_THAT(answer.problem,
            c.problem.empty() ? testing::Matcher<std::string>(testing::IsEmpty()) : HasSubstr(c.problem))
            << c.body;
    }
}

// One scripted server behaviour and what the client makes of it: the ranks of
// a.com (known, PR 5) and gone.com (unknown), the requests sent, the pauses.
TEST(OpenPageRankTest, TheClientHandlesEachKindOfAnswerWithoutRetryingInALoop)
{
    struct Case {
        std::string name;
        std::vector<std::tuple<int, std::string, std::string>> queued; // status, body, Retry-After
        std::string key;
        std::vector<std::int32_t> ranks;
        std::size_t requests;
        std::vector<int> pauses;
        std::string problem;
    };
    const std::string tooMany = R"({"status_code":429,"error":"Too many requests"})";
    const std::vector<Case> cases = {
        { "answer", {}, OpenPageRankFake::kKey, { 5, -2 }, 1, {}, "" },
        { "bad key", {}, "wrong", { -2, -2 }, 1, {}, "refused the API key (HTTP 401)" },
        { "429 then answer", { { 429, tooMany, "7" } }, OpenPageRankFake::kKey, { 5, -2 }, 2, { 7000 },
            "asks to wait 7 s" },
        { "429 twice", { { 429, tooMany, "2" }, { 429, tooMany, "" } }, OpenPageRankFake::kKey, { -2, -2 }, 2,
            { 2000 }, "still asks to wait" },
        { "malformed", { { 200, "{\"response\": [", "" } }, OpenPageRankFake::kKey, { -2, -2 }, 1, {},
            "not JSON" },
        { "server error", { { 500, "oops", "" } }, OpenPageRankFake::kKey, { -2, -2 }, 1, {}, "HTTP 500" },
        { "no key", {}, "", { -2, -2 }, 0, {}, "no Open PageRank key" },
    };
    for (const Case& c : cases) {
        OpenPageRankFake fake;
        fake.setRank("a.com", 5);
        for (const auto& [status, body, retryAfter] : c.queued)
            fake.answerNext(status, body, retryAfter);
        auto sleeper = std::make_shared<RecordingSleeper>();
        OpenPageRankClient client(fake.url(), c.key, sleeper);
        std::vector<std::string> problems;
        client.setProblemListener([&](const std::string& problem) { problems.push_back(problem); });

        EXPECT_EQ(client.query({ "a.com", "gone.com" }, kFailedPageRank), c.ranks) << c.name;
        EXPECT_EQ(fake.batches().size(), c.requests) << c.name;
        EXPECT_EQ(sleeper->pauses(), c.pauses) << c.name;
        if (c.problem.empty()) {
            EXPECT_TRUE(problems.empty()) << c.name;
        } else {
            EXPECT_THAT(problems, testing::Contains(HasSubstr(c.problem))) << c.name;
        }
    }
}

TEST(OpenPageRankTest, ARefusedKeyOrADeadServerEndsTheAskingInsteadOfRepeatingIt)
{
    OpenPageRankFake fake;
    OpenPageRankClient refused(fake.url(), "wrong", std::make_shared<RecordingSleeper>());
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(refused.query({ "a.com" }, -1), std::vector<std::int32_t> { -1 });
    EXPECT_EQ(fake.batches().size(), 1u);

    OpenPageRankClient dead(
        "http://127.0.0.1:" + std::to_string(refusedPort()), "k", std::make_shared<RecordingSleeper>());
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(dead.query({ "a.com" }, -1), std::vector<std::int32_t> { -1 });
    EXPECT_EQ(dead.requestCount(), static_cast<std::size_t>(OpenPageRankClient::kUnansweredLimit));
}

TEST(OpenPageRankTest, DomainsGoAHundredARequestWithTheKeyHeaderAndDuplicatesOnce)
{
    OpenPageRankFake fake;
    std::vector<std::string> domains;
    for (int i = 0; i < 250; ++i) {
        domains.push_back("site" + std::to_string(i) + ".com");
        fake.setRank(domains.back(), i % 11);
    }
    domains.push_back("site240.com");
    OpenPageRankClient client(fake.url(), OpenPageRankFake::kKey, std::make_shared<RecordingSleeper>());
    const std::vector<std::int32_t> ranks = client.query(domains, -1);
    ASSERT_EQ(ranks.size(), domains.size());
    EXPECT_EQ(ranks[0], 0);
    EXPECT_EQ(ranks[123], 123 % 11);
    EXPECT_EQ(ranks[250], 240 % 11);
    const auto batches = fake.batches();
    ASSERT_EQ(batches.size(), 3u);
    EXPECT_EQ(batches[0].size(), 100u);
    EXPECT_EQ(batches[1].size(), 100u);
    EXPECT_EQ(batches[2].size(), 50u);
    EXPECT_EQ(OpenPageRankClient::requestPath({ "a.com", "b c" }),
        "/api/v1.0/getPageRank?domains%5B%5D=a.com&domains%5B%5D=b%20c");
}

TEST(OpenPageRankTest, TheBudgetWaitsUntilTheOldestRequestLeavesThePeriod)
{
    auto now = RequestBudget::Clock::time_point {};
    // A sleeper that moves the budget's clock on, as a real wait would.
    class ClockSleeper : public RecordingSleeper {
    public:
        explicit ClockSleeper(RequestBudget::Clock::time_point& now)
            : m_now(now)
        {
        }
        void sleepFor(std::chrono::milliseconds duration) override
        {
            RecordingSleeper::sleepFor(duration);
            m_now += duration;
        }

    private:
        RequestBudget::Clock::time_point& m_now;
    } sleeper(now);
    RequestBudget budget(3, 1000ms, [&] { return now; });
    for (int i = 0; i < 3; ++i) {
        budget.take(sleeper);
        now += 100ms;
    }
    budget.take(sleeper); // the first is 300 ms old: 700 ms to go
    budget.holdFor(5000ms);
    budget.take(sleeper);
    EXPECT_THAT(sleeper.pauses(), ElementsAre(700, 5000));
    EXPECT_EQ(budget.taken(), 5u);
}

TEST(OpenPageRankTest, TheCollectorAsksOpenPageRankForTheDomainOfAPageAndItsHomePage)
{
    OpenPageRankFake fake;
    fake.setRank("example.com", 4);
    const CSEOData collector(fake.hosts(), std::make_shared<RecordingSleeper>());
    EXPECT_EQ(collector.Query(CSEOData::GooglePageRank, "http://www.example.com/a/b.html", 0, nullptr), 4);
    EXPECT_EQ(collector.Query(CSEOData::HomePagePageRank, "http://www.example.com/a/b.html", 0, nullptr), 4);
    EXPECT_EQ(collector.Query(CSEOData::GooglePageRank, "http://unknown.org/", 0, nullptr), kUnknownPageRank);
    EXPECT_THAT(fake.batches(),
        ElementsAre(ElementsAre("example.com"), ElementsAre("example.com"), ElementsAre("unknown.org")));
    EXPECT_EQ(collector.labelOf(CSEOData::GooglePageRank), "PageRank");
    EXPECT_EQ(collector.sourceOf(CSEOData::GooglePageRank), "Open PageRank (" + fake.url() + ")");
}

} // namespace
