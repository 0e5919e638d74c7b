#include "stats/OpenPageRank.h"

#include "common/ISleeper.h"
#include "common/SystemSleeper.h"
#include "common/TextCase.h"
#include "net/HttpClient.h"
#include "net/HttpTarget.h"
#include "net/UrlEscape.h"
#include "stats/UrlText.h"

#include <nlohmann/json.hpp>

#include <algorithm>

namespace {

using namespace std::chrono_literals;

constexpr std::string_view kPath = "/api/v1.0/getPageRank";
constexpr std::string_view kKeyHeader = "API-OPR: ";
constexpr const char* kKeyNotForwarded =
    "Open PageRank redirected to another host or to http, where the API key is not sent: ";
constexpr long kTooManyRequests = 429;
constexpr std::size_t kEscapeBuffer = 2048;
constexpr std::int32_t kHighestPageRank = 10;

// A JSON value as a PageRank: a whole number from 0 to 10, also when written as text.
std::optional<std::int32_t> pageRankOf(const nlohmann::json& value)
{
    long long number = -1;
    if (value.is_number_integer())
        number = value.get<long long>();
    else if (value.is_number_float())
        number = static_cast<long long>(value.get<double>());
    else if (value.is_string() && !value.get<std::string>().empty()
        && value.get<std::string>().find_first_not_of("0123456789") == std::string::npos
        && value.get<std::string>().size() <= 2)
        number = std::stoll(value.get<std::string>());
    if (number < 0 || number > kHighestPageRank)
        return std::nullopt;
    return static_cast<std::int32_t>(number);
}

bool statusIsOk(const nlohmann::json& entry)
{
    const auto status = entry.find("status_code");
    if (status == entry.end())
        return false;
    if (status->is_number_integer())
        return status->get<long long>() == 200;
    return status->is_string() && status->get<std::string>() == "200";
}

// Retry-After in seconds; the HTTP-date form and nonsense get the default.
std::chrono::seconds retryAfterOf(const HttpExchange& exchange)
{
    const auto header = exchange.headers.find("retry-after");
    if (header == exchange.headers.end() || header->second.empty() || header->second.size() > 9
        || header->second.find_first_not_of("0123456789") != std::string::npos)
        return OpenPageRankClient::kDefaultRetryAfter;
    return std::min(std::chrono::seconds(std::stol(header->second)), OpenPageRankClient::kLongestRetryAfter);
}

} // namespace

std::string siteDomain(std::string_view url)
{
    url.remove_prefix(schemeLength(url));
    url = url.substr(0, url.find_first_of("/?#"));
    if (const std::size_t at = url.rfind('@'); at != std::string_view::npos)
        url.remove_prefix(at + 1);
    url = url.substr(0, url.find(':'));
    std::string domain = lowerAscii(url);
    while (domain.ends_with('.'))
        domain.pop_back();
    if (domain.starts_with("www."))
        domain.erase(0, 4);
    return domain;
}

OpenPageRankAnswer readOpenPageRankAnswer(std::string_view body)
{
    OpenPageRankAnswer answer;
    const nlohmann::json document = nlohmann::json::parse(body, nullptr, false);
    if (document.is_discarded()) {
        answer.problem = "Open PageRank sent an answer that is not JSON";
        return answer;
    }
    const auto response = document.is_object() ? document.find("response") : document.end();
    if (response == document.end() || !response->is_array()) {
        answer.problem = "Open PageRank sent an answer without a \"response\" list";
        return answer;
    }
    for (const nlohmann::json& entry : *response) {
        if (!entry.is_object() || !statusIsOk(entry))
            continue;
        const auto domain = entry.find("domain");
        const auto rank = entry.find("page_rank_integer");
        if (domain == entry.end() || !domain->is_string() || rank == entry.end())
            continue;
        if (const std::optional<std::int32_t> pageRank = pageRankOf(*rank))
            answer.pageRanks[lowerAscii(domain->get<std::string>())] = *pageRank;
    }
    return answer;
}

OpenPageRankClient::OpenPageRankClient(std::string baseUrl, std::string key,
    std::shared_ptr<ISleeper> sleeper, std::shared_ptr<RequestBudget> budget)
    : m_baseUrl(std::move(baseUrl))
    , m_key(std::move(key))
    , m_sleeper(sleeper ? std::move(sleeper) : std::make_shared<SystemSleeper>())
    , m_budget(budget ? std::move(budget) : std::make_shared<RequestBudget>(kRequestsPerHour, 1h))
{
}

