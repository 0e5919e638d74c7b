#include "net/HttpClient.h"

#include "LoopbackServer.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace {

using namespace std::chrono_literals;

const std::string kPage = "page body";
constexpr std::size_t kDroppedAfter = 4000;

// The text-mode forms under one signature, so every answer can be tried on each.
struct Form {
    const char* name;
    std::function<bool(const HttpTarget&, std::string&)> run;
};

const std::vector<Form>& textForms()
{
    static const std::vector<Form> forms {
        { "HttpGetPage", [](const HttpTarget& t, std::string& out) { return HttpGetPage(t, out); } },
        { "HttpGetToFile",
            [](const HttpTarget& t, std::string& out) { return HttpGetToFile(t, out, false); } },
        { "HttpPostForm",
            [](const HttpTarget& t, std::string& out) { return HttpPostForm(t, "a=1", out, false); } },
        { "HttpGetChecked", [](const HttpTarget& t, std::string& out) { return HttpGetChecked(t, out); } },
        { "HttpGetTimed", [](const HttpTarget& t, std::string& out) { return HttpGetTimed(t, out); } },
    };
    return forms;
}

// What each form gives for one kind of answer, in the order of textForms().
struct Expected {
    bool succeeded;
    std::string body;
};

void expectForms(const std::string& host, const std::string& path, const std::vector<Expected>& expected)
{
    ASSERT_EQ(expected.size(), textForms().size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(textForms()[i].name);
        std::string out = "left over";
        EXPECT_EQ(textForms()[i].run(HttpTarget(host, path), out), expected[i].succeeded);
        EXPECT_EQ(out.size(), expected[i].body.size());
        EXPECT_TRUE(out == expected[i].body);
    }
}

// Sends `total` bytes of "x" under a Content-Length of `announced`, then ends
// the connection.
LoopbackServer::Handler streamed(std::size_t total, std::size_t announced)
{
    return [total, announced](const httplib::Request&, httplib::Response& response) {
        response.set_content_provider(
            announced, "text/plain", [total](std::size_t offset, std::size_t, httplib::DataSink& sink) {
                if (offset >= total)
                    return false;
                const std::string chunk(std::min<std::size_t>(65536, total - offset), 'x');
                return sink.write(chunk.data(), chunk.size());
            });
    };
}

class HttpClientTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_server.serve("/ok", 200, kPage);
        m_server.serve("/missing", 404, "no such page");
        m_server.serve("/broken", 500, "server fault");
        m_server.handle("/moved",
            [](const httplib::Request&, httplib::Response& response) { response.set_redirect("/ok"); });
        m_server.handle("/dropped", streamed(kDroppedAfter, 10000));
        m_server.handle("/huge", streamed(kMaxHttpBodyBytes + 10, kMaxHttpBodyBytes + 10));
        m_server.start();
    }

    LoopbackServer m_server;
};

TEST_F(HttpClientTest, SuccessfulAnswerGivesTheBodyToEveryForm)
{
    expectForms(m_server.host(), "/ok",
        { { true, kPage }, { true, kPage }, { true, kPage }, { true, kPage }, { true, kPage } });
    const std::vector<SeenRequest> seen = m_server.requests();
    ASSERT_EQ(seen.size(), 5u);
    EXPECT_EQ(seen[2].method, "POST");
    EXPECT_EQ(seen[2].body, "a=1");
    EXPECT_EQ(seen[2].contentType, "application/x-www-form-urlencoded");
    for (const SeenRequest& request : seen)
        EXPECT_EQ(request.userAgent, kHttpUserAgent);
}

TEST_F(HttpClientTest, ErrorStatusIsAnAnswerOnlyForTheFormsThatIgnoreStatus)
{
    for (const auto& [path, body] :
        { std::pair { "/missing", "no such page" }, { "/broken", "server fault" } }) {
        SCOPED_TRACE(path);
        expectForms(m_server.host(), path,
            { { true, body }, { true, body }, { true, body }, { false, body }, { false, "" } });
    }
}

TEST_F(HttpClientTest, RedirectsAreFollowed)
{
    expectForms(m_server.host(), "/moved",
        { { true, kPage }, { true, kPage }, { true, kPage }, { true, kPage }, { true, kPage } });
}

TEST_F(HttpClientTest, KeysAndPasswordsAreNotTakenAlongAfterARedirectToAnotherHostOrToHttp)
{
    EXPECT_TRUE(secretMayFollow("https://api.example/v1", "https://API.example/v2"));
    EXPECT_TRUE(secretMayFollow("http://api.example/v1", "https://api.example/v1"));
    for (const char* refused :
        { "http://api.example/v1", "https://other.example/v1", "https://www.api.example/" })
        EXPECT_FALSE(secretMayFollow("https://api.example/v1", refused)) << refused;

    // On loopback every redirect is to http: a request with a secret follows none.
    const std::string elsewhere =
        "http://localhost:" + m_server.host().substr(m_server.host().find(':') + 1) + "/ok";
    m_server.handle("/elsewhere", [elsewhere](const httplib::Request&, httplib::Response& response) {
        response.set_redirect(elsewhere);
    });
    const auto failureOf = [&](const std::string& path, const std::string& header, bool secret) {
        HttpRequest request(HttpTarget(m_server.host(), path));
        request.headers = { header };
        request.carriesSecret = secret;
        std::string body;
        const HttpExchange exchange = performHttpRequest(request, HttpOutput { &body, std::nullopt });
        EXPECT_EQ(exchange.answered(), body == kPage) << path << " " << header;
        return exchange.failure;
    };
    for (const std::string path : { "/elsewhere", "/moved" }) {
        EXPECT_EQ(failureOf(path, "API-OPR: key", true), HttpFailure::RedirectRefused);
        EXPECT_EQ(failureOf(path, "Authorization: Bearer key", false), HttpFailure::RedirectRefused);
        EXPECT_EQ(failureOf(path, "Accept: text/plain", false), HttpFailure::None);
    }
    const std::vector<SeenRequest> seen = m_server.requests();
    EXPECT_EQ(
        std::count_if(seen.begin(), seen.end(), [](const SeenRequest& r) { return r.target == "/ok"; }), 2);
}

