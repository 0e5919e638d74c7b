// Learning directories from their home pages, served on loopback: the test
// sites of every kind, then sites that answer badly.

#include "TestSites.h"
#include "directories/DirectoryTestFiles.h"

#include "custom/DirectoryLearner.h"
#include "custom/ListingWall.h"
#include "filling/IPageRenderer.h"
#include "net/HttpClient.h"
#include "net/LoopbackServer.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <iostream>
#include <map>
#include <thread>

using ::testing::HasSubstr;

namespace {

using namespace std::chrono_literals;

// Limits small enough that the bad sites end quickly.
DiscoveryLimits testLimits()
{
    DiscoveryLimits limits;
    limits.page.maxBytes = 256 << 10;
    limits.page.timeouts = { 2s, 1s };
    limits.page.total = 2s;
    return limits;
}

TEST(DirectoryLearnerTest, LearnsEveryTestSiteFromItsHomePage)
{
    int learned = 0;
    for (const TestSite& site : testSites()) {
        LoopbackServer server;
        serveTestSite(server, site.name);
        const DirectoryLesson lesson = DirectoryLearner(testLimits()).learn(server.url(site.start));
        const std::vector<SeenRequest> requests = server.requests();
        EXPECT_LE(requests.size(), 5u) << site.name;
        for (const SeenRequest& request : requests) {
            EXPECT_EQ(request.userAgent, kHttpUserAgent) << site.name;
            // A redirect to the sign-in page is followed, as a browser would.
            if (!site.signInPath.empty() && request.target == site.signInPath)
                continue;
            // Neither a decoy nor a page whose form only looks like one is ever asked for.
            for (const char* decoy : { "support", "ticket", "article", "press", "register", "login",
                     "contact", "broken", "advertise" })
                EXPECT_THAT(request.target, ::testing::Not(HasSubstr(decoy))) << site.name;
        }
        // Fetched only, a single-page app shows nothing to learn from.
        const std::string state = site.rendered ? "no-submission-page" : site.state;
        EXPECT_EQ(lessonStateName(lesson.outcome), state) << site.name << ": " << lesson.reason;
        if (state != "learned") {
            EXPECT_TRUE(lesson.items.empty()) << site.name;
            EXPECT_EQ(
                lesson.submitUrl, site.submitPath.empty() || site.rendered ? "" : server.url(site.submitPath))
                << site.name;
            EXPECT_EQ(lesson.signInUrl, site.signInPath.empty() ? "" : server.url(site.signInPath))
                << site.name;
            if (state == "no-submission-page") {
                EXPECT_THAT(lesson.reason, HasSubstr("no submission form")) << site.name;
            }
            continue;
        }
        EXPECT_EQ(lesson.submitUrl, server.url(site.submitPath)) << site.name;
        std::vector<DirectoryItem> items;
        for (const LearnedItem& item : lesson.items)
            items.push_back(item.item);
        EXPECT_EQ(items, site.items) << site.name;
        EXPECT_FALSE(lesson.title.empty()) << site.name;
        learned += items == site.items;
    }
    std::cout << "[ learned  ] " << learned << " sites with a submission form\n";
}

// A page that never ends: a chunk of markup at a time, for ever, or until the client goes.
void serveEndless(LoopbackServer& server, const std::string& path, std::chrono::milliseconds pause)
{
    server.handle(path, [pause](const httplib::Request&, httplib::Response& response) {
        response.set_chunked_content_provider("text/html", [pause](std::size_t, httplib::DataSink& sink) {
            static const std::string chunk(1024, ' ');
            std::this_thread::sleep_for(pause);
            return sink.write(chunk.data(), pause.count() > 0 ? 1 : chunk.size());
        });
    });
}

void redirect(LoopbackServer& server, const std::string& from, const std::string& to)
{
    server.handle(from, [to](const httplib::Request&, httplib::Response& response) {
        response.status = 302;
        response.set_header("Location", to);
    });
}

TEST(DirectoryLearnerTest, BadAnswersEndBoundedWithAClearReason)
{
    struct Case {
        const char* name;
        std::function<void(LoopbackServer&)> setUp;
        DirectoryLesson::Outcome outcome;
        const char* reason;
        std::size_t maxRequests;
    };
    std::string manyLinks = "<html><body>";
    for (int link = 0; link < 6000; ++link)
        manyLinks += "<a href=/add" + std::to_string(link) + ".php>Add URL</a>\n";
    std::string deepPage;
    for (int level = 0; level < 20000; ++level)
        deepPage += "<div>";
    const std::vector<Case> cases {
        { "a page that never ends", [](LoopbackServer& server) { serveEndless(server, "/", 0ms); },
            DirectoryLesson::Outcome::Unreachable, "larger than 256 KiB", 1 },
        { "a page that trickles for ever", [](LoopbackServer& server) { serveEndless(server, "/", 100ms); },
            DirectoryLesson::Outcome::Unreachable, "no complete answer within", 1 },
        { "a redirect loop",
            [](LoopbackServer& server) {
                redirect(server, "/", "/a");
                redirect(server, "/a", "/b");
                redirect(server, "/b", "/a");
            },
            DirectoryLesson::Outcome::Unreachable, "more than 10 redirects", 12 },
        { "a redirect to another scheme",
            [](LoopbackServer& server) { redirect(server, "/", "ftp://127.0.0.1/"); },
            DirectoryLesson::Outcome::Unreachable, "neither http nor https", 1 },
        { "links to other hosts",
            [](LoopbackServer& server) {
                server.serve("/", 200,
                    "<a href=\"http://localhost:" + server.host().substr(server.host().find(':') + 1)
                        + "/submit.php\">Submit your site</a> <a href=\"http://other.invalid/add\">Add "
                          "URL</a>",
                    "text/html");
                server.serve(
                    "/submit.php", 200, "<form><input name=title><input name=url></form>", "text/html");
            },
            DirectoryLesson::Outcome::NoForm, "no link that leads to one", 1 },
        { "thousands of links",
            [&manyLinks](LoopbackServer& server) {
                server.serve("/", 200, manyLinks, "text/html");
                server.serve("/add.*", 200, "<p>Closed for new entries</p>", "text/html");
            },
            DirectoryLesson::Outcome::NoForm, "nor on the 4 pages", 5 },
        { "a picture instead of a page",
            [](LoopbackServer& server) { server.serve("/", 200, "\x89PNG\r\n", "image/png"); },
            DirectoryLesson::Outcome::Unreachable, "is not a web page (image/png)", 1 },
        { "a submit link to a document",
            [](LoopbackServer& server) {
                server.serve("/", 200, "<a href=\"/submit.pdf\">Submit your site</a>", "text/html");
                server.serve("/submit.pdf", 200, "%PDF-1.4", "application/pdf");
            },
            DirectoryLesson::Outcome::NoForm, "is not a web page (application/pdf)", 2 },
        { "markup nested beyond reason",
            [&deepPage](LoopbackServer& server) { server.serve("/", 200, deepPage, "text/html"); },
            DirectoryLesson::Outcome::Unreachable, "too deeply", 1 },
        { "a missing page",
            [](LoopbackServer& server) { server.serve("/", 404, "<p>Not found</p>", "text/html"); },
            DirectoryLesson::Outcome::Unreachable, "status 404", 1 },
    };
    for (const Case& each : cases) {
        LoopbackServer server;
        each.setUp(server);
        server.start();
        const auto started = std::chrono::steady_clock::now();
        const DirectoryLesson lesson = DirectoryLearner(testLimits()).learn(server.url("/"));
        const auto took = std::chrono::steady_clock::now() - started;
        EXPECT_EQ(lesson.outcome, each.outcome) << each.name << ": " << lesson.reason;
        EXPECT_THAT(lesson.reason, HasSubstr(each.reason)) << each.name;
        EXPECT_TRUE(lesson.items.empty()) << each.name;
        EXPECT_TRUE(lesson.submitUrl.empty()) << each.name;
        EXPECT_LE(server.requests().size(), each.maxRequests) << each.name;
        // Bounded by the limits: five fetches of two seconds at most.
        EXPECT_LT(took, 11s) << each.name;
    }
    // An unreachable server and an address that is none.
    EXPECT_EQ(DirectoryLearner(testLimits())
                  .learn("http://127.0.0.1:" + std::to_string(refusedPort()) + "/")
                  .outcome,
        DirectoryLesson::Outcome::Unreachable);
    EXPECT_EQ(DirectoryLearner(testLimits()).learn("mailto:someone@example.com").outcome,
        DirectoryLesson::Outcome::Unreachable);
}

} // namespace

