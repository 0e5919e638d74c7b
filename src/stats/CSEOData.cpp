#include "stats/CSEOData.h"

#include "common/SystemSleeper.h"
#include "net/HttpClient.h"
#include "net/UrlEscape.h"
#include "stats/OpenPageRank.h"
#include "stats/PageRank.h"
#include "stats/PageRankSource.h"
#include "stats/SearchApi.h"
#include "stats/SearchPages.h"
#include "stats/TrancoList.h"
#include "stats/UrlText.h"

#include <ctime>
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
    std::filesystem::path trafficList;

    Answer result() const;
    std::int32_t searchFigure() const;
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

// Fetches the pages of one request, any status read as the windows always
// did, and notes the first host that gave no usable answer (none, or an error
// status), so that a failure is not taken for a count of 0.
class PageFetcher {
public:
    std::string operator()(const std::string& host, const std::string& path)
    {
        std::string body;
        const HttpExchange exchange =
            performHttpRequest(HttpRequest(HttpTarget(host, path)), HttpOutput { &body, std::nullopt });
        if ((!exchange.answered() || exchange.status >= 400) && m_silentHost.empty())
            m_silentHost = host;
        return body;
    }

    const std::string& silentHost() const { return m_silentHost; }

private:
    std::string m_silentHost;
};

std::int32_t pageRankOf(PageFetcher& pageOf, const HostConfiguration& hosts, std::string_view url)
{
    const std::string path = pageRankQueryPath(url);
    if (path.empty())
        return kUnknownPageRank;
    return readPageRankAnswer(pageOf(hosts.pageRankHost(), path));
}

std::optional<std::string> escaped(std::string_view text)
{
    return escapeUrlSegment(text, kEscapeBuffer);
}

std::int32_t alexaRank(PageFetcher& pageOf, const HostConfiguration& hosts, std::string_view url)
{
    if (startsWithNoCase(url, "http://"))
        url.remove_prefix(7);
    const auto term = escaped(url);
    if (!term)
        return -1;
    return readAlexaRank(pageOf(hosts.alexaHost(), "/data/details/traffic_details?q=&url=" + *term));
}

// A figure read from one page of a host; 0 when the URL is too long for the query.
std::int32_t countFrom(PageFetcher& pageOf, const std::string& host, const std::string& pathStart,
    std::string_view url, std::int32_t (*read)(std::string_view))
{
    const auto term = escaped(url);
    return term ? read(pageOf(host, pathStart + *term)) : 0;
}

// Yahoo Site Explorer's query names the URL with its scheme; "http://" when it has none.
std::int32_t yahooFigure(PageFetcher& pageOf, const HostConfiguration& hosts, std::string_view url,
    std::int32_t (*read)(std::string_view))
{
    const std::string prefix = schemeLength(url) == 0 ? "/search?p=http%3A%2F%2F" : "/search?p=";
    return countFrom(pageOf, hosts.yahooSiteExplorerHost(), prefix, url, read);
}

// Searches up to three result pages for a marker; the position is the page's
// first result number plus the count of results that begin before the marker.
// A page without the marker that carries `refusal` stops the search with -1.
template <typename PathOf>
std::int32_t positionIn(PageFetcher& pageOf, const std::string& host, PathOf pathOf, std::string_view marker,
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
        else if (!pageOf.silentHost().empty())
            break; // the next pages would not come either
    }
    return position;
}