TEST_F(HttpClientTest, RefusedConnectionFailsEveryFormWithNothingRead)
{
    const std::string host = "127.0.0.1:" + std::to_string(refusedPort());
    expectForms(host, "/ok", { { false, "" }, { false, "" }, { false, "" }, { false, "" }, { false, "" } });
}

TEST_F(HttpClientTest, DroppedConnectionKeepsWhatArrived)
{
    const std::string part(kDroppedAfter, 'x');
    expectForms(m_server.host(), "/dropped",
        { { true, part }, { true, part }, { true, part }, { true, part }, { true, part } });
    std::string out;
    const HttpExchange exchange =
        performHttpRequest(HttpRequest({ m_server.host(), "/dropped" }), { &out, {} });
    EXPECT_TRUE(exchange.answered());
    EXPECT_FALSE(exchange.complete);
}

TEST_F(HttpClientTest, OversizedBodyIsCutAtTheCap)
{
    const std::string capped(kMaxHttpBodyBytes, 'x');
    expectForms(m_server.host(), "/huge",
        { { true, capped }, { true, capped }, { true, capped }, { true, capped }, { true, capped } });
    std::string out;
    EXPECT_FALSE(performHttpRequest(HttpRequest({ m_server.host(), "/huge" }), { &out, {} }).complete);
}

TEST_F(HttpClientTest, FileModeWritesTheBodyOfAnyStatus)
{
    TempFolder folder;
    std::string file = folder.path("page.html").string();
    EXPECT_TRUE(HttpGetToFile(HttpTarget(m_server.host(), "/missing"), file, true));
    EXPECT_EQ(folder.read("page.html"), "no such page");
    std::string posted = folder.path("posted.html").string();
    EXPECT_TRUE(HttpPostForm(HttpTarget(m_server.host(), "/ok"), "b=2", posted, true));
    EXPECT_EQ(folder.read("posted.html"), kPage);
}

TEST_F(HttpClientTest, FileThatCannotBeCreatedFailsBeforeAnyRequest)
{
    TempFolder folder;
    std::string file = folder.path("no/such/folder/page.html").string();
    EXPECT_FALSE(HttpGetToFile(HttpTarget(m_server.host(), "/ok"), file, true));
    EXPECT_FALSE(HttpPostForm(HttpTarget(m_server.host(), "/ok"), "a=1", file, true));
    EXPECT_TRUE(m_server.requests().empty());
    EXPECT_EQ(folder.entries(), std::vector<std::string> {});
}

TEST_F(HttpClientTest, FailedConnectionLeavesTheCreatedFileEmpty)
{
    TempFolder folder;
    std::string file = folder.write("page.html", "old content").string();
    const std::string host = "127.0.0.1:" + std::to_string(refusedPort());
    EXPECT_FALSE(HttpGetToFile(HttpTarget(host, "/ok"), file, true));
    EXPECT_TRUE(folder.exists("page.html"));
    EXPECT_EQ(folder.read("page.html"), "");
}

TEST_F(HttpClientTest, BodyBytesAreKeptWhole)
{
    const std::string binary("a\0b\xff"
                             "c",
        5);
    m_server.serve("/binary", 200, binary, "application/octet-stream");
    std::string out;
    EXPECT_TRUE(HttpGetPage(HttpTarget(m_server.host(), "/binary"), out));
    EXPECT_EQ(out, binary);
}

TEST_F(HttpClientTest, WideTimedFormReadsUtf8)
{
    m_server.serve("/utf8", 200,
        "Gr\xC3\xBC\xC3\x9F"
        "e \xE2\x82\xAC \xF0\x9F\x98\x80 \xFF!");
    std::u16string text;
    EXPECT_TRUE(HttpGetTimed(HttpTarget(m_server.host(), "/utf8"), text));
    EXPECT_EQ(text, u"Gr\u00FC\u00DFe \u20AC \U0001F600 \uFFFD!");
    EXPECT_FALSE(HttpGetTimed(HttpTarget(m_server.host(), "/missing"), text));
    EXPECT_EQ(text, u"");
}

TEST(HttpTimeoutsTest, TimedFormShortensTheTimeoutsOfTheProcess)
{
    setHttpTimeouts({ 60s, 60s });
    std::string out;
    HttpGetTimed(HttpTarget("127.0.0.1:" + std::to_string(refusedPort()), "/"), out);
    EXPECT_EQ(currentHttpTimeouts().connect, 10s);
    EXPECT_EQ(currentHttpTimeouts().receive, 10s);
}

} // namespace
