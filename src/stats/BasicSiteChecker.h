#pragma once

#include <cstdint>
#include <functional>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

// A worker that checks a list of URLs: for each URL its sink hands out, it
// queries the PageRank of the site root and whether the page answers, and
// reports both back to the sink. The sink decides the order and when the run
// ends. A provider that answers for many sites at once gets them in batches:
// the worker then takes up to a batch of URLs before it reports the first, and
// reports them in the order they were handed out. Text is the program's text
// type: 8-bit for the main program (CSiteChecker), 16-bit for the list checker
// (WideSiteChecker).
template <typename Text> class BasicSiteChecker {
public:
    // The owner of a run: hands out the URLs and receives the results. Every
    // call comes on the checker's worker thread.
    class ICheckSink {
    public:
        virtual ~ICheckSink() = default;

        // The next URL and what to check on it; false when there is none left.
        virtual bool NextSite(Text& url, bool& checkPageRank, bool& checkAlive) = 0;
        // The result for one URL, as it was handed out.
        virtual void SiteChecked(const Text& url, std::int32_t pageRank, std::int32_t alive) = 0;
        // Asked between the URLs of a batch: false drops the ones handed out but
        // not yet reported, so that a stop does not wait for a whole batch.
        virtual bool keepChecking() { return true; }
        // The run is over: the last call the sink gets.
        virtual void runEnded() { }
    };

    // The PageRank of a site root.
    using PageRankQuery = std::function<std::int32_t(const Text& siteRoot)>;
    // The PageRank of each of several site roots, in order.
    using PageRankBatchQuery = std::function<std::vector<std::int32_t>(const std::vector<Text>& siteRoots)>;
    // Whether a URL answers: 0 or 2.
    using AliveCheck = std::function<std::int32_t(const Text& url)>;
    // The site root of a URL.
    using RootOf = std::function<Text(const Text& url)>;

    // One URL at a time.
    BasicSiteChecker(PageRankQuery pageRank, AliveCheck alive, RootOf root)
        : BasicSiteChecker(
            [pageRank = std::move(pageRank)](const std::vector<Text>& roots) {
                return std::vector<std::int32_t> { pageRank(roots.front()) };
            },
            1, std::move(alive), std::move(root))
    {
    }

    // Up to `batchSize` URLs' PageRank in one query.
    BasicSiteChecker(PageRankBatchQuery pageRanks, std::size_t batchSize, AliveCheck alive, RootOf root)
        : m_pageRanks(std::move(pageRanks))
        , m_batchSize(batchSize > 0 ? batchSize : 1)
        , m_alive(std::move(alive))
        , m_root(std::move(root))
    {
    }

    // Starts one worker on the sink; the sink must stay valid until its
    // runEnded has returned. The checker itself may go away earlier. False when
    // no thread could be started.
    bool Start(ICheckSink* sink)
    {
        if (!sink)
            return false;
        try {
            std::thread([sink, pageRanks = m_pageRanks, batchSize = m_batchSize, alive = m_alive,
                            root = m_root] {
                run(*sink, pageRanks, batchSize, alive, root);
            }).detach();
        } catch (const std::system_error&) {
            return false;
        }
        return true;
    }

    // How many URLs one PageRank query takes.
    std::size_t batchSize() const { return m_batchSize; }

private:
    static constexpr std::int32_t kNotAsked = -1;

    struct Site {
        Text url;
        bool checkPageRank = false;
        bool checkAlive = false;
    };

    static void run(ICheckSink& sink, const PageRankBatchQuery& pageRanks, std::size_t batchSize,
        const AliveCheck& alive, const RootOf& root)
    {
        for (bool more = true; more;) {
            std::vector<Site> sites;
            while (sites.size() < batchSize) {
                Site site;
                if (!sink.NextSite(site.url, site.checkPageRank, site.checkAlive)) {
                    more = false;
                    break;
                }
                sites.push_back(std::move(site));
            }
            const std::vector<std::int32_t> ranks = ranksOf(sites, pageRanks, root);
            for (std::size_t i = 0; i < sites.size(); ++i) {
                if (i > 0 && !sink.keepChecking()) {
                    more = false;
                    break;
                }
                const std::int32_t answer = sites[i].checkAlive ? alive(sites[i].url) : 0;
                sink.SiteChecked(sites[i].url, ranks[i], answer);
            }
        }
        sink.runEnded();
    }

    // One query for the sites that ask for PageRank; the rest get "not asked".
    static std::vector<std::int32_t> ranksOf(
        const std::vector<Site>& sites, const PageRankBatchQuery& pageRanks, const RootOf& root)
    {
        std::vector<std::int32_t> ranks(sites.size(), kNotAsked);
        std::vector<Text> roots;
        std::vector<std::size_t> asked;
        for (std::size_t i = 0; i < sites.size(); ++i) {
            if (sites[i].checkPageRank) {
                roots.push_back(root(sites[i].url));
                asked.push_back(i);
            }
        }
        if (roots.empty())
            return ranks;
        const std::vector<std::int32_t> answers = pageRanks(roots);
        for (std::size_t i = 0; i < asked.size() && i < answers.size(); ++i)
            ranks[asked[i]] = answers[i];
        return ranks;
    }

    PageRankBatchQuery m_pageRanks;
    std::size_t m_batchSize;
    AliveCheck m_alive;
    RootOf m_root;
};
