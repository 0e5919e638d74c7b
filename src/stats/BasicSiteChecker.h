#pragma once

#include <cstdint>
#include <functional>
#include <system_error>
#include <thread>
#include <utility>

// A worker that checks a list of URLs one at a time: for each URL its sink hands
// out, it queries the PageRank of the site root and whether the page answers, and
// reports both back to the sink. The sink decides the order and when the run
// ends. Text is the program's text type: 8-bit for the main program
// (CSiteChecker), 16-bit for the list checker (WideSiteChecker).
template <typename Text> class BasicSiteChecker {
public:
    // The owner of a run: hands out the URLs and receives the results. Both calls
    // come on the checker's worker thread.
    class ICheckSink {
    public:
        virtual ~ICheckSink() = default;

        // The next URL and what to check on it; false when the run is over.
        virtual bool NextSite(Text& url, bool& checkPageRank, bool& checkAlive) = 0;
        // The result for one URL, as it was handed out.
        virtual void SiteChecked(const Text& url, std::int32_t pageRank, std::int32_t alive) = 0;
    };

    // The PageRank of a site root.
    using PageRankQuery = std::function<std::int32_t(const Text& siteRoot)>;
    // Whether a URL answers: 0 or 2.
    using AliveCheck = std::function<std::int32_t(const Text& url)>;
    // The site root of a URL.
    using RootOf = std::function<Text(const Text& url)>;

    BasicSiteChecker(PageRankQuery pageRank, AliveCheck alive, RootOf root)
        : m_pageRank(std::move(pageRank))
        , m_alive(std::move(alive))
        , m_root(std::move(root))
    {
    }

    // Starts one worker on the sink; the sink must stay valid until NextSite has
    // returned false. The checker itself may go away earlier. False when no
    // thread could be started.
    bool Start(ICheckSink* sink)
    {
        if (!sink)
            return false;
        try {
            std::thread([sink, pageRank = m_pageRank, alive = m_alive, root = m_root] {
                run(*sink, pageRank, alive, root);
            }).detach();
        } catch (const std::system_error&) {
            return false;
        }
        return true;
    }

private:
    static constexpr std::int32_t kNotAsked = -1;

    static void run(
        ICheckSink& sink, const PageRankQuery& pageRank, const AliveCheck& alive, const RootOf& root)
    {
        Text url;
        bool checkPageRank = false;
        bool checkAlive = false;
        while (sink.NextSite(url, checkPageRank, checkAlive)) {
            const std::int32_t rank = checkPageRank ? pageRank(root(url)) : kNotAsked;
            const std::int32_t answer = checkAlive ? alive(url) : 0;
            sink.SiteChecked(url, rank, answer);
        }
    }

    PageRankQuery m_pageRank;
    AliveCheck m_alive;
    RootOf m_root;
};
