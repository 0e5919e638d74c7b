#include "stats/ListingVerifier.h"

#include "directories/DirectoryStore.h"
#include "net/LoopbackServer.h"
#include "profiles/DirectoryStates.h"
#include "profiles/ProfileStore.h"
#include "stats/ListingStores.h"
#include "support/FixedClock.h"
#include "support/RecordingMessageBox.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

using SendingProfile::DirectoryState;
using SendingProfile::ListingRecord;
using SendingProfile::ListingState;

namespace {

constexpr const char* kSite = "http://www.example-site.test/";
constexpr const char* kTitle = "Example Site";
constexpr const char* kChecked = "2026-12-09";

std::string page(const std::string& body)
{
    return "<html><head><title>Directory</title></head><body>" + body + "</body></html>";
}

void serveHtml(LoopbackServer& server, const std::string& path, const std::string& body)
{
    server.serve(path, 200, page(body), "text/html");
}

void redirect(LoopbackServer& server, const std::string& path, int status, const std::string& location)
{
    server.handle(path, [=](const httplib::Request&, httplib::Response& response) {
        response.status = status;
        response.set_header("Location", location);
    });
}

// A text made when it is asked for, once the server knows its port.
void serveLater(
    LoopbackServer& server, const std::string& path, std::function<std::string(const LoopbackServer&)> text)
{
    server.handle(path, [&server, text](const httplib::Request&, httplib::Response& response) {
        response.set_content(text(server), "application/xml");
    });
}

// A search that finds the site for one query only.
void serveSearch(LoopbackServer& server, const std::string& query, const std::string& hit)
{
    serveHtml(server, "/",
        R"(<form action="/find" method="get"><input type="hidden" name="c" value="0">)"
        R"(<input name="q"><input type="submit" value="Search"></form>)");
    server.handle("/find", [=](const httplib::Request& request, httplib::Response& response) {
        const bool found = request.get_param_value("q") == query && request.get_param_value("c") == "0";
        response.set_content(page(found ? hit : "No results"), "text/html");
    });
}

ListingRecord verify(const std::string& directoryUrl, const std::string& knownPage = {})
{
    const ListingVerifier verifier(kSite, kTitle);
    return verifier.check({ "Dir", directoryUrl, knownPage }, kChecked).value();
}

} // namespace

