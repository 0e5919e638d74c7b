#pragma once

#include "common/HostConfiguration.h"

#include <cstdint>
#include <filesystem>
#include <limits>
#include <memory>
#include <string>
#include <vector>

class ISleeper;

// Gathers the figures that describe a site's standing with the search engines:
// PageRank, the traffic rank, inbound link and indexed page counts, and the
// site's position in the results for a search phrase. Each figure is one
// request of a kind; it runs on the calling thread, or on a thread of its own
// that reports back through a sink. The settings choose where each figure comes
// from: PageRank from the toolbar query or Open PageRank, the traffic rank from
// the Tranco list (when one is given) or the Alexa page, the search figures
// from the engines' pages or a search API. A figure the chosen source cannot
// give is kNotAvailable, without a request.
class CSEOData {
public:
    // The kinds of request, with the result when nothing is found or the request fails.
    enum Kind : std::int32_t {
        GooglePageRank = 0, // PageRank of the URL; -1
        HomePagePageRank = 1, // PageRank of the site root; -1
        AlexaRank = 2, // traffic rank; 0 without a rank, -1 without the markers (Alexa)
        GoogleInboundLinks = 3, // Google's count of pages linking to the URL; 0
        YahooInboundLinks = 4, // Yahoo Site Explorer's inbound links; 0
        GoogleIndex = 5, // Google's count of indexed pages of the site; 0
        YahooIndex = 6, // Yahoo Site Explorer's indexed pages of the site; 0
        GooglePosition = 7, // position for the phrase in Google's first 300 results; 0
        YahooPosition = 8, // the same in Yahoo's; 0, or -1 when Yahoo refuses the query
    };

    // Receives the results of requests that run on their own threads; called on
    // those threads, in whatever order they finish.
    class IResultSink {
    public:
        virtual ~IResultSink() = default;

        // One finished request, with the cookie it was started with.
        virtual void OnSEOResult(std::int32_t result, std::int32_t cookie) = 0;
        // Comes just before OnSEOResult when a host gave no usable answer, so
        // that the result is not taken for a figure.
        virtual void onNoAnswer(const std::string& host, std::int32_t cookie)
        {
            static_cast<void>(host);
            static_cast<void>(cookie);
        }
    };

    // The result of one request and whether the hosts it asked answered.
    struct Answer {
        std::int32_t figure = 0; // as Query returns it
        std::string silentHost; // the first host that gave no answer or an error status; empty if none
        bool answered() const { return silentHost.empty(); }
    };

    // The pause before Google's and Yahoo's second and third result pages.
    static constexpr int kGooglePageWaitMilliseconds = 7000;
    static constexpr int kYahooPageWaitMilliseconds = 10000;
    // The result of a kind that does not exist.
    static constexpr std::int32_t kUnknownKind = -1;
    // A figure the chosen source does not give (a search API's backlink count).
    static constexpr std::int32_t kNotAvailable = std::numeric_limits<std::int32_t>::min();

    // Requests go to the configured hosts; the sleeper makes the waits between
    // result pages (real waits when null). Both are shared with running requests.
    explicit CSEOData(HostConfiguration hosts, std::shared_ptr<ISleeper> sleeper = nullptr);

    // Without a sink: runs the request here and returns its result. With one:
    // starts a thread for it and returns 0 (-1 when no thread could be started);
    // the sink then gets the result and must stay valid until it has.
    std::int32_t Query(std::int32_t kind, const std::string& url, const std::string& phrase,
        std::int32_t cookie, IResultSink* sink) const;
    std::int32_t Query(
        std::int32_t kind, const std::string& url, std::int32_t cookie, IResultSink* sink) const;
    // Runs the request here and tells a figure from a host that did not answer.
    Answer answer(std::int32_t kind, const std::string& url, const std::string& phrase = {}) const;
    // As Query above; the request's thread keeps the sink alive until it has reported.
    std::int32_t Query(std::int32_t kind, const std::string& url, const std::string& phrase,
        std::int32_t cookie, std::shared_ptr<IResultSink> sink) const;

    // The traffic rank comes from this Tranco list (see TrancoList) from now on.
    void useTrafficList(std::filesystem::path file) { m_trafficList = std::move(file); }
    bool hasTrafficList() const { return !m_trafficList.empty(); }

    // Whether the chosen source gives a kind's figure at all.
    bool offers(std::int32_t kind) const;
    // Who gives a kind's figure, as the user reads it ("Open PageRank", "Brave
    // Search", "Tranco list, downloaded on ...").
    std::string sourceOf(std::int32_t kind) const;
    // The report's name for a kind's figure: the engine's own name with the
    // engines' pages ("Google Index"), a plain one with an API ("Indexed Pages").
    std::string labelOf(std::int32_t kind) const;
    // The first result addresses of the search API for a query; empty without one.
    std::vector<std::string> searchResults(const std::string& query) const;
    // Whether links, counts and positions come from a search API.
    bool usesSearchApi() const;
    // Whether a page's PageRank and its home page's are one figure: Open
    // PageRank answers for a whole domain.
    bool pageRankPerDomain() const;

private:
    struct Request;
    std::int32_t start(Request request) const;

    std::shared_ptr<const HostConfiguration> m_hosts;
    std::shared_ptr<ISleeper> m_sleeper;
    std::filesystem::path m_trafficList;
};
