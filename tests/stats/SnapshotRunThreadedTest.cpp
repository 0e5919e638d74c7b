#include "stats/SnapshotRun.h"

#include "Gate.h"
#include "RecordingSleeper.h"
#include "SearchServices.h"
#include "SnapshotTestHost.h"
#include "StatisticsFakes.h"
#include "common/LocalTime.h"
#include "support/FixedClock.h"
#include "support/TempFolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <atomic>
#include <barrier>
#include <future>

namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Not;

constexpr std::time_t kToday = 1614945600; // 5 March 2021, noon UTC
constexpr const char* kSite = "http://www.example.com";
constexpr const char* kVendor = "http://www.vantelo.example/";

// Search services and a directory host on loopback, and what a run shows.
class SnapshotRunThreaded : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_directories.serve("/a/index.php", 200, "<a href=\"http://www.example.com/\">Example</a>");
        m_directories.serve(R"(/[b-z]\d*/index\.php)", 200, "no such site here");
        m_directories.start();
    }

    void serveFigures()
    {
        m_services.pageRank.serve("/search", 200, "Rank_1:1:4");
        m_services.google.handle("/search", [](const httplib::Request& request, httplib::Response& response) {
            const std::string q = request.get_param_value("q");
            if (q.rfind("link:", 0) == 0)
                response.set_content("of about <b>1,230</b> linking", "text/html");
            else if (q.rfind("site:", 0) == 0)
                response.set_content("of about <b>56</b> from", "text/html");
            else
                response.set_content(googleResults(2, kSite), "text/html");
        });
        m_services.yahooSiteExplorer.serve("/search", 200, "<strong>Pages (9)</strong> Inlinks (78)");
        m_services.yahoo.serve("/search", 200, yahooResults(0, "**http%3a//www.example.com"));
    }

    SnapshotRun::Input input(SnapshotOptions options) const
    {
        SnapshotRun::Input input;
        input.siteUrl = kSite;
        input.phrases = { "shoes", "red socks" };
        input.history = { { "A", m_directories.url("/a/submit.php") }, { "B", m_directories.url("/b/") } };
        input.database = { { "A", "http://a.example/submit.php" }, { "C", m_directories.url("/c/") } };
        input.options = options;
        input.vendorUrl = kVendor;
        return input;
    }

    std::shared_ptr<SnapshotRun> run(SnapshotRun::Input in, const HostConfiguration& hosts)
    {
        return SnapshotRun::create(std::move(in), CSEOData(hosts, m_sleeper), m_sleeper,
            std::make_shared<FixedClock>(kToday), &m_host);
    }

    std::shared_ptr<SnapshotRun> run(SnapshotRun::Input in) { return run(std::move(in), m_services.hosts()); }

    static SnapshotOptions only(bool general, bool serp, bool approval)
    {
        SnapshotOptions options;
        options.includeGeneral = general;
        options.includeSerp = serp;
        options.includeApproval = approval;
        return options;
    }

    // Lets go of a run, waits until its threads have too, and returns its reports.
    std::vector<std::string> finish(std::shared_ptr<SnapshotRun>& snapshot)
    {
        m_host.waitForReport();
        const std::weak_ptr<SnapshotRun> watch = snapshot;
        snapshot.reset();
        EXPECT_TRUE(waitUntilReleased(watch));
        return m_host.reports();
    }

    std::size_t requestsTo(const LoopbackServer& server) const { return server.requests().size(); }

    SearchServices m_services;
    LoopbackServer m_directories;
    std::shared_ptr<RecordingSleeper> m_sleeper = std::make_shared<RecordingSleeper>();
    RecordingSnapshotHost m_host;
};

TEST_F(SnapshotRunThreaded, AllOptionsOffGivesTheBareReportAtOnce)
{
    auto snapshot = run(input(only(false, false, false)));
    snapshot->start();
    ASSERT_TRUE(snapshot->isFinished());
    const auto reports = m_host.reports();
    ASSERT_EQ(reports.size(), 1u);
    SnapshotFindings bare;
    bare.siteUrl = kSite;
    bare.date = formatLocalTime(kToday, "%d %B %Y");
    EXPECT_EQ(reports[0], buildSnapshotReport(bare, kVendor));
    EXPECT_EQ(m_host.statuses(), std::vector<std::string> { "Status: idle" });
    EXPECT_EQ(
        requestsTo(m_services.pageRank) + requestsTo(m_services.google) + requestsTo(m_directories), 0u);
    snapshot->start();
    EXPECT_EQ(m_host.reports().size(), 1u);
}