// Each way of finding a listing and each kind of link, on directory sites of
// their own: where the listing was found, whether it counts and how.
TEST(ListingVerifierThreadedTest, EachWayOfFindingAListingAndEachLinkKind)
{
    struct Case {
        const char* name;
        std::function<void(LoopbackServer&)> site;
        const char* knownPage; // a path, "" for none
        ListingState state;
        const char* page; // the path of the listing page
        const char* rel;
        bool direct;
        const char* anchor;
    };
    const std::string followed = R"(<a href="http://example-site.test/">Example Site</a>)";
    const Case cases[] = {
        { "known page",
            [&](LoopbackServer& s) {
                serveHtml(s, "/", "Home");
                serveHtml(s, "/entry/42", followed);
            },
            "/entry/42", ListingState::Listed, "/entry/42", "", true, "Example Site" },
        { "search by domain, nofollow",
            [](LoopbackServer& s) {
                serveSearch(s, "example-site.test",
                    R"(<a href="https://WWW.example-site.test/about?x=1" rel="external nofollow">Ex</a>)");
            },
            "", ListingState::Listed, "/find?c=0&q=example-site.test", "nofollow", true, "Ex" },
        { "search by title, ugc and sponsored",
            [](LoopbackServer& s) {
                serveSearch(
                    s, kTitle, R"(<a href="http://example-site.test" rel="sponsored noopener ugc">Ex</a>)");
            },
            "", ListingState::Listed, "/find?c=0&q=Example%20Site", "sponsored ugc", true, "Ex" },
        { "sitemap index from robots.txt, link through the directory's redirect",
            [](LoopbackServer& s) {
                serveHtml(s, "/", "Home");
                serveLater(s, "/robots.txt", [](const LoopbackServer& at) {
                    return "User-agent: *\nSitemap: " + at.url("/maps/index.xml") + "\n";
                });
                serveLater(s, "/maps/index.xml", [](const LoopbackServer& at) {
                    return "<sitemapindex><sitemap><loc>" + at.url("/maps/a.xml")
                        + "</loc></sitemap><sitemap><loc>" + at.url("/maps/index.xml")
                        + "</loc></sitemap></sitemapindex>";
                });
                serveLater(s, "/maps/a.xml", [](const LoopbackServer& at) {
                    return "<urlset><url><loc>" + at.url("/cat/other.html") + "</loc></url><url><loc>"
                        + at.url("/site/example-site.html") + "</loc></url></urlset>";
                });
                serveHtml(s, "/site/example-site.html", R"(<a href="/out.php?id=7">Example Site</a>)");
                redirect(s, "/out.php", 302, "/go.php?id=7");
                redirect(s, "/go.php", 301, "http://example-site.test/landing");
            },
            "", ListingState::Listed, "/site/example-site.html", "", false, "Example Site" },
        { "sitemap.xml, a page whose address names the site",
            [&](LoopbackServer& s) {
                serveHtml(s, "/", "Home");
                serveLater(s, "/sitemap.xml", [](const LoopbackServer& at) {
                    return "<urlset><url><loc><![CDATA[" + at.url("/l/example-site-42.html")
                        + "]]></loc></url></urlset>";
                });
                serveHtml(s, "/l/example-site-42.html", followed);
            },
            "", ListingState::Listed, "/l/example-site-42.html", "", true, "Example Site" },
        { "new entries in German",
            [&](LoopbackServer& s) {
                serveHtml(s, "/", R"(<a href="/about">Über uns</a> <a href="/neu">Neue Einträge</a>)");
                serveHtml(s, "/neu", followed);
            },
            "", ListingState::Listed, "/neu", "", true, "Example Site" },
        { "look-alike hosts, directly and through a redirect",
            [](LoopbackServer& s) {
                serveHtml(s, "/",
                    R"(<a href="http://example-site.test.evil.test/">Example Site</a>)"
                    R"(<a href="http://notexample-site.test/">x</a><a href="/r?to=example-site.test">y</a>)");
                redirect(s, "/r", 302, "http://example-site.test.evil.test/");
            },
            "", ListingState::NotFound, "", "", true, "" },
    };
    for (const Case& each : cases) {
        SCOPED_TRACE(each.name);
        LoopbackServer server;
        each.site(server);
        server.start();
        const ListingRecord record =
            verify(server.url("/submit.php"), *each.knownPage ? server.url(each.knownPage) : std::string());
        EXPECT_EQ(record.state, each.state);
        EXPECT_EQ(record.page, *each.page ? server.url(each.page) : std::string());
        EXPECT_EQ(record.rel, each.rel);
        EXPECT_EQ(record.direct, each.direct);
        EXPECT_EQ(record.anchor, each.anchor);
        EXPECT_EQ(record.checked, kChecked);
        for (const SeenRequest& request : server.requests())
            EXPECT_NE(request.userAgent, "") << request.target;
    }
    EXPECT_EQ(
        verify("http://127.0.0.1:" + std::to_string(refusedPort()) + "/").state, ListingState::Unreachable);
}

// Directories that never end, echo every query, redirect in circles or serve
// huge pages: each check stays within its requests and never counts them.
TEST(ListingVerifierThreadedTest, HostileDirectoriesAreBoundedAndNeverListed)
{
    const std::vector<std::function<void(LoopbackServer&)>> sites {
        [](LoopbackServer& s) { // an endless chain of sitemap indexes
            serveHtml(s, "/", "Home");
            s.handle("/sitemap.xml", [&s](const httplib::Request& request, httplib::Response& response) {
                const int next = std::atoi(request.get_param_value("n").c_str()) + 1;
                response.set_content("<sitemapindex><sitemap><loc>"
                        + s.url("/sitemap.xml?n=" + std::to_string(next)) + "</loc></sitemap></sitemapindex>",
                    "application/xml");
            });
        },
        [](LoopbackServer& s) { // a search that links whatever it is asked for
            serveHtml(s, "/", R"(<form action="/s"><input name="q"></form>)");
            s.handle("/s", [](const httplib::Request& request, httplib::Response& response) {
                response.set_content(
                    page("<a href=\"http://" + request.get_param_value("q") + "/\">hit</a>"), "text/html");
            });
        },
        [](LoopbackServer& s) { // its link script redirects in a circle
            serveHtml(s, "/", R"(<a href="/go/example-site.test">Example Site</a>)");
            redirect(s, "/go/example-site.test", 302, "/go/example-site.test");
        },
        [](LoopbackServer& s) { // a 50 MB home page with the link at its end
            s.serve("/", 200, std::string(50 << 20, ' ') + R"(<a href="http://example-site.test/">x</a>)",
                "text/html");
        },
    };
    for (std::size_t at = 0; at < sites.size(); ++at) {
        SCOPED_TRACE(at);
        LoopbackServer server;
        sites[at](server);
        server.start();
        EXPECT_NE(verify(server.url("/")).state, ListingState::Listed);
        EXPECT_LE(server.requests().size(), 20u);
    }
}

// A listing is kept in sv.xml and approves the submission; when a later check
// finds the page without the link, the directory is lost, dated that day.
TEST(ListingVerifierThreadedTest, AListingApprovesAndItsLossIsKeptWithTheDate)
{
    LoopbackServer server;
    serveHtml(server, "/", "Home");
    serveHtml(server, "/entry", R"(<a href="http://example-site.test/" rel="nofollow">Example Site</a>)");
    server.start();

    RecordingMessageBox messages;
    TempFolder folder;
    SendingProfile::ProfileStore profiles(messages);
    SendingProfile::SiteProfile profile;
    profile.name = "Mine";
    profile.url = kSite;
    ASSERT_TRUE(profiles.SetProfile("Mine", profile));
    const std::string submitUrl = server.url("/submit.php");
    ASSERT_TRUE(profiles.AddSubmission("Mine", "Dir", submitUrl, kTitle, "", "", "01 December 2026"));
    const FixedClock clock(1765324800); // 2025-12-10

    DirectoryStore directories(messages);
    std::vector<std::string> unknown;
    std::vector<ListingTarget> targets = listingTargets(profiles, "Mine", directories, {}, unknown);
    ASSERT_EQ(targets.size(), 1u);
    ListingRecord first = verify(submitUrl, server.url("/entry"));
    recordListing(profiles, clock, "Mine", targets.front(), first);
    EXPECT_EQ(SendingProfile::DirectoryStates::read(profiles, "Mine", "Dir", submitUrl).state,
        DirectoryState::Approved);

    ASSERT_TRUE(profiles.Save(folder.path() / "sv.xml"));
    SendingProfile::ProfileStore reopened(messages);
    ASSERT_TRUE(reopened.Open(folder.path() / "sv.xml"));
    ListingRecord kept;
    ASSERT_TRUE(reopened.getListing("Mine", "Dir", kept));
    EXPECT_EQ(kept, first);
    EXPECT_EQ(kept.rel, "nofollow");

    serveHtml(server, "/entry", "Gone");
    targets = listingTargets(reopened, "Mine", directories, { "Dir", "Nowhere" }, unknown);
    EXPECT_EQ(unknown, std::vector<std::string> { "Nowhere" });
    ASSERT_EQ(targets.front().knownPage, server.url("/entry"));
    recordListing(reopened, clock, "Mine", targets.front(), verify(submitUrl, targets.front().knownPage));
    const SendingProfile::DirectoryStatus lost =
        SendingProfile::DirectoryStates::read(reopened, "Mine", "Dir", submitUrl);
    EXPECT_EQ(lost.state, DirectoryState::Lost);
    EXPECT_FALSE(lost.date.empty());
    EXPECT_EQ(lost.address, server.url("/entry"));
    ASSERT_TRUE(reopened.getListing("Mine", "Dir", kept));
    EXPECT_EQ(kept.state, ListingState::NotFound);
    EXPECT_EQ(kept.page, server.url("/entry"));
    EXPECT_TRUE(messages.messages().empty());
}
