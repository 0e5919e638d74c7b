#include "stats/DirectoryApprovalChecker.h"

#include "net/LoopbackServer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>

namespace {

using namespace std::chrono_literals;

struct Finding {
    std::string name;
    std::string proofUrl;
    bool found;
    bool operator==(const Finding&) const = default;
    bool operator<(const Finding& other) const { return name < other.name; }
};

void PrintTo(const Finding& finding, std::ostream* out)
{
    *out << "{" << finding.name << ", " << finding.proofUrl << ", " << finding.found << "}";
}

// Records the findings and the end calls; answers every call with a fixed value.
class RecordingSink : public DirectoryApprovalChecker::IResultSink {
public:
    explicit RecordingSink(std::int32_t answer = 1)
        : m_answer(answer)
    {
    }

    std::int32_t OnApprovalResult(const std::string& name, const std::string& proofUrl, bool found) override
    {
        std::lock_guard lock(m_mutex);
        if (name.empty() && proofUrl.empty() && found)
            ++m_ends;
        else
            m_findings.push_back({ name, found ? proofUrl : "", found });
        m_changed.notify_all();
        return m_answer;
    }

    // The findings, sorted by name, once all three workers have ended.
    std::vector<Finding> waitForEnd()
    {
        std::unique_lock lock(m_mutex);
        EXPECT_TRUE(
            m_changed.wait_for(lock, 30s, [this] { return m_ends == DirectoryApprovalChecker::kWorkers; }));
        std::vector<Finding> findings = m_findings;
        std::sort(findings.begin(), findings.end());
        return findings;
    }

private:
    const std::int32_t m_answer;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<Finding> m_findings;
    int m_ends = 0;
};

constexpr const char* kTerm = "www.example.com";

// A loopback host with several directories in folders of their own.
class DirectoryApprovalCheckerThreaded : public ::testing::Test {
protected:
    void SetUp() override { m_server.start(); }

    void serve(const std::string& path, int status, const std::string& body)
    {
        m_server.serve(path, status, body);
    }

    std::string url(const std::string& path) const { return m_server.url(path); }

    std::vector<std::string> targets() const
    {
        std::vector<std::string> seen;
        for (const SeenRequest& request : m_server.requests())
            seen.push_back(request.target);
        std::sort(seen.begin(), seen.end());
        return seen;
    }

    std::vector<Finding> check(const std::string& site,
        const std::vector<std::pair<std::string, std::string>>& list, std::int32_t startIndex = 0)
    {
        DirectoryApprovalChecker checker;
        checker.setSiteUrl(site);
        for (const auto& [name, address] : list)
            checker.addDirectory(name, address);
        checker.setStartIndex(startIndex);
        RecordingSink sink;
        EXPECT_TRUE(checker.Start(&sink));
        return sink.waitForEnd();
    }