TEST_F(SnapshotRunThreaded, ThreeStagesInTurnGiveOneReport)
{
    serveFigures();
    auto snapshot = run(input(only(true, true, true)));
    snapshot->start();
    const auto reports = finish(snapshot);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_THAT(m_host.statuses(),
        ElementsAre("Status: gathering general site stats...",
            "Status: gathering search engine position stats...", "Status: checking directory approval...",
            "Status: idle"));
    EXPECT_THAT(m_host.progress(), testing::Contains("Checking SERPs for red socks"));
    std::vector<std::string> counts;
    for (const std::string& line : m_host.progress())
        if (line.rfind("Checking for approval in ", 0) == 0)
            counts.push_back(line.substr(line.find('(')));
    std::sort(counts.begin(), counts.end());
    EXPECT_THAT(counts, ElementsAre("(1/2)", "(2/2)"));
    // One pause between the two phrases; each was found on the first page.
    EXPECT_EQ(m_sleeper->pauses(), std::vector<int> { 10000 });
    ASSERT_EQ(m_host.approvals().size(), 1u);
    const SnapshotRun::Approval approval = m_host.approvals()[0];
    EXPECT_EQ(approval.name, "A");
    EXPECT_EQ(approval.proofUrl, m_directories.url("/a/index.php?search=www.example.com&q=www.example.com"));
    EXPECT_EQ(approval.submitUrl, "http://a.example/submit.php");

    const std::string& report = reports[0];
    EXPECT_THAT(report,
        HasSubstr("<td class=\"maintable\">Google PR</td><td>4</td><td>toolbar query ("
            + m_services.pageRank.host()
            + ")</td></tr><tr><td class=\"maintable\">Google Homepage PR</td><td>4</td><td>"
              "toolbar query ("
            + m_services.pageRank.host()
            + ")</td></tr><tr><td class=\"maintable\">Google Inbound "
              "Links</td><td>1230</td><td>Google web search ("
            + m_services.google.host()
            + ")</td></tr><tr><td class=\"maintable\">Google Index</td><td>56"
              "</td><td>Google web search ("
            + m_services.google.host()
            + ")</td></tr><tr><td class=\"maintable\">Yahoo Inbound Link</td><td>78</td><td>Yahoo Site "
              "Explorer ("
            + m_services.yahooSiteExplorer.host()
            + ")</td></tr><tr><td class=\"maintable\">Yahoo Index</td><td>9</td><td>Yahoo Site Explorer ("
            + m_services.yahooSiteExplorer.host() + ")</td></tr></table>"));
    EXPECT_THAT(report,
        HasSubstr("<td class=\"maintable\">shoes</td><td>3</td><td>1</td></tr><tr><td class=\"maint"
                  "able\">red socks</td><td>3</td><td>1</td></tr></table>"));
    EXPECT_THAT(report, HasSubstr("submitted to 2 directories. Approval detected in 1 directories."));
    // Six figures, then two phrases on each engine.
    EXPECT_EQ(requestsTo(m_services.pageRank), 2u);
    EXPECT_EQ(requestsTo(m_services.google), 4u);
    EXPECT_EQ(requestsTo(m_services.yahoo), 2u);
}

TEST_F(SnapshotRunThreaded, ProfileWithoutPhrasesSkipsPositions)
{
    serveFigures();
    SnapshotRun::Input in = input(only(true, true, false));
    in.phrases.clear();
    auto snapshot = run(std::move(in));
    EXPECT_FALSE(snapshot->options().includeSerp);
    snapshot->start();
    const auto reports = finish(snapshot);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_THAT(reports[0], Not(HasSubstr("Search Engine Position")));
    EXPECT_THAT(reports[0], HasSubstr("General site stats"));
    EXPECT_EQ(requestsTo(m_services.yahoo), 0u);
    EXPECT_THAT(m_host.statuses(), ElementsAre("Status: gathering general site stats...", "Status: idle"));
}

