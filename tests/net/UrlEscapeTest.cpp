#include "net/UrlEscape.h"
#include "net/HttpTarget.h"

#include <gtest/gtest.h>

namespace {

constexpr std::size_t kRoomy = 4096;

TEST(UrlEscapeTest, EscapesUnsafeBytesAndKeepsTheRest)
{
    EXPECT_EQ(escapeUrlSegment("<a href=\"http://x.example/?a=1&b=2#top\">Link; here</a>", kRoomy),
        "%3Ca%20href=%22http:%2F%2Fx.example%2F%3Fa=1%26b=2%23top%22%3ELink%3B%20here%3C%2Fa%3E");
    EXPECT_EQ(escapeUrlSegment("^`{}|[]\\", kRoomy), "%5E%60%7B%7D%7C%5B%5D%5C");
    EXPECT_EQ(escapeUrlSegment(std::string("\x01\t\r\n\x7F\x80\xC3\xA9\xFF", 9), kRoomy),
        "%01%09%0D%0A%7F%80%C3%A9%FF");
    EXPECT_EQ(escapeUrlSegment(std::string("a\0b", 3), kRoomy), "a%00b");
    EXPECT_EQ(escapeUrlSegment("AZaz09-_.~!$'()*+,=:@%", kRoomy), "AZaz09-_.~!$'()*+,=:@%");
    EXPECT_EQ(escapeUrlSegment("", kRoomy), "");
}

TEST(UrlEscapeTest, ResultMustFitTheBufferWithItsTerminator)
{
    EXPECT_EQ(escapeUrlSegment("abc", 4), "abc");
    EXPECT_EQ(escapeUrlSegment("abc", 3), std::nullopt);
    EXPECT_EQ(escapeUrlSegment(" ", 4), "%20");
    EXPECT_EQ(escapeUrlSegment(" ", 3), std::nullopt);
    EXPECT_EQ(escapeUrlSegment(std::string(1536, 'a'), 1536), std::nullopt);
    EXPECT_EQ(escapeUrlSegment(std::string(1535, 'a'), 1536), std::string(1535, 'a'));
}

TEST(UrlEscapeTest, PrefixStopsBeforeTheFirstCharacterThatDoesNotFit)
{
    std::string spaces;
    for (int i = 0; i < 511; ++i)
        spaces += "%20";
    EXPECT_EQ(escapeUrlSegmentPrefix(std::string(512, ' '), 1536), spaces);
    // A two-byte character needs six places; it is never cut in half.
    EXPECT_EQ(escapeUrlSegmentPrefix("a\xC3\xA9", 7), "a");
    EXPECT_EQ(escapeUrlSegmentPrefix("a\xC3\xA9", 8), "a%C3%A9");
    EXPECT_EQ(escapeUrlSegmentPrefix("short", 1024), "short");
}

TEST(UrlEscapeTest, FormValuesEscapeWhatAFormReaderWouldDecode)
{
    EXPECT_EQ(escapeFormValue("a+b 50%", kRoomy), "a%2Bb%2050%25");
    EXPECT_EQ(escapeFormValue("AZaz09-_.~!$'()*,=:@", kRoomy), "AZaz09-_.~!$'()*,=:@");
    EXPECT_EQ(escapeFormValue("%", 4), "%25");
    EXPECT_EQ(escapeFormValue("%", 3), std::nullopt);
    EXPECT_EQ(escapeFormValuePrefix("1+1", 5), "1%2B");
}

TEST(SplitRequestUrlTest, HostRunsToTheFirstSlash)
{
    const HttpTarget plain = splitRequestUrl("http://www.site.example/cgi/interact.php?password=a%26b");
    EXPECT_EQ(plain.host, "www.site.example");
    EXPECT_EQ(plain.path, "/cgi/interact.php?password=a%26b");
    EXPECT_FALSE(plain.secure);

    const HttpTarget bare = splitRequestUrl("127.0.0.1:8080/x");
    EXPECT_EQ(bare.host, "127.0.0.1:8080");
    EXPECT_EQ(bare.path, "/x");

    const HttpTarget noPath = splitRequestUrl("http://www.site.example");
    EXPECT_EQ(noPath.host, "www.site.example");
    EXPECT_EQ(noPath.path, "/");
    EXPECT_EQ(noPath.url(), "http://www.site.example/");
}

TEST(SplitRequestUrlTest, HttpsKeepsItsSchemeAndOtherSchemesStayInTheHost)
{
    const HttpTarget secure = splitRequestUrl("https://secure.example/a");
    EXPECT_EQ(secure.host, "secure.example");
    EXPECT_TRUE(secure.secure);
    EXPECT_EQ(secure.url(), "https://secure.example/a");
    EXPECT_EQ(splitRequestUrl("HTTP://Upper.example/").host, "Upper.example");

    const HttpTarget other = splitRequestUrl("ftp://files.example/x");
    EXPECT_EQ(other.host, "ftp:");
    EXPECT_EQ(other.path, "//files.example/x");
}

} // namespace