    LoopbackServer m_server;
};

TEST_F(DirectoryApprovalCheckerThreaded, StartIndexPastTheEndGivesOnlyTheEndCalls)
{
    serve(R"(/\w/index\.php)", 200, "<a href=\"http://www.example.com/\">Example</a>");
    EXPECT_TRUE(
        check("http://www.example.com", { { "A", url("/a/submit.php") }, { "B", url("/b/") } }, 5).empty());
    EXPECT_TRUE(m_server.requests().empty());
    DirectoryApprovalChecker checker;
    EXPECT_FALSE(checker.Start(static_cast<DirectoryApprovalChecker::IResultSink*>(nullptr)));
}

TEST_F(DirectoryApprovalCheckerThreaded, IndexSearchProvesTheLink)
{
    serve("/a/index.php", 200, "<a href=\"http://www.example.com/\">Example</a>");
    serve("/b/index.php", 200, "<a href=http://www.example.com>Example</a>");
    serve("/c/index.php", 200, "<a href=\"http://www.other.example/\">Other</a>");
    const auto findings = check("http://www.example.com",
        { { "A", url("/a/submit.php") }, { "B", url("/b/add.html") }, { "C", url("/c/") } });
    const std::string query = std::string("index.php?search=") + kTerm + "&q=" + kTerm;
    EXPECT_EQ(findings,
        (std::vector<Finding> {
            { "A", url("/a/" + query), true }, { "B", url("/b/" + query), true }, { "C", "", false } }));
}

TEST_F(DirectoryApprovalCheckerThreaded, ErrorPageIsNotFoundWithoutTheSecondSearch)
{
    serve("/a/index.php", 404, "esyndicat <a href=\"http://www.example.com/\">Example</a>");
    serve("/a/search.php", 200, "<a href=\"http://www.example.com/\">Example</a>");
    EXPECT_EQ(check("http://www.example.com", { { "A", url("/a/") } }),
        (std::vector<Finding> { { "A", "", false } }));
    EXPECT_EQ(
        targets(), std::vector<std::string> { "/a/index.php?search=www.example.com&q=www.example.com" });
}

TEST_F(DirectoryApprovalCheckerThreaded, EsyndicatDirectoryIsFoundThroughItsSearchPage)
{
    serve("/e/index.php", 200, "Powered by eSyndiCat: esyndicat directory software");
    serve("/e/search.php", 200, "<a href=\"http://www.example.com/\">Example</a>");
    serve("/f/index.php", 200, "esyndicat");
    serve("/f/search.php", 200, "no results");
    const auto findings =
        check("http://www.example.com", { { "E", url("/e/") }, { "F", url("/f/suggest.php") } });
    EXPECT_EQ(findings,
        (std::vector<Finding> {
            { "E", url("/e/search.php?what=www.example.com"), true }, { "F", "", false } }));
}

TEST_F(DirectoryApprovalCheckerThreaded, TrailingSlashOfTheSiteAddress)
{
    serve("/plain/index.php", 200, "<a href=\"http://www.example.com\">Example</a>");
    serve("/slash/index.php", 200, "<a href=\"http://www.example.com/\">Example</a>");
    const std::vector<std::pair<std::string, std::string>> list { { "Plain", url("/plain/") },
        { "Slash", url("/slash/") } };
    // With the slash: searched by host alone, proven only by links that carry the slash.
    auto findings = check("http://www.example.com/", list);
    EXPECT_FALSE(findings[0].found);
    EXPECT_TRUE(findings[1].found);
    for (const std::string& target : targets())
        EXPECT_NE(target.find("search=www.example.com&q=www.example.com"), std::string::npos) << target;
    // Without it: both links prove it.
    findings = check("http://www.example.com", list);
    EXPECT_TRUE(findings[0].found);
    EXPECT_TRUE(findings[1].found);
}

TEST_F(DirectoryApprovalCheckerThreaded, SinkAnsweringZeroStopsThatWorker)
{
    DirectoryApprovalChecker checker;
    checker.setSiteUrl("http://www.example.com");
    serve(R"(/d\d/index\.php)", 404, "");
    for (int i = 0; i < 10; ++i)
        checker.addDirectory("D" + std::to_string(i), url("/d" + std::to_string(i) + "/"));
    RecordingSink sink(0);
    ASSERT_TRUE(checker.Start(&sink));
    const auto findings = sink.waitForEnd();
    // Each worker checked one directory and stopped.
    EXPECT_EQ(findings.size(), 3u);
    EXPECT_EQ(m_server.requests().size(), 3u);
}

TEST_F(DirectoryApprovalCheckerThreaded, EntriesWithoutAddressDoNotEndTheRun)
{
    serve("/z/index.php", 200, "<a href=\"http://www.example.com/\">Example</a>");
    const auto findings = check("http://www.example.com",
        { { "A", "" }, { "", url("/y/") }, { "B", "" }, { "C", "" }, { "Z", url("/z/") } });
    ASSERT_EQ(findings.size(), 4u);
    EXPECT_EQ(findings[0], (Finding { "A", "", false }));
    EXPECT_TRUE(findings[3].found);
    EXPECT_EQ(findings[3].name, "Z");
    EXPECT_EQ(targets().size(), 1u);
}

} // namespace

namespace {

// The directory's own search page comes first, then the page of the listing,
// then what a search API finds on the directory's host; the first that links
// to the site is the proof.
TEST(DirectoryApprovalSourcesThreaded, TheDirectoryItselfIsAskedBeforeTheSearchApi)
{
    LoopbackServer server;
    const std::string link = "<a href=\"http://www.example.com/\">Example</a>";
    server.serve("/own/index.php", 200, link);
    server.serve("/listed/index.php", 200, "nothing found");
    server.serve("/listed/cat/page.html", 200, link);
    server.serve("/searched/index.php", 200, "nothing found");
    server.serve("/searched/shop/listing-12.html", 200, link);
    server.start();
    std::vector<std::string> queries;
    std::mutex queriesMutex;

    DirectoryApprovalChecker checker;
    checker.setSiteUrl("http://www.example.com/");
    checker.addDirectory("Own", server.url("/own/submit.php"), server.url("/nowhere/page.html"));
    checker.addDirectory("Listed", server.url("/listed/submit.php"), server.url("/listed/cat/page.html"));
    checker.addDirectory("Searched", server.url("/searched/submit.php"));
    // On another host, where the search results do not lead.
    const std::string nowhere = "127.0.0.1:" + std::to_string(refusedPort());
    checker.addDirectory("Nowhere", "http://" + nowhere + "/submit.php");
    checker.setSearchResults([&](const std::string& query) {
        std::lock_guard lock(queriesMutex);
        queries.push_back(query);
        return std::vector<std::string> { "http://elsewhere.example/x",
            server.url("/searched/shop/listing-12.html") };
    });
    RecordingSink sink;
    ASSERT_TRUE(checker.Start(&sink));
    EXPECT_EQ(sink.waitForEnd(),
        (std::vector<Finding> { { "Listed", server.url("/listed/cat/page.html"), true },
            { "Nowhere", "", false },
            { "Own", server.url("/own/index.php?search=www.example.com&q=www.example.com"), true },
            { "Searched", server.url("/searched/shop/listing-12.html"), true } }));
    std::lock_guard lock(queriesMutex);
    std::sort(queries.begin(), queries.end());
    std::vector<std::string> expected { "site:" + nowhere + " www.example.com",
        "site:" + server.host() + " www.example.com" };
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(queries, expected);
}

} // namespace