TEST_F(SnapshotRunThreaded, EntireDatabaseResumedAtFive)
{
    SnapshotRun::Input in = input(only(false, false, true));
    in.database.clear();
    for (int i = 0; i < 8; ++i)
        in.database.emplace_back("D" + std::to_string(i), m_directories.url("/d" + std::to_string(i) + "/"));
    in.options.entireDatabase = true;
    in.options.resumeRecord = 5;
    auto snapshot = run(std::move(in));
    snapshot->start();
    const auto reports = finish(snapshot);
    ASSERT_EQ(reports.size(), 1u);
    std::vector<std::string> asked;
    for (const SeenRequest& request : m_directories.requests())
        asked.push_back(request.target.substr(0, 4));
    std::sort(asked.begin(), asked.end());
    EXPECT_THAT(asked, ElementsAre("/d5/", "/d6/", "/d7/"));
    std::vector<std::string> counts;
    for (const std::string& line : m_host.progress())
        if (!line.empty())
            counts.push_back(line.substr(line.find('(')));
    std::sort(counts.begin(), counts.end());
    EXPECT_THAT(counts, ElementsAre("(1/8)", "(2/8)", "(3/8)"));
    // The history, not the list searched, counts the submissions.
    EXPECT_THAT(reports[0], HasSubstr("submitted to 2 directories. Approval detected in 0 directories."));
}

TEST_F(SnapshotRunThreaded, RacingFiguresStartTheNextStageOnce)
{
    constexpr std::int32_t kCookies[] = { 0, 1, 5, 3, 6, 4 };
    for (int round = 0; round < 100; ++round) {
        RecordingSnapshotHost host;
        auto snapshot = SnapshotRun::create(input(only(true, false, false)),
            CSEOData(m_services.hosts(), m_sleeper), m_sleeper, std::make_shared<FixedClock>(kToday), &host);
        std::barrier together(6);
        std::vector<std::thread> threads;
        for (const std::int32_t cookie : kCookies)
            threads.emplace_back([&, cookie] {
                together.arrive_and_wait();
                snapshot->OnSEOResult(cookie * 10, cookie);
            });
        for (std::thread& thread : threads)
            thread.join();
        ASSERT_EQ(host.reports().size(), 1u) << "round " << round;
        EXPECT_THAT(host.reports()[0], HasSubstr("Google Inbound Links</td><td>30</td>"));
        snapshot->close();
    }
}

TEST_F(SnapshotRunThreaded, RacingAnswersOfAPhraseFinishOnce)
{
    // The engines hold their answers until the test ends: only the answers given
    // here count.
    Gate gate;
    auto held = [opened = gate.opened()](const httplib::Request&, httplib::Response&) { opened.wait(); };
    m_services.google.handle("/search", held);
    m_services.yahoo.handle("/search", held);
    for (int round = 0; round < 20; ++round) {
        RecordingSnapshotHost host;
        SnapshotRun::Input in = input(only(false, true, false));
        in.phrases = { "shoes" };
        auto snapshot = SnapshotRun::create(std::move(in), CSEOData(m_services.hosts(), m_sleeper), m_sleeper,
            std::make_shared<FixedClock>(kToday), &host);
        snapshot->start();
        std::barrier together(2);
        std::thread google([&] {
            together.arrive_and_wait();
            snapshot->OnSEOResult(12, SnapshotRun::kGooglePositionCookie);
        });
        std::thread yahoo([&] {
            together.arrive_and_wait();
            snapshot->OnSEOResult(0, SnapshotRun::kYahooPositionCookie);
        });
        google.join();
        yahoo.join();
        const auto reports = host.reports();
        snapshot->close();
        ASSERT_EQ(reports.size(), 1u) << "round " << round;
        EXPECT_THAT(reports[0], HasSubstr(">shoes</td><td>12</td><td>not found</td>"));
    }
}

