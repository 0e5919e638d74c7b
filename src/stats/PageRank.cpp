#include "stats/PageRank.h"

#include "common/DecimalText.h"
#include "common/ISleeper.h"
#include "common/WideText.h"
#include "net/HttpClient.h"
#include "net/UrlEscape.h"
#include "stats/UrlText.h"

#include <array>

namespace {

constexpr std::string_view kQueryStart = "/search?client=navclient-auto&ch=6";
constexpr std::string_view kQueryMiddle = "&features=Rank&q=info%3A";
constexpr std::string_view kChecksumPrefix = "info:";
// The escaped URL of a query fits a buffer of this many characters.
constexpr std::size_t kQueryEscapeBuffer = 1024;

// The lookup2 hash state; arithmetic wraps modulo 2^32.
struct HashState {
    std::uint32_t a = 0x9E3779B9;
    std::uint32_t b = 0x9E3779B9;
    std::uint32_t c = 0xE6359A60;

    void mix()
    {
        a -= b;
        a -= c;
        a ^= c >> 13;
        b -= c;
        b -= a;
        b ^= a << 8;
        c -= a;
        c -= b;
        c ^= b >> 13;
        a -= b;
        a -= c;
        a ^= c >> 12;
        b -= c;
        b -= a;
        b ^= a << 16;
        c -= a;
        c -= b;
        c ^= b >> 5;
        a -= b;
        a -= c;
        a ^= c >> 3;
        b -= c;
        b -= a;
        b ^= a << 10;
        c -= a;
        c -= b;
        c ^= b >> 15;
    }
};

// A byte of 8-bit text counts as a signed value, sign-extended before shifting.
std::uint32_t codeUnitValue(char unit)
{
    return static_cast<std::uint32_t>(static_cast<std::int32_t>(static_cast<signed char>(unit)));
}

std::uint32_t codeUnitValue(char16_t unit)
{
    return unit;
}

template <typename Char> std::int32_t checksumOf(std::basic_string_view<Char> text)
{
    auto unit = [&](std::size_t at) { return codeUnitValue(text[at]); };
    auto word = [&](std::size_t at) {
        return unit(at) + (unit(at + 1) << 8) + (unit(at + 2) << 16) + (unit(at + 3) << 24);
    };
    HashState state;
    std::size_t k = 0;
    std::size_t n = text.size();
    for (; n > 11; k += 12, n -= 12) {
        state.a += word(k);
        state.b += word(k + 4);
        state.c += word(k + 8);
        state.mix();
    }
    state.c += static_cast<std::uint32_t>(text.size());
    // The remaining units, highest first; c's lowest byte holds the length.
    constexpr std::array<int, 11> kShifts { 0, 8, 16, 24, 0, 8, 16, 24, 8, 16, 24 };
    for (std::size_t i = n; i-- > 0;) {
        std::uint32_t& target = i < 4 ? state.a : i < 8 ? state.b : state.c;
        target += unit(k + i) << kShifts[i];
    }
    state.mix();
    return static_cast<std::int32_t>(state.c);
}

std::string queryPathFor(std::string_view utf8Url, std::int32_t checksum)
{
    const std::optional<std::string> escaped = escapeUrlSegment(utf8Url, kQueryEscapeBuffer);
    if (!escaped)
        return {};
    return std::string(kQueryStart) + std::to_string(checksum) + std::string(kQueryMiddle) + *escaped;
}

template <typename Char> std::basic_string<Char> siteRootOf(std::basic_string_view<Char> url)
{
    const std::size_t slash = url.find(Char('/'), schemeLength(url));
    return std::basic_string<Char>(url.substr(0, slash));
}

// Whether a page answers: the remainder after the scheme is split into host and
// path; a URL without a scheme has no host and never answers.
std::int32_t checkAliveUtf8(std::string_view url)
{
    const std::size_t scheme = schemeLength(url);
    if (scheme == 0)
        return kSiteDead;
    const std::string_view rest = url.substr(scheme);
    const std::size_t slash = rest.find('/');
    HttpTarget target(std::string(rest.substr(0, slash)),
        slash == std::string_view::npos ? "/" : std::string(rest.substr(slash)), scheme == 8);
    if (target.host.empty())
        return kSiteDead;
    std::string body;
    return HttpGetTimed(target, body) ? kSiteAlive : kSiteDead;
}

} // namespace

std::string SiteRoot(std::string_view url)
{
    return siteRootOf(url);
}

std::u16string SiteRoot(std::u16string_view url)
{
    return siteRootOf(url);
}

std::int32_t pageRankChecksum(std::string_view text)
{
    return checksumOf(text);
}

std::int32_t pageRankChecksum(std::u16string_view text)
{
    return checksumOf(text);
}

std::string pageRankQueryPath(std::string_view url)
{
    return queryPathFor(url, pageRankChecksum(std::string(kChecksumPrefix) + std::string(url)));
}

std::string pageRankQueryPath(std::u16string_view url)
{
    return queryPathFor(utf8FromUtf16(url), pageRankChecksum(u"info:" + std::u16string(url)));
}

std::int32_t readPageRankAnswer(std::string_view body)
{
    const std::size_t colon = body.rfind(':');
    if (colon == std::string_view::npos)
        return kUnknownPageRank;
    return parseDecimal(body.substr(colon + 1));
}

std::int32_t QueryPageRank(std::string_view url, const std::string& host, PageRankRequest request)
{
    const std::string path = pageRankQueryPath(url);
    if (path.empty())
        return kUnknownPageRank;
    std::string body;
    const HttpTarget target(host, path);
    const bool answered =
        request == PageRankRequest::Page ? HttpGetPage(target, body) : HttpGetTimed(target, body);
    return answered ? readPageRankAnswer(body) : kUnknownPageRank;
}

std::int32_t QueryPageRank(std::u16string_view url, const std::string& host, ISleeper& sleeper)
{
    const std::string path = pageRankQueryPath(url);
    std::int32_t pageRank = kFailedPageRank;
    std::u16string body;
    if (!path.empty() && HttpGetTimed(HttpTarget(host, path), body))
        pageRank = readPageRankAnswer(utf8FromUtf16(body));
    sleeper.sleepFor(std::chrono::milliseconds(kListCheckerPauseMilliseconds));
    return pageRank;
}

std::int32_t CheckAlive(std::string_view url)
{
    return checkAliveUtf8(url);
}

std::int32_t CheckAlive(std::u16string_view url)
{
    return checkAliveUtf8(utf8FromUtf16(url));
}