TEST(DirectoryLearnerTest, ToldApartNamesAndPrices)
{
    // Names a script made up on this visit, and names a page keeps.
    for (const char* generated :
        { ":r0:", ":R1a6:", "field-1a2b3c", "ember1234", "input_9f3a2c77", "input-104" })
        EXPECT_TRUE(generatedName(generated)) << generated;
    for (const char* stable : { "title", "input_5.3", "listing[website]", "f8", "address2", "RECPR_URL",
             "facade", "kontakt-email", "field-12" })
        EXPECT_FALSE(generatedName(stable)) << stable;
    for (const char* price : { "$49 one-time", "Only 19,90 \xE2\x82\xAC a year", "EUR 120",
             "\xC2\xA3"
             "5 / month" })
        EXPECT_TRUE(namesPrice(price)) << price;
    for (const char* none : { "Free listing for 2024", "Pay what you like", "US$ and EUR accepted" })
        EXPECT_FALSE(namesPrice(none)) << none;
}

// Stands in for the browser engine: the pages as their scripts would build them.
class ScriptedPages : public IPageRenderer {
public:
    explicit ScriptedPages(std::map<std::string, std::string> pages)
        : m_pages(std::move(pages))
    {
    }

    RenderedPage render(const std::string& url, const std::atomic<bool>*) override
    {
        loads.push_back(url);
        const auto found = m_pages.find(url.substr(url.find('/', url.find("//") + 2)));
        if (found == m_pages.end())
            return { false, url, {}, "not found" };
        return { true, url, found->second, {} };
    }

