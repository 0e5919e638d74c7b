#pragma once

#include "stats/RequestBudget.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class ISleeper;
struct HttpExchange;

// The domain Open PageRank (and the traffic-rank list) is asked about for a
// URL: the host without scheme, port and a leading "www.", in lower case.
std::string siteDomain(std::string_view url);

// What an answer of the Open PageRank API says: the PageRank (0 to 10) of each
// domain it knows, by domain in lower case. Domains with a status other than
// 200 are left out. Empty with `problem` set when the text is no such answer.
struct OpenPageRankAnswer {
    std::map<std::string, std::int32_t> pageRanks;
    std::string problem;
};
OpenPageRankAnswer readOpenPageRankAnswer(std::string_view body);

// The Open PageRank API: asks the PageRank of up to 100 domains in one request,
// keeps within the published limit of 10,000 requests an hour, and waits as a
// "429 Too Many Requests" asks (through the sleeper) before trying that batch
// once more. A refused key or a server that stops answering ends the asking:
// later queries fail at once instead of repeating the same failed request.
class OpenPageRankClient {
public:
    static constexpr std::size_t kDomainsPerRequest = 100;
    static constexpr std::size_t kRequestsPerHour = 10000;
    // The wait after a 429 without a usable Retry-After, and the longest honoured.
    static constexpr std::chrono::seconds kDefaultRetryAfter { 60 };
    static constexpr std::chrono::seconds kLongestRetryAfter { 3600 };
    // Requests in a row that get no answer before the client stops asking.
    static constexpr int kUnansweredLimit = 3;

    // Told, in plain words, why a batch got no PageRank.
    using ProblemListener = std::function<void(const std::string& problem)>;

    // Asks the API at `baseUrl` ("https://openpagerank.com") with the key; the
    // sleeper makes the waits; the budget is a fresh one per client when null.
    OpenPageRankClient(std::string baseUrl, std::string key, std::shared_ptr<ISleeper> sleeper,
        std::shared_ptr<RequestBudget> budget = nullptr);

    // The PageRank of each domain, in order; `failed` for every domain the
    // answer does not give one for. One request per 100 domains. Blocks.
    std::vector<std::int32_t> query(const std::vector<std::string>& domains, std::int32_t failed);

    void setProblemListener(ProblemListener listener);
    // How many requests have been sent.
    std::size_t requestCount() const { return m_requests; }

    // The request path for a batch of domains.
    static std::string requestPath(const std::vector<std::string>& domains);

private:
    std::optional<std::map<std::string, std::int32_t>> askBatch(const std::vector<std::string>& domains);
    std::optional<std::map<std::string, std::int32_t>> readExchange(
        const HttpExchange& exchange, const std::string& body);
    void report(const std::string& problem);

    const std::string m_baseUrl;
    const std::string m_key;
    const std::shared_ptr<ISleeper> m_sleeper;
    const std::shared_ptr<RequestBudget> m_budget;
    std::atomic<std::size_t> m_requests { 0 };

    std::mutex m_mutex;
    ProblemListener m_listener;
    bool m_givenUp = false;
    int m_unanswered = 0;
};
