#include "stats/PageRank.h"

#include "RecordingSleeper.h"
#include "net/LoopbackServer.h"

#include <gtest/gtest.h>

namespace {

constexpr const char* kAbcPath = "/search?client=navclient-auto&ch=6-1805545757&features=Rank&q=info%3Aabc";

TEST(PageRankChecksumTest, KnownInputs)
{
    EXPECT_EQ(pageRankChecksum("info:abc"), -1805545757);
    EXPECT_EQ(pageRankChecksum(u"info:abc"), -1805545757);
    // Exactly twelve units: one pass of the loop, then only the length before the last mix.
    EXPECT_EQ(pageRankChecksum("info:abcdefg"), 1175743173);
    EXPECT_EQ(pageRankChecksum(u"info:abcdefg"), 1175743173);
    EXPECT_EQ(pageRankChecksum("info:http://www.example.com"), -116370486);
}

TEST(PageRankChecksumTest, BytesAreSignedAndWideUnitsUnsigned)
{
    EXPECT_EQ(pageRankChecksum("info:caf\xE9"), -1597549564);
    EXPECT_EQ(pageRankChecksum(u"info:caf\u00E9"), 243723761);
}

TEST(PageRankQueryPathTest, ChecksumAndEscapedUrl)
{
    EXPECT_EQ(pageRankQueryPath("abc"), kAbcPath);
    EXPECT_EQ(pageRankQueryPath(u"abc"), kAbcPath);
    EXPECT_EQ(pageRankQueryPath("http://www.example.com"),
        "/search?client=navclient-auto&ch=6-116370486&features=Rank&q=info%3Ahttp:%2F%2Fwww.example.com");
    // Too long to escape into the query: no query at all.
    EXPECT_EQ(pageRankQueryPath("http://x.com/" + std::string(1100, 'a')), "");
}

TEST(PageRankAnswerTest, LastFieldIsRead)
{
    EXPECT_EQ(readPageRankAnswer("Rank_1:1:10"), 10);
    EXPECT_EQ(readPageRankAnswer("Rank_1:1:4\n"), 4);
    EXPECT_EQ(readPageRankAnswer("Rank_1:1:"), 0);
    EXPECT_EQ(readPageRankAnswer(""), -1);
    EXPECT_EQ(readPageRankAnswer("<html>no rank</html>"), -1);
}

TEST(SiteRootTest, SchemeAndHostOnly)
{
    EXPECT_EQ(SiteRoot("http://www.example.com/dir/page.html"), "http://www.example.com");
    EXPECT_EQ(SiteRoot("https://www.example.com/"), "https://www.example.com");
    EXPECT_EQ(SiteRoot("http://www.example.com"), "http://www.example.com");
    EXPECT_EQ(SiteRoot("HTTP://Example.com/a"), "HTTP://Example.com");
    EXPECT_EQ(SiteRoot("www.example.com/dir/"), "www.example.com");
    EXPECT_EQ(SiteRoot(u"https://www.example.com/a/b"), u"https://www.example.com");
    EXPECT_EQ(SiteRoot(""), "");
}

// A loopback query service that answers with a fixed text.
class PageRankQueryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_server.serve("/search", 200, "Rank_1:1:7");
        m_server.start();
    }

    std::string lastTarget() const { return m_server.requests().back().target; }

    LoopbackServer m_server;
};

TEST_F(PageRankQueryTest, MainProgramFormsReadTheAnswer)
{
    EXPECT_EQ(QueryPageRank("abc", m_server.host()), 7);
    EXPECT_EQ(lastTarget(), kAbcPath);
    EXPECT_EQ(QueryPageRank("abc", m_server.host(), PageRankRequest::Timed), 7);

    // The collectors read any answer; the site checker's timed form only one below 400.
    m_server.serve("/search", 404, "Not found: 3");
    EXPECT_EQ(QueryPageRank("abc", m_server.host()), 3);
    EXPECT_EQ(QueryPageRank("abc", m_server.host(), PageRankRequest::Timed), -1);
}

TEST_F(PageRankQueryTest, FailuresGiveMinusOneInTheMainProgram)
{
    const std::string dead = "127.0.0.1:" + std::to_string(refusedPort());
    EXPECT_EQ(QueryPageRank("abc", dead), -1);
    EXPECT_EQ(QueryPageRank("abc", dead, PageRankRequest::Timed), -1);
    m_server.serve("/search", 200, "");
    EXPECT_EQ(QueryPageRank("abc", m_server.host()), -1);
}

TEST_F(PageRankQueryTest, ListCheckerFormPausesAfterEveryQueryAndFailsWithMinusTwo)
{
    RecordingSleeper sleeper;
    EXPECT_EQ(QueryPageRank(u"abc", m_server.host(), sleeper), 7);
    EXPECT_EQ(lastTarget(), kAbcPath);
    m_server.serve("/search", 500, "Rank_1:1:5");
    EXPECT_EQ(QueryPageRank(u"abc", m_server.host(), sleeper), -2);
    EXPECT_EQ(QueryPageRank(u"abc", "127.0.0.1:" + std::to_string(refusedPort()), sleeper), -2);
    EXPECT_EQ(sleeper.pauses(), (std::vector<int> { 3000, 3000, 3000 }));
}

TEST(CheckAliveTest, AnswersBelow400AreAlive)
{
    LoopbackServer server;
    server.serve("/ok/submit.php", 200, "form");
    server.serve("/moved", 302, "");
    server.serve("/gone.php", 404, "gone");
    server.start();
    EXPECT_EQ(CheckAlive(server.url("/ok/submit.php")), 0);
    EXPECT_EQ(CheckAlive(server.url("/moved")), 0);
    EXPECT_EQ(CheckAlive(server.url("/gone.php")), 2);
    const std::string host = server.host();
    EXPECT_EQ(CheckAlive(u"http://" + std::u16string(host.begin(), host.end()) + u"/ok/submit.php"), 0);
    EXPECT_EQ(CheckAlive("http://127.0.0.1:" + std::to_string(refusedPort()) + "/"), 2);
    // Without a scheme there is no host to ask.
    const auto before = server.requests().size();
    EXPECT_EQ(CheckAlive(server.host() + "/ok/submit.php"), 2);
    EXPECT_EQ(server.requests().size(), before);
    // A host alone asks for "/".
    server.serve("/", 200, "home");
    EXPECT_EQ(CheckAlive("http://" + server.host()), 0);
    EXPECT_EQ(server.requests().back().target, "/");
}

} // namespace