    std::vector<std::string> loads;

private:
    std::map<std::string, std::string> m_pages;
};

TEST(DirectoryLearnerTest, APageBuiltByScriptIsLearnedAsTheEngineShowsIt)
{
    LoopbackServer server;
    serveTestSite(server, "spa");
    const std::string field = R"({"tag":"input","name":"","id":"","type":"","form":0,"label":")";
    ScriptedPages engine(
        { { "/",
              R"({"title":"Orbit Directory","text":"Orbit Directory","elements":[],"links":[)"
              R"({"href":"/browse","text":"Browse"},{"href":"/submit","text":"Submit your site"}]})" },
            { "/submit",
                R"({"forms":[{"submits":["Submit"]}],"elements":[)" + field + R"(Site title"},)" + field
                    + R"(Site URL","type":"url"},)" + field + R"(Contact email","type":"email"}]})" } });
    DiscoveryLimits limits = testLimits();
    limits.renderer = &engine;
    const DirectoryLesson lesson = DirectoryLearner(limits).learn(server.url("/"));
    EXPECT_EQ(lessonStateName(lesson.outcome), std::string("learned")) << lesson.reason;
    EXPECT_EQ(lesson.submitUrl, server.url("/submit"));
    EXPECT_TRUE(lesson.items.empty());
    EXPECT_EQ(engine.loads, (std::vector<std::string> { server.url("/"), server.url("/submit") }));
    EXPECT_EQ(lesson.rendered, engine.loads);

    // An engine that shows nothing more leaves the fetched verdict, within its loads.
    ScriptedPages blank({});
    limits.renderer = &blank;
    EXPECT_EQ(DirectoryLearner(limits).learn(server.url("/")).outcome, DirectoryLesson::Outcome::NoForm);
    EXPECT_LE(blank.loads.size(), 5u);
}