std::int32_t googlePosition(PageFetcher& pageOf, const HostConfiguration& hosts, ISleeper& sleeper,
    std::string_view url, std::string_view phrase)
{
    const auto term = escaped(phrase);
    if (!term)
        return 0;
    const std::string marker = "<a href=\"" + withHttpScheme(SiteRoot(url));
    auto pathOf = [&](int page) {
        return "/search?num=100&q=" + *term + "&start=" + std::to_string(page * kResultsPerPage);
    };
    return positionIn(pageOf, hosts.googleHost(), pathOf, marker, kGoogleResult, {},
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

std::int32_t yahooPosition(PageFetcher& pageOf, const HostConfiguration& hosts, ISleeper& sleeper,
    std::string_view url, std::string_view phrase)
{
    const auto term = escaped(phrase);
    if (!term)
        return 0;
    auto pathOf = [&](int page) {
        return "/search?n=100&p=" + *term + "&b=" + std::to_string(page * kResultsPerPage + 1);
    };
    return positionIn(pageOf, hosts.yahooHost(), pathOf, yahooMarker(SiteRoot(url)), kYahooResult,
        kYahooRefusal, CSEOData::kYahooPageWaitMilliseconds, sleeper);
}

// Open PageRank answers for a domain, so a page and its home page get the same figure.
std::int32_t openPageRank(
    const HostConfiguration& hosts, std::shared_ptr<ISleeper> sleeper, std::string_view url)
{
    const std::shared_ptr<OpenPageRankClient> client = openPageRankClientFor(hosts, std::move(sleeper));
    return client->query({ siteDomain(url) }, kUnknownPageRank).front();
}

std::int32_t trafficRank(const std::filesystem::path& list, std::string_view url)
{
    const TrancoList::Lookup lookup = TrancoList(list).rankOf(url);
    return lookup.listPresent ? lookup.rank : CSEOData::kNotAvailable;
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
    Request request { kind, url, phrase, cookie, sink, nullptr, m_hosts, m_sleeper, m_trafficList };
    return sink ? start(std::move(request)) : request.result().figure;
}

CSEOData::Answer CSEOData::answer(std::int32_t kind, const std::string& url, const std::string& phrase) const
{
    return Request { kind, url, phrase, 0, nullptr, nullptr, m_hosts, m_sleeper, m_trafficList }.result();
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
    Request request { kind, url, phrase, cookie, raw, std::move(sink), m_hosts, m_sleeper, m_trafficList };
    return raw ? start(std::move(request)) : request.result().figure;
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

CSEOData::Answer CSEOData::Request::result() const
{
    // The services with a client of their own tell a failure apart themselves
    // (-1 or kNotAvailable), so only the web pages fetched here note a silent host.
    if (hosts->services().search != StatisticsServices::SearchProvider::Web && kind >= GoogleInboundLinks
        && kind <= YahooPosition)
        return { searchFigure(), {} };
    if ((kind == GooglePageRank || kind == HomePagePageRank) && usesOpenPageRank(*hosts))
        return { openPageRank(*hosts, sleeper, url), {} };
    if (kind == AlexaRank && !trafficList.empty())
        return { trafficRank(trafficList, url), {} };
    PageFetcher pageOf;
    std::int32_t figure = kUnknownKind;
    switch (kind) {
    case GooglePageRank:
        figure = pageRankOf(pageOf, *hosts, url);
        break;
    case HomePagePageRank:
        figure = pageRankOf(pageOf, *hosts, SiteRoot(url));
        break;
    case AlexaRank:
        figure = alexaRank(pageOf, *hosts, url);
        break;
    case GoogleInboundLinks:
        figure = countFrom(pageOf, hosts->googleHost(), "/search?q=link%3A", url, readGoogleInboundLinks);
        break;
    case YahooInboundLinks:
        figure = yahooFigure(pageOf, *hosts, url, readYahooInboundLinks);
        break;
    case GoogleIndex:
        figure = countFrom(pageOf, hosts->googleHost(), "/search?q=site%3A", SiteRoot(url), readGoogleIndex);
        break;
    case YahooIndex:
        figure = yahooFigure(pageOf, *hosts, SiteRoot(url), readYahooIndex);
        break;
    case GooglePosition:
        figure = googlePosition(pageOf, *hosts, *sleeper, url, phrase);
        break;
    case YahooPosition:
        figure = yahooPosition(pageOf, *hosts, *sleeper, url, phrase);
        break;
    default:
        break;
    }
    return { figure, pageOf.silentHost() };
}

// A search API gives positions and, some of them, a count of indexed pages;
// no API gives backlink counts, and the Yahoo figures have no API at all.
std::int32_t CSEOData::Request::searchFigure() const
{
    const SearchApiClient client(hosts->services(), sleeper);
    if (kind == GooglePosition)
        return client.position(url, phrase);
    if (kind == GoogleIndex)
        return client.indexedPages(url).value_or(kNotAvailable);
    return kNotAvailable;
}

void CSEOData::Request::runAndReport() const
{
    const Answer answer = result();
    if (!sink)
        return;
    if (!answer.answered())
        sink->onNoAnswer(answer.silentHost, cookie);
    sink->OnSEOResult(answer.figure, cookie);
}

bool CSEOData::usesSearchApi() const
{
    return m_hosts->services().search != StatisticsServices::SearchProvider::Web;
}

bool CSEOData::pageRankPerDomain() const
{
    return usesOpenPageRank(*m_hosts);
}

bool CSEOData::offers(std::int32_t kind) const
{
    if (!usesSearchApi())
        return kind >= GooglePageRank && kind <= YahooPosition;
    return kind == GooglePageRank || kind == HomePagePageRank || kind == AlexaRank || kind == GoogleIndex
        || kind == GooglePosition;
}

std::string CSEOData::sourceOf(std::int32_t kind) const
{
    const SearchApiClient api(m_hosts->services(), m_sleeper);
    if (kind == GooglePageRank || kind == HomePagePageRank)
        return pageRankSourceName(*m_hosts);
    if (kind == AlexaRank) {
        if (m_trafficList.empty())
            return "Alexa (" + m_hosts->alexaHost() + ")";
        return "Tranco list, " + TrancoList(m_trafficList).ageText(std::time(nullptr));
    }
    if (usesSearchApi())
        return offers(kind) ? api.name() : "not offered by " + api.name();
    if (kind == GoogleInboundLinks || kind == GoogleIndex || kind == GooglePosition)
        return "Google web search (" + m_hosts->googleHost() + ")";
    if (kind == YahooPosition)
        return "Yahoo web search (" + m_hosts->yahooHost() + ")";
    return "Yahoo Site Explorer (" + m_hosts->yahooSiteExplorerHost() + ")";
}

std::string CSEOData::labelOf(std::int32_t kind) const
{
    const bool openPageRank = usesOpenPageRank(*m_hosts);
    const bool api = usesSearchApi();
    switch (kind) {
    case GooglePageRank:
        return openPageRank ? "PageRank" : "Google PR";
    case HomePagePageRank:
        return openPageRank ? "Homepage PageRank" : "Google Homepage PR";
    case AlexaRank:
        return "Traffic Rank";
    case GoogleInboundLinks:
        return api ? "Inbound Links" : "Google Inbound Links";
    case YahooInboundLinks:
        return "Yahoo Inbound Link";
    case GoogleIndex:
        return api ? "Indexed Pages" : "Google Index";
    case YahooIndex:
        return "Yahoo Index";
    case GooglePosition:
        return api ? SearchApiClient(m_hosts->services(), m_sleeper).name() + " Position" : "Google Position";
    case YahooPosition:
        return "Yahoo Position";
    default:
        return {};
    }
}

std::vector<std::string> CSEOData::searchResults(const std::string& query) const
{
    if (!usesSearchApi())
        return {};
    return SearchApiClient(m_hosts->services(), m_sleeper).results(query);
}
