// Fetching pages of sites nobody vetted: where their redirects may lead, and
// the character sets they name.

#include "net/PageFetch.h"
#include "net/PageCharset.h"
#include "net/PrivateAddress.h"

#include "LoopbackServer.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::HasSubstr;

namespace {

TEST(PageFetchTest, RedirectsIntoThisComputerOrItsNetworkAreRefusedUnlessAllowed)
{
    for (const char* host :
        { "127.0.0.1", "10.1.2.3", "172.31.255.1", "192.168.0.1", "169.254.1.1", "100.64.0.1", "0.0.0.0",
            "[::1]", "fd12::1", "fe80::1", "::ffff:192.168.1.1", "LocalHost", "app.localhost", "2130706433" })
        EXPECT_TRUE(isPrivateNetworkHost(host)) << host;
    for (const char* host : { "93.184.216.34", "172.32.0.1", "100.128.0.1", "2001:4860::8888", "" })
        EXPECT_FALSE(isPrivateNetworkHost(host)) << host;

    LoopbackServer server;
    server.serve("/inside", 200, "<p>router admin</p>", "text/html");
    server.handle("/", [&server](const httplib::Request&, httplib::Response& response) {
        response.set_redirect(server.url("/inside"));
    });
    server.start();
    PageFetchLimits limits;
    const FetchedPage refused = fetchPage(server.url("/"), limits);
    EXPECT_FALSE(refused.ok);
    EXPECT_THAT(refused.failure, HasSubstr("into this computer or its local network"));
    limits.privateRedirects = true;
    EXPECT_EQ(fetchPage(server.url("/"), limits).body, "<p>router admin</p>");
    EXPECT_EQ(server.requests().size(), 3u);
}

TEST(PageFetchTest, APageIsReadInTheCharacterSetItNames)
{
    const struct {
        const char* contentType;
        std::string body;
        std::string utf8;
    } pages[] = {
        { "text/html;charset=\"KOI8-R\"", "\xF0\xD2\xC9\xD7\xC5\xD4", "Привет" },
        { "text/html", "<meta charset='shift_jis'>\x82\xA0", "<meta charset='shift_jis'>あ" },
        { "text/html", "<META HTTP-EQUIV=Content-Type CONTENT='text/html; charset=latin1'>\xE9\x80",
            "<META HTTP-EQUIV=Content-Type CONTENT='text/html; charset=latin1'>é€" },
        { "text/html; charset=utf-16le", std::string("h\0i\0!", 5), "hi\xEF\xBF\xBD" },
        { "text/html", std::string("\xFF\xFEh\0", 4), "h" },
        // The header wins over the page; UTF-8, no name and an unknown one are left as they came.
        { "text/html; charset=utf-8", "<meta charset=koi8-r>\xC3\xA9", "<meta charset=koi8-r>é" },
        { "text/html", "\xE9", "\xE9" },
        { "text/html; charset=x-no-such-set", "\xE9", "\xE9" },
    };
    for (const auto& page : pages)
        EXPECT_EQ(pageTextAsUtf8(page.contentType, page.body), page.utf8) << page.contentType;

    LoopbackServer server;
    server.serve("/", 200, "<p>\xCF\xF0\xE8\xE2\xE5\xF2</p>", "text/html; charset=windows-1251");
    server.start();
    PageFetchLimits limits;
    limits.privateRedirects = true;
    EXPECT_EQ(fetchPage(server.url("/"), limits).body, "<p>Привет</p>");
}

} // namespace
