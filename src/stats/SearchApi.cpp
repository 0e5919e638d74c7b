#include "stats/SearchApi.h"

#include "common/ISleeper.h"
#include "common/SystemSleeper.h"
#include "net/HttpClient.h"
#include "net/HttpTarget.h"
#include "net/UrlEscape.h"
#include "stats/OpenPageRank.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <limits>

namespace {

using Provider = StatisticsServices::SearchProvider;

constexpr long kTooManyRequests = 429;
constexpr std::size_t kEscapeBuffer = 2048;
// SearXNG pages hold about ten results; this many pages cover the first 100.
constexpr int kSearxngPages = 10;

// The "url" of each object in a JSON list.
std::vector<std::string> urlsIn(const nlohmann::json& results)
{
    std::vector<std::string> urls;
    for (const nlohmann::json& result : results) {
        if (!result.is_object())
            continue;
        const auto url = result.find("url");
        if (url != result.end() && url->is_string())
            urls.push_back(url->get<std::string>());
    }
    return urls;
}

std::chrono::seconds retryAfterOf(const HttpExchange& exchange)
{
    const auto header = exchange.headers.find("retry-after");
    if (header == exchange.headers.end() || header->second.empty() || header->second.size() > 9
        || header->second.find_first_not_of("0123456789") != std::string::npos)
        return std::chrono::seconds(1);
    return std::min(std::chrono::seconds(std::stol(header->second)), SearchApiClient::kLongestRetryAfter);
}

// What went wrong with an answer that is not a whole 200, after the service's name.
std::string problemOf(const HttpExchange& exchange, std::chrono::milliseconds timeLimit)
{
    switch (exchange.failure) {
    case HttpFailure::RedirectRefused:
        return " redirected to another host or to http, where the key is not sent";
    case HttpFailure::TimedOut:
        return " timed out (an answer may take " + std::to_string((timeLimit.count() + 999) / 1000)
            + " seconds at most)";
    default:
        break;
    }
    if (!exchange.answered())
        return " did not answer";
    if (exchange.status == 401 || exchange.status == 403)
        return " refused the key (HTTP " + std::to_string(exchange.status) + ")";
    if (exchange.status != 200)
        return " answered HTTP " + std::to_string(exchange.status);
    return " broke off its answer";
}

} // namespace

SearchApiPage readBraveAnswer(std::string_view body)
{
    SearchApiPage page;
    const nlohmann::json document = nlohmann::json::parse(body, nullptr, false);
    if (document.is_discarded() || !document.is_object()) {
        page.problem = "Brave Search sent an answer that is not JSON";
        return page;
    }
    page.read = true;
    // An answer without web results (nothing found) has no "web" part at all.
    const auto web = document.find("web");
    if (web != document.end() && web->is_object()) {
        const auto results = web->find("results");
        if (results != web->end() && results->is_array())
            page.urls = urlsIn(*results);
    }
    return page;
}

SearchApiPage readSearxngAnswer(std::string_view body)
{
    SearchApiPage page;
    const nlohmann::json document = nlohmann::json::parse(body, nullptr, false);
    const auto results = document.is_object() ? document.find("results") : document.end();
    if (document.is_discarded() || results == document.end() || !results->is_array()) {
        page.problem = "SearXNG sent an answer that is not its JSON format (is format=json enabled?)";
        return page;
    }
    page.read = true;
    page.urls = urlsIn(*results);
    const auto total = document.find("number_of_results");
    if (total != document.end() && total->is_number() && total->get<double>() > 0)
        page.total = static_cast<long long>(total->get<double>());
    return page;
}

SearchApiClient::SearchApiClient(StatisticsServices services, std::shared_ptr<ISleeper> sleeper)
    : m_services(std::move(services))
    , m_sleeper(sleeper ? std::move(sleeper) : std::make_shared<SystemSleeper>())
{
}

bool SearchApiClient::usable() const
{
    if (m_services.search == Provider::Brave)
        return !m_services.braveKey.empty();
    return m_services.search == Provider::SearXng && !m_services.searxngUrl.empty();
}

std::string SearchApiClient::name() const
{
    if (m_services.search == Provider::Brave)
        return "Brave Search";
    return "SearXNG (" + m_services.searxngUrl + ")";
}

std::int32_t SearchApiClient::position(std::string_view siteUrl, std::string_view phrase) const
{
    const std::string site = siteDomain(siteUrl);
    const int pages =
        m_services.search == Provider::Brave ? kLastPosition / kBraveResultsPerPage : kSearxngPages;
    int counted = 0;
    for (int index = 0; index < pages && counted < kLastPosition; ++index) {
        if (index > 0)
            m_sleeper->sleepFor(std::chrono::milliseconds(kPageWaitMilliseconds));
        const SearchApiPage answer = page(phrase, index);
        if (!answer.read)
            return -1;
        if (answer.urls.empty())
            break;
        for (const std::string& url : answer.urls) {
            if (++counted > kLastPosition)
                break;
            if (siteDomain(url) == site)
                return counted;
        }
    }
    return 0;
}

std::optional<std::int32_t> SearchApiClient::indexedPages(std::string_view siteUrl) const
{
    // Brave gives no count of all results; a SearXNG instance may.
    if (m_services.search != Provider::SearXng)
        return std::nullopt;
    const SearchApiPage answer = page("site:" + siteDomain(siteUrl), 0);
    if (!answer.read || !answer.total)
        return std::nullopt;
    return static_cast<std::int32_t>(
        std::min<long long>(*answer.total, std::numeric_limits<std::int32_t>::max()));
}

std::vector<std::string> SearchApiClient::results(std::string_view query) const
{
    return page(query, 0).urls;
}

std::string SearchApiClient::lastProblem() const
{
    return m_problem;
}

SearchApiPage SearchApiClient::page(std::string_view query, int index) const
{
    SearchApiPage failed;
    const std::optional<std::string> escaped = escapeUrlSegment(query, kEscapeBuffer);
    if (!usable() || !escaped) {
        failed.problem = usable() ? "the search phrase is too long" : name() + " is not set up in Settings";
        m_problem = failed.problem;
        return failed;
    }
    const bool brave = m_services.search == Provider::Brave;
    HttpRequest request(
        splitRequestUrl((brave ? m_services.braveUrl : m_services.searxngUrl) + pagePath(*escaped, index)));
    request.headers.emplace_back("Accept: application/json");
    if (brave)
        request.headers.push_back("X-Subscription-Token: " + m_services.braveKey);
    request.carriesSecret = brave;
    request.totalTimeout = m_timeLimit;
    std::string body;
    HttpExchange exchange;
    for (int attempt = 0; attempt < 2; ++attempt) {
        exchange = performHttpRequest(request, HttpOutput { &body, std::nullopt });
        if (exchange.status != kTooManyRequests || attempt == 1)
            break;
        m_sleeper->sleepFor(retryAfterOf(exchange));
    }
    if (exchange.status != 200 || !exchange.complete) {
        failed.problem = name() + problemOf(exchange, m_timeLimit);
        m_problem = failed.problem;
        return failed;
    }
    SearchApiPage answer = brave ? readBraveAnswer(body) : readSearxngAnswer(body);
    if (!answer.read)
        m_problem = answer.problem;
    return answer;
}

std::string SearchApiClient::pagePath(const std::string& escapedQuery, int index) const
{
    if (m_services.search == Provider::Brave)
        return "/res/v1/web/search?q=" + escapedQuery + "&count=" + std::to_string(kBraveResultsPerPage)
            + "&offset=" + std::to_string(index);
    return "/search?q=" + escapedQuery + "&format=json&pageno=" + std::to_string(index + 1);
}
