#include "stats/CSEOData.h"

#include "common/SystemSleeper.h"
#include "net/HttpClient.h"
#include "net/UrlEscape.h"
#include "stats/PageRank.h"
#include "stats/SearchPages.h"
#include "stats/UrlText.h"

#include <optional>
#include <system_error>
#include <thread>

struct CSEOData::Request {
    std::int32_t kind = 0;
    std::string url;
    std::string phrase;
    std::int32_t cookie = 0;
    IResultSink* sink = nullptr;
    std::shared_ptr<IResultSink> sharedSink;
    std::shared_ptr<const HostConfiguration> hosts;
    std::shared_ptr<ISleeper> sleeper;

    std::int32_t result() const;
    void runAndReport() const;
};

namespace {

// Escaped texts in a query fit a buffer of this many characters.
constexpr std::size_t kEscapeBuffer = 2048;
constexpr int kResultPages = 3;
constexpr int kResultsPerPage = 100;
constexpr std::string_view kGoogleResult = "<div class=g>";
constexpr std::string_view kYahooResult = "<div><h3>";
constexpr std::string_view kYahooRefusal = "error 999";
constexpr std::int32_t kYahooRefused = -1;

std::string pageOf(const std::string& host, const std::string& path)
{
    std::string body;
    HttpGetPage(HttpTarget(host, path), body);
    return body;
}

std::optional<std::string> escaped(std::string_view text)
{
    return escapeUrlSegment(text, kEscapeBuffer);
}

std::int32_t alexaRank(const HostConfiguration& hosts, std::string_view url)
{
    if (startsWithNoCase(url, "http://"))
        url.remove_prefix(7);
    const auto term = escaped(url);
    if (!term)
        return -1;
    return readAlexaRank(pageOf(hosts.alexaHost(), "/data/details/traffic_details?q=&url=" + *term));
}

// A figure read from one page of a host; 0 when the URL is too long for the query.
std::int32_t countFrom(const std::string& host, const std::string& pathStart, std::string_view url,
    std::int32_t (*read)(std::string_view))
{
    const auto term = escaped(url);
    return term ? read(pageOf(host, pathStart + *term)) : 0;
}

// Yahoo Site Explorer's query names the URL with its scheme; "http://" when it has none.
std::int32_t yahooFigure(
    const HostConfiguration& hosts, std::string_view url, std::int32_t (*read)(std::string_view))
{
    const std::string prefix = schemeLength(url) == 0 ? "/search?p=http%3A%2F%2F" : "/search?p=";
    return countFrom(hosts.yahooSiteExplorerHost(), prefix, url, read);
}

// Searches up to three result pages for a marker; the position is the page's
// first result number plus the count of results that begin before the marker.
// A page without the marker that carries `refusal` stops the search with -1.
template <typename PathOf>
std::int32_t positionIn(const std::string& host, PathOf pathOf, std::string_view marker,
    std::string_view result, std::string_view refusal, int waitMilliseconds, ISleeper& sleeper)
{
    std::int32_t position = 0;
    for (int page = 0; page < kResultPages && position == 0; ++page) {
        if (page > 0)
            sleeper.sleepFor(std::chrono::milliseconds(waitMilliseconds));
        const std::string body = pageOf(host, pathOf(page));
        const std::size_t at = body.find(marker);
        if (at != std::string::npos)
            position = page * kResultsPerPage + countOccurrencesBefore(body, result, at);
        else if (!refusal.empty() && body.find(refusal) != std::string::npos)
            return kYahooRefused;
    }
    return position;
}

std::int32_t googlePosition(
    const HostConfiguration& hosts, ISleeper& sleeper, std::string_view url, std::string_view phrase)
{
    const auto term = escaped(phrase);
    if (!term)
        return 0;
    const std::string marker = "<a href=\"" + withHttpScheme(SiteRoot(url));
    auto pathOf = [&](int page) {
        return "/search?num=100&q=" + *term + "&start=" + std::to_string(page * kResultsPerPage);
    };
    return positionIn(hosts.googleHost(), pathOf, marker, kGoogleResult, {},
        CSEOData::kGooglePageWaitMilliseconds, sleeper);
}

// Yahoo's result links lead through its redirect, which writes the target as
// "**http%3a//" + host; an https site appears as "**https%3a//" + host.
std::string yahooMarker(std::string_view siteRoot)
{
    if (startsWithNoCase(siteRoot, "https://"))
        return "**https%3a//" + std::string(siteRoot.substr(8));
    if (startsWithNoCase(siteRoot, "http://"))
        siteRoot.remove_prefix(7);
    return "**http%3a//" + std::string(siteRoot);
}

std::int32_t yahooPosition(
    const HostConfiguration& hosts, ISleeper& sleeper, std::string_view url, std::string_view phrase)
{
    const auto term = escaped(phrase);
    if (!term)
        return 0;
    auto pathOf = [&](int page) {
        return "/search?n=100&p=" + *term + "&b=" + std::to_string(page * kResultsPerPage + 1);
    };
    return positionIn(hosts.yahooHost(), pathOf, yahooMarker(SiteRoot(url)), kYahooResult, kYahooRefusal,
        CSEOData::kYahooPageWaitMilliseconds, sleeper);
}

} // namespace

