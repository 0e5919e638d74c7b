#pragma once

#include "common/HostConfiguration.h"
#include "net/LoopbackServer.h"

#include <cstdint>
#include <deque>
#include <map>
#include <mutex>
#include <string>
#include <vector>

// The Open PageRank API on a loopback server, answering in the API's format:
// 200 with a "response" entry per domain asked (status 404 for unknown
// domains), 401 for a wrong key, and any answers queued for the next requests.
class OpenPageRankFake {
public:
    static constexpr const char* kKey = "test-key";

    OpenPageRankFake();

    void setRank(const std::string& domain, std::int32_t rank);
    // The next request gets this answer instead (queued in order).
    void answerNext(int status, const std::string& body, const std::string& retryAfter = {});

    // "http://127.0.0.1:PORT"
    std::string url() const;
    // The domains of each request, in order.
    std::vector<std::vector<std::string>> batches() const;
    // Hosts whose PageRank comes from this fake with the given key.
    HostConfiguration hosts(const std::string& key = kKey) const;

private:
    struct Answer {
        int status;
        std::string body;
        std::string retryAfter;
    };

    LoopbackServer m_server;
    mutable std::mutex m_mutex;
    std::map<std::string, std::int32_t> m_ranks;
    std::deque<Answer> m_queued;
    std::vector<std::vector<std::string>> m_batches;
};

// A search API on a loopback server: Brave's /res/v1/web/search (20 results a
// page by offset) and SearXNG's /search (by pageno), both over one list of
// result addresses; Brave checks its key.
class SearchApiFake {
public:
    static constexpr const char* kKey = "brave-key";

    SearchApiFake();

    // The results every query gets, in order, and SearXNG's number_of_results.
    void setResults(std::vector<std::string> urls, long long total = 0);
    // The next request gets this answer instead.
    void answerNext(int status, const std::string& body, const std::string& retryAfter = {});

    std::string url() const;
    std::vector<SeenRequest> requests() const { return m_server.requests(); }
    HostConfiguration braveHosts() const;
    HostConfiguration searxngHosts() const;

private:
    struct Answer {
        int status;
        std::string body;
        std::string retryAfter;
    };
    bool takeQueued(httplib::Response& response);

    LoopbackServer m_server;
    mutable std::mutex m_mutex;
    std::vector<std::string> m_results;
    long long m_total = 0;
    std::deque<Answer> m_queued;
};

// A Tranco list's text of `count` lines "rank,domain": rank N is "siteN.com",
// except for the entries given.
std::string trancoText(int count, const std::map<int, std::string>& entries = {});
// A zip archive holding one file with the text.
std::string zipOf(const std::string& name, const std::string& text);
