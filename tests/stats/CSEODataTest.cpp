#include "stats/CSEOData.h"

#include "RecordingSleeper.h"
#include "SearchServices.h"
#include "common/SettingsStore.h"
#include "support/RecordingMessageBox.h"

#include <gtest/gtest.h>

namespace {

constexpr const char* kSite = "http://www.example.com/shop/index.html";

// The collectors against loopback search services; requests run on this thread.
class CSEODataTest : public ::testing::Test {
protected:
    std::int32_t query(CSEOData::Kind kind, const std::string& url = kSite, const std::string& phrase = {})
    {
        return m_collector.Query(kind, url, phrase, 0, static_cast<CSEOData::IResultSink*>(nullptr));
    }

    // The request targets one service saw.
    static std::vector<std::string> targets(const LoopbackServer& server)
    {
        std::vector<std::string> seen;
        for (const SeenRequest& request : server.requests())
            seen.push_back(request.target);
        return seen;
    }

    SearchServices m_services;
    std::shared_ptr<RecordingSleeper> m_sleeper = std::make_shared<RecordingSleeper>();
    CSEOData m_collector { m_services.hosts(), m_sleeper };
};

TEST_F(CSEODataTest, PageRankOfThePageAndOfTheHomePage)
{
    m_services.pageRank.serve("/search", 200, "Rank_1:1:5");
    EXPECT_EQ(query(CSEOData::GooglePageRank), 5);
    EXPECT_EQ(query(CSEOData::HomePagePageRank), 5);
    const auto seen = targets(m_services.pageRank);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_NE(seen[0].find("q=info%3Ahttp:%2F%2Fwww.example.com%2Fshop%2Findex.html"), std::string::npos);
    EXPECT_EQ(seen[1].substr(seen[1].find("&q=")), "&q=info%3Ahttp:%2F%2Fwww.example.com");
    m_services.pageRank.serve("/search", 200, "");
    EXPECT_EQ(query(CSEOData::GooglePageRank), -1);
}

TEST_F(CSEODataTest, AlexaRank)
{
    m_services.alexa.serve("/data/details/traffic_details", 200,
        "<p>Alexa traffic rank of&nbsp;<!-- x -->1<span>2</span>,345<!-- y --></p>");
    EXPECT_EQ(query(CSEOData::AlexaRank), 12345);
    EXPECT_EQ(targets(m_services.alexa).back(),
        "/data/details/traffic_details?q=&url=www.example.com%2Fshop%2Findex.html");

    m_services.alexa.serve("/data/details/traffic_details", 200, "traffic rank of&nbsp;No Data");
    EXPECT_EQ(query(CSEOData::AlexaRank), 0);
    m_services.alexa.serve("/data/details/traffic_details", 200, "<html>nothing here</html>");
    EXPECT_EQ(query(CSEOData::AlexaRank), -1);
    m_services.alexa.serve("/data/details/traffic_details", 200, "traffic rank of&nbsp;12,345");
    EXPECT_EQ(query(CSEOData::AlexaRank), -1);
    // Only a lower-case or capital "http://" is left out; other schemes stay.
    query(CSEOData::AlexaRank, "HTTP://a.example/");
    EXPECT_EQ(targets(m_services.alexa).back(), "/data/details/traffic_details?q=&url=a.example%2F");
}

TEST_F(CSEODataTest, GoogleCountsDropThousandsSeparators)
{
    m_services.google.serve("/search", 200, "Results 1 - 10 of about <b>1,230</b> linking to x");
    EXPECT_EQ(query(CSEOData::GoogleInboundLinks), 1230);
    EXPECT_EQ(query(CSEOData::GoogleIndex), 1230);
    m_services.google.serve("/search", 200, "Results <b>1</b> - <b>3</b> of <b>3</b> from x");
    EXPECT_EQ(query(CSEOData::GoogleIndex), 3);
    EXPECT_EQ(query(CSEOData::GoogleInboundLinks), 0);
    m_services.google.serve("/search", 503, "");
    EXPECT_EQ(query(CSEOData::GoogleIndex), 0);
    const auto seen = targets(m_services.google);
    EXPECT_EQ(seen[0], "/search?q=link%3Ahttp:%2F%2Fwww.example.com%2Fshop%2Findex.html");
    EXPECT_EQ(seen[1], "/search?q=site%3Ahttp:%2F%2Fwww.example.com");
}

TEST_F(CSEODataTest, YahooCountsInBrackets)
{
    m_services.yahooSiteExplorer.serve(
        "/search", 200, "<strong>Pages (12,001)</strong> <strong>Inlinks (4.321)</strong>");
    EXPECT_EQ(query(CSEOData::YahooIndex), 12001);
    EXPECT_EQ(query(CSEOData::YahooInboundLinks), 4321);
    EXPECT_EQ(query(CSEOData::YahooIndex, "www.example.com/a"), 12001);
    m_services.yahooSiteExplorer.serve("/search", 200, "<strong>Pages</strong>");
    EXPECT_EQ(query(CSEOData::YahooIndex), 0);
    const auto seen = targets(m_services.yahooSiteExplorer);
    EXPECT_EQ(seen[0], "/search?p=http:%2F%2Fwww.example.com");
    EXPECT_EQ(seen[1], "/search?p=http:%2F%2Fwww.example.com%2Fshop%2Findex.html");
    // A URL without scheme is asked for as http.
    EXPECT_EQ(seen[2], "/search?p=http%3A%2F%2Fwww.example.com");
}

TEST_F(CSEODataTest, GooglePositionOnTheSecondPage)
{
    m_services.google.handle("/search", [](const httplib::Request& request, httplib::Response& response) {
        const bool second = request.get_param_value("start") == "100";
        response.set_content(googleResults(4, second ? "http://www.example.com" : ""), "text/html");
    });
    EXPECT_EQ(query(CSEOData::GooglePosition, kSite, "blue shoes & socks"), 105);
    EXPECT_EQ(targets(m_services.google),
        (std::vector<std::string> { "/search?num=100&q=blue%20shoes%20%26%20socks&start=0",
            "/search?num=100&q=blue%20shoes%20%26%20socks&start=100" }));
    EXPECT_EQ(m_sleeper->pauses(), std::vector<int> { 7000 });
}

TEST_F(CSEODataTest, GooglePositionNotInThreePages)
{
    m_services.google.serve("/search", 200, googleResults(100, ""));
    EXPECT_EQ(query(CSEOData::GooglePosition, kSite, "shoes"), 0);
    EXPECT_EQ(targets(m_services.google).size(), 3u);
    EXPECT_EQ(m_sleeper->pauses(), (std::vector<int> { 7000, 7000 }));
}

TEST_F(CSEODataTest, HttpsSiteIsFoundByItsOwnScheme)
{
    m_services.google.serve("/search", 200, googleResults(2, "https://secure.example"));
    EXPECT_EQ(query(CSEOData::GooglePosition, "https://secure.example/", "shoes"), 3);
    m_services.yahoo.serve("/search", 200, yahooResults(1, "**https%3a//secure.example"));
    EXPECT_EQ(query(CSEOData::YahooPosition, "https://secure.example/", "shoes"), 2);
}

TEST_F(CSEODataTest, YahooPositionAndItsRefusal)
{
    m_services.yahoo.handle("/search", [](const httplib::Request& request, httplib::Response& response) {
        const bool third = request.get_param_value("b") == "201";
        response.set_content(yahooResults(9, third ? "**http%3a//www.example.com" : ""), "text/html");
    });
    EXPECT_EQ(query(CSEOData::YahooPosition, kSite, "shoes"), 210);
    EXPECT_EQ(targets(m_services.yahoo),
        (std::vector<std::string> {
            "/search?n=100&p=shoes&b=1", "/search?n=100&p=shoes&b=101", "/search?n=100&p=shoes&b=201" }));
    EXPECT_EQ(m_sleeper->pauses(), (std::vector<int> { 10000, 10000 }));
}

TEST_F(CSEODataTest, YahooRefusalStopsAtOnce)
{
    m_services.yahoo.serve(
        "/search", 999, "<html>Sorry, Unable to process request at this time -- error 999.</html>");
    EXPECT_EQ(query(CSEOData::YahooPosition, kSite, "shoes"), -1);
    EXPECT_EQ(m_services.yahoo.requests().size(), 1u);
    EXPECT_TRUE(m_sleeper->pauses().empty());
}

TEST_F(CSEODataTest, DeadServicesGiveTheFailureValues)
{
    RecordingMessageBox messages;
    SettingsStore settings(messages);
    const std::string nowhere = "127.0.0.1:" + std::to_string(refusedPort());
    for (const char* key :
        { HostConfiguration::kPageRankKey, HostConfiguration::kAlexaKey, HostConfiguration::kGoogleKey,
            HostConfiguration::kYahooSiteExplorerKey, HostConfiguration::kYahooKey })
        settings.SetSetting(key, nowhere);
    const CSEOData collector(HostConfiguration(settings), m_sleeper);
    const std::vector<std::int32_t> expected { -1, -1, -1, 0, 0, 0, 0, 0, 0 };
    for (std::int32_t kind = 0; kind <= 8; ++kind)
        EXPECT_EQ(collector.Query(kind, kSite, "shoes", 0, static_cast<CSEOData::IResultSink*>(nullptr)),
            expected[static_cast<std::size_t>(kind)])
            << "kind " << kind;
    EXPECT_EQ(collector.Query(9, kSite, 0, nullptr), CSEOData::kUnknownKind);
    // The same figures, told apart from counts by the host that did not answer.
    for (std::int32_t kind = 0; kind <= 8; ++kind) {
        const CSEOData::Answer answer = collector.answer(kind, kSite, "shoes");
        EXPECT_EQ(answer.figure, expected[static_cast<std::size_t>(kind)]) << "kind " << kind;
        EXPECT_EQ(answer.silentHost, nowhere) << "kind " << kind;
    }
}

} // namespace
