#pragma once

#include "common/StatisticsServices.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class ISleeper;

// One page of a search API's answer: the result addresses in order, and the
// count of all results when the service gives one.
struct SearchApiPage {
    bool read = false; // false: the text is no such answer (see problem)
    std::vector<std::string> urls;
    std::optional<long long> total;
    std::string problem;
};
// The Brave Search API's answer: web.results[].url.
SearchApiPage readBraveAnswer(std::string_view body);
// A SearXNG instance's JSON answer: results[].url and number_of_results.
SearchApiPage readSearxngAnswer(std::string_view body);

// The search statistics from a search API (Brave Search or a SearXNG
// instance): a site's position for a phrase in the first 100 results, the
// count of its indexed pages where the service gives one, and plain result
// lists. Pages are asked one at a time with a pause between them; a "429"
// gets the wait it asks for and one more try, nothing more.
class SearchApiClient {
public:
    static constexpr int kLastPosition = 100;
    static constexpr int kBraveResultsPerPage = 20;
    static constexpr int kPageWaitMilliseconds = 1000;
    static constexpr std::chrono::seconds kLongestRetryAfter { 60 };
    // The longest one answer may take, however slowly it keeps arriving.
    static constexpr std::chrono::seconds kAnswerTimeLimit { 30 };

    // The provider the services name; the sleeper makes the waits.
    SearchApiClient(StatisticsServices services, std::shared_ptr<ISleeper> sleeper);

    // Whether the provider is an API that can be asked (Brave with a key, or
    // SearXNG with an address).
    bool usable() const;
    // "Brave Search" or "SearXNG (address)".
    std::string name() const;

    // The site's position for the phrase: 1 to 100, 0 when it is not among
    // them, -1 when the service could not be asked.
    std::int32_t position(std::string_view siteUrl, std::string_view phrase) const;
    // The count of indexed pages the service reports for the site; none when it
    // gives no count or could not be asked.
    std::optional<std::int32_t> indexedPages(std::string_view siteUrl) const;
    // The addresses of the first page of results for a query; empty when none.
    std::vector<std::string> results(std::string_view query) const;

    // The last problem met, in plain words; empty when there was none.
    std::string lastProblem() const;
    // Replaces kAnswerTimeLimit.
    void setAnswerTimeLimit(std::chrono::milliseconds limit) { m_timeLimit = limit; }

private:
    SearchApiPage page(std::string_view query, int page) const;
    std::string pagePath(const std::string& escapedQuery, int page) const;

    StatisticsServices m_services;
    std::shared_ptr<ISleeper> m_sleeper;
    std::chrono::milliseconds m_timeLimit = kAnswerTimeLimit;
    mutable std::string m_problem;
};