std::vector<std::int32_t> OpenPageRankClient::query(
    const std::vector<std::string>& domains, std::int32_t failed)
{
    std::vector<std::int32_t> ranks(domains.size(), failed);
    for (std::size_t first = 0; first < domains.size(); first += kDomainsPerRequest) {
        const std::size_t end = std::min(domains.size(), first + kDomainsPerRequest);
        std::vector<std::string> batch;
        for (std::size_t i = first; i < end; ++i)
            if (!domains[i].empty() && std::find(batch.begin(), batch.end(), domains[i]) == batch.end())
                batch.push_back(domains[i]);
        if (batch.empty())
            continue;
        const auto answer = askBatch(batch);
        if (!answer)
            continue;
        for (std::size_t i = first; i < end; ++i)
            if (const auto found = answer->find(domains[i]); found != answer->end())
                ranks[i] = found->second;
    }
    return ranks;
}

void OpenPageRankClient::setProblemListener(ProblemListener listener)
{
    std::lock_guard lock(m_mutex);
    m_listener = std::move(listener);
}

std::string OpenPageRankClient::requestPath(const std::vector<std::string>& domains)
{
    std::string path(kPath);
    char separator = '?';
    for (const std::string& domain : domains) {
        const std::optional<std::string> escaped = escapeUrlSegment(domain, kEscapeBuffer);
        if (!escaped)
            continue;
        path += separator;
        path += "domains%5B%5D=" + *escaped;
        separator = '&';
    }
    return path;
}

// One batch: a request, and after a 429 the wait it asks for and one more request.
std::optional<std::map<std::string, std::int32_t>> OpenPageRankClient::askBatch(
    const std::vector<std::string>& domains)
{
    {
        std::lock_guard lock(m_mutex);
        if (m_givenUp)
            return std::nullopt;
    }
    if (m_key.empty()) {
        report("no Open PageRank key is set (Settings, Site statistics)");
        return std::nullopt;
    }
    HttpRequest request(splitRequestUrl(m_baseUrl + requestPath(domains)));
    request.headers.push_back(std::string(kKeyHeader) + m_key);
    request.carriesSecret = true;
    std::string body;
    HttpExchange exchange;
    for (int attempt = 0; attempt < 2; ++attempt) {
        m_budget->take(*m_sleeper);
        ++m_requests;
        exchange = performHttpRequest(request, HttpOutput { &body, std::nullopt });
        if (exchange.status != kTooManyRequests || attempt == 1)
            break;
        const std::chrono::seconds wait = retryAfterOf(exchange);
        report("Open PageRank asks to wait " + std::to_string(wait.count()) + " s (HTTP 429)");
        m_sleeper->sleepFor(wait);
    }
    return readExchange(exchange, body);
}

std::optional<std::map<std::string, std::int32_t>> OpenPageRankClient::readExchange(
    const HttpExchange& exchange, const std::string& body)
{
    std::unique_lock lock(m_mutex);
    if (exchange.failure == HttpFailure::RedirectRefused) {
        m_givenUp = true;
        lock.unlock();
        report(kKeyNotForwarded + m_baseUrl);
        return std::nullopt;
    }
    if (!exchange.answered()) {
        if (++m_unanswered >= kUnansweredLimit)
            m_givenUp = true;
        lock.unlock();
        report("Open PageRank did not answer at " + m_baseUrl);
        return std::nullopt;
    }
    m_unanswered = 0;
    if (exchange.status == 401 || exchange.status == 403) {
        m_givenUp = true;
        lock.unlock();
        report("Open PageRank refused the API key (HTTP " + std::to_string(exchange.status)
            + "); check the key in Settings");
        return std::nullopt;
    }
    lock.unlock();
    if (exchange.status == kTooManyRequests) {
        const std::chrono::seconds wait = retryAfterOf(exchange);
        m_budget->holdFor(wait);
        report("Open PageRank still asks to wait (HTTP 429); these domains keep their PageRank");
        return std::nullopt;
    }
    if (exchange.status != 200) {
        report("Open PageRank answered HTTP " + std::to_string(exchange.status));
        return std::nullopt;
    }
    OpenPageRankAnswer answer = readOpenPageRankAnswer(body);
    if (!answer.problem.empty()) {
        report(answer.problem);
        return std::nullopt;
    }
    return std::move(answer.pageRanks);
}

void OpenPageRankClient::report(const std::string& problem)
{
    ProblemListener listener;
    {
        std::lock_guard lock(m_mutex);
        listener = m_listener;
    }
    if (listener)
        listener(problem);
}