CSEOData::CSEOData(HostConfiguration hosts, std::shared_ptr<ISleeper> sleeper)
    : m_hosts(std::make_shared<const HostConfiguration>(std::move(hosts)))
    , m_sleeper(sleeper ? std::move(sleeper) : std::make_shared<SystemSleeper>())
{
}

std::int32_t CSEOData::Query(std::int32_t kind, const std::string& url, const std::string& phrase,
    std::int32_t cookie, IResultSink* sink) const
{
    Request request { kind, url, phrase, cookie, sink, nullptr, m_hosts, m_sleeper };
    return sink ? start(std::move(request)) : request.result();
}

std::int32_t CSEOData::Query(
    std::int32_t kind, const std::string& url, std::int32_t cookie, IResultSink* sink) const
{
    return Query(kind, url, std::string(), cookie, sink);
}

std::int32_t CSEOData::Query(std::int32_t kind, const std::string& url, const std::string& phrase,
    std::int32_t cookie, std::shared_ptr<IResultSink> sink) const
{
    IResultSink* const raw = sink.get();
    Request request { kind, url, phrase, cookie, raw, std::move(sink), m_hosts, m_sleeper };
    return raw ? start(std::move(request)) : request.result();
}

std::int32_t CSEOData::start(Request request) const
{
    try {
        std::thread([request = std::move(request)] { request.runAndReport(); }).detach();
    } catch (const std::system_error&) {
        return -1;
    }
    return 0;
}

std::int32_t CSEOData::Request::result() const
{
    switch (kind) {
    case GooglePageRank:
        return QueryPageRank(url, hosts->pageRankHost());
    case HomePagePageRank:
        return QueryPageRank(SiteRoot(url), hosts->pageRankHost());
    case AlexaRank:
        return alexaRank(*hosts, url);
    case GoogleInboundLinks:
        return countFrom(hosts->googleHost(), "/search?q=link%3A", url, readGoogleInboundLinks);
    case YahooInboundLinks:
        return yahooFigure(*hosts, url, readYahooInboundLinks);
    case GoogleIndex:
        return countFrom(hosts->googleHost(), "/search?q=site%3A", SiteRoot(url), readGoogleIndex);
    case YahooIndex:
        return yahooFigure(*hosts, SiteRoot(url), readYahooIndex);
    case GooglePosition:
        return googlePosition(*hosts, *sleeper, url, phrase);
    case YahooPosition:
        return yahooPosition(*hosts, *sleeper, url, phrase);
    default:
        return kUnknownKind;
    }
}

void CSEOData::Request::runAndReport() const
{
    const std::int32_t figure = result();
    if (sink)
        sink->OnSEOResult(figure, cookie);
}