TEST_F(SnapshotRunThreaded, ClosedRunCallsNoHostAndStopsItsWorkers)
{
    Gate gate;
    std::atomic<int> asked { 0 };
    m_directories.handle(R"(/slow\d+/index\.php)",
        [&asked, opened = gate.opened()](const httplib::Request&, httplib::Response& response) {
            ++asked;
            opened.wait();
            response.set_content("<a href=\"http://www.example.com/\">Example</a>", "text/html");
        });
    SnapshotRun::Input in = input(only(false, false, true));
    in.history.clear();
    for (int i = 0; i < 20; ++i)
        in.history.emplace_back(
            "S" + std::to_string(i), m_directories.url("/slow" + std::to_string(i) + "/"));
    auto host = std::make_unique<RecordingSnapshotHost>();
    auto snapshot = SnapshotRun::create(std::move(in), CSEOData(m_services.hosts(), m_sleeper), m_sleeper,
        std::make_shared<FixedClock>(kToday), host.get());
    snapshot->start();
    for (int i = 0; i < 30000 && asked < 3; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    ASSERT_EQ(asked.load(), 3);
    snapshot->close();
    EXPECT_FALSE(snapshot->isOpen());
    // The window is gone before the workers hear back.
    host.reset();
    gate.open();
    const std::weak_ptr<SnapshotRun> watch = snapshot;
    snapshot.reset();
    EXPECT_TRUE(waitUntilReleased(watch));
    // Each worker stopped after the directory it had.
    EXPECT_EQ(asked.load(), 3);
}

} // namespace

namespace {

TEST_F(SnapshotRunThreaded, EachFigureNamesItsSourceAndWhatASourceCannotGiveReadsNotAvailable)
{
    OpenPageRankFake openPageRank;
    openPageRank.setRank("example.com", 6);
    SearchApiFake brave;
    std::vector<std::string> results;
    for (int i = 1; i <= 30; ++i)
        results.push_back(
            i == 12 ? "https://www.example.com/shop" : "https://r" + std::to_string(i) + ".net/");
    brave.setResults(results);
    m_directories.serve(
        "/top-1m.csv.zip", 200, zipOf("top-1m.csv", trancoText(500, { { 3, "example.com" } })));
    TempFolder folder;

    HostConfiguration hosts = openPageRank.hosts();
    StatisticsServices services = hosts.services();
    services.search = StatisticsServices::SearchProvider::Brave;
    services.braveUrl = brave.url();
    services.braveKey = SearchApiFake::kKey;
    hosts.setServices(services);
    SnapshotRun::Input in = input(only(true, true, false));
    in.phrases = { "shoes" };
    in.trafficList = folder.path("data/tranco-top-1m.csv");
    in.trafficListUrl = m_directories.url("/top-1m.csv.zip");
    auto snapshot = run(std::move(in), hosts);
    snapshot->start();
    const std::vector<std::string> reports = finish(snapshot);
    ASSERT_EQ(reports.size(), 1u);
    const std::string& report = reports[0];
    const std::string opr = "Open PageRank (" + openPageRank.url() + ")";
    EXPECT_THAT(report, HasSubstr("<td class=\"maintable\">PageRank</td><td>6</td><td>" + opr + "</td>"));
    EXPECT_THAT(report, HasSubstr("Homepage PageRank</td><td>6</td><td>" + opr + "</td>"));
    // One request gives both: Open PageRank answers for the domain.
    EXPECT_EQ(openPageRank.batches().size(), 1u);
    EXPECT_THAT(report, HasSubstr("Inbound Links</td><td>n/a</td><td>not offered by Brave Search</td>"));
    EXPECT_THAT(report, HasSubstr("Traffic Rank</td><td>3</td><td>Tranco list, downloaded on"));
    EXPECT_THAT(report, HasSubstr("<th>Brave Search Position</th><th>Yahoo Position</th>"));
    EXPECT_THAT(report, HasSubstr("shoes</td><td>12</td><td>n/a</td>"));
    EXPECT_THAT(m_host.progress(), testing::Contains(HasSubstr("Downloading the Tranco list")));
    EXPECT_TRUE(std::filesystem::exists(folder.path("data/tranco-top-1m.csv")));
    // Nothing reached the search engines' own pages.
    EXPECT_EQ(
        requestsTo(m_services.google) + requestsTo(m_services.yahoo) + requestsTo(m_services.pageRank), 0u);
}

} // namespace
