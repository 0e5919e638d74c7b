#include "stats/DirectoryApprovalChecker.h"

#include "common/TextCase.h"
#include "net/HttpClient.h"
#include "net/HttpTarget.h"
#include "net/UrlEscape.h"
#include "stats/SearchPages.h"
#include "stats/SiteLocation.h"

#include <algorithm>
#include <mutex>
#include <optional>
#include <system_error>
#include <thread>

namespace {

constexpr std::size_t kEscapeBuffer = 2048;
constexpr std::string_view kEsyndicatMark = "esyndicat";
// Search results on the directory's host that are fetched to look for the link.
constexpr std::size_t kSearchResultsFetched = 3;

} // namespace

// One run: the list the workers share, its cursor and the sink, all under one lock.
class DirectoryApprovalChecker::Run {
public:
    Run(const DirectoryApprovalChecker& checker, IResultSink* sink, std::shared_ptr<IResultSink> sharedSink)
        : m_names(checker.m_names)
        , m_urls(checker.m_urls)
        , m_listings(checker.m_listings)
        , m_search(checker.m_search)
        , m_sink(sink)
        , m_sharedSink(std::move(sharedSink))
        , m_siteUrl(checker.m_siteUrl)
        , m_term(escapeUrlSegment(splitHostAndBaseFolder(checker.m_siteUrl).host, kEscapeBuffer))
    {
        const std::size_t skip = std::max<std::int32_t>(checker.m_startIndex, 0);
        m_next = std::min({ skip, m_names.size(), m_urls.size() });
    }

    void work()
    {
        std::string name;
        std::string url;
        std::string listing;
        while (nextDirectory(name, url, listing)) {
            std::string proofUrl;
            const bool found = search(url, listing, proofUrl);
            if (report(name, proofUrl, found) == 0)
                break;
        }
        finish();
    }

    // The last call of a worker: it has no more directories.
    void finish() { report({}, {}, true); }

private:
    // Hands out the next directory; false at the end of the list. A nameless
    // entry is passed over rather than ending the worker, so that one gap in a
    // list does not leave the rest unchecked.
    bool nextDirectory(std::string& name, std::string& url, std::string& listing)
    {
        std::lock_guard lock(m_mutex);
        while (m_next < m_names.size() && m_next < m_urls.size()) {
            name = m_names[m_next];
            url = m_urls[m_next];
            listing = m_next < m_listings.size() ? m_listings[m_next] : std::string();
            ++m_next;
            if (!name.empty())
                return true;
        }
        return false;
    }

    std::int32_t report(const std::string& name, const std::string& proofUrl, bool found)
    {
        std::lock_guard lock(m_mutex);
        return m_sink->OnApprovalResult(name, proofUrl, found);
    }

    // Looks for the site in one directory: its own search pages, the page of
    // the listing, then what a search API finds on the directory's host.
    bool search(const std::string& directoryUrl, const std::string& listing, std::string& proofUrl) const
    {
        if (!m_term || m_siteUrl.empty())
            return false;
        const SiteLocation directory = splitHostAndBaseFolder(directoryUrl);
        if (directory.host.empty())
            return false;
        return searchOwnPages(directory, proofUrl) || pageProves(listing, proofUrl)
            || searchApiFinds(directory, proofUrl);
    }

    // The directory's index.php search first and, on an eSyndiCat directory, its search.php.
    bool searchOwnPages(const SiteLocation& directory, std::string& proofUrl) const
    {
        const std::string indexPath = directory.folder + "index.php?search=" + *m_term + "&q=" + *m_term;
        std::string body;
        if (!HttpGetChecked(HttpTarget(directory.host, indexPath, directory.secure), body))
            return false;
        if (provesLink(body)) {
            proofUrl = directory.url(indexPath);
            return true;
        }
        if (body.find(kEsyndicatMark) == std::string::npos)
            return false;
        const std::string searchPath = directory.folder + "search.php?what=" + *m_term;
        if (!HttpGetChecked(HttpTarget(directory.host, searchPath, directory.secure), body)
            || !provesLink(body))
            return false;
        proofUrl = directory.url(searchPath);
        return true;
    }

    bool pageProves(const std::string& url, std::string& proofUrl) const
    {
        std::string body;
        if (url.empty() || !HttpGetChecked(splitRequestUrl(url), body) || !provesLink(body))
            return false;
        proofUrl = url;
        return true;
    }

    bool searchApiFinds(const SiteLocation& directory, std::string& proofUrl) const
    {
        if (!m_search)
            return false;
        const std::string siteHost = splitHostAndBaseFolder(m_siteUrl).host;
        std::size_t fetched = 0;
        for (const std::string& result : m_search("site:" + directory.host + " " + siteHost)) {
            if (fetched == kSearchResultsFetched)
                break;
            if (!equalsNoCase(splitHostAndBaseFolder(result).host, directory.host))
                continue;
            ++fetched;
            if (pageProves(result, proofUrl))
                return true;
        }
        return false;
    }

    bool provesLink(const std::string& body) const { return pageLinksTo(body, m_siteUrl); }

    std::mutex m_mutex;
    const std::vector<std::string> m_names;
    const std::vector<std::string> m_urls;
    const std::vector<std::string> m_listings;
    const SearchResults m_search;
    std::size_t m_next = 0;
    IResultSink* const m_sink;
    const std::shared_ptr<IResultSink> m_sharedSink;
    const std::string m_siteUrl;
    const std::optional<std::string> m_term;
};

void DirectoryApprovalChecker::clear()
{
    m_names.clear();
    m_urls.clear();
    m_listings.clear();
}

void DirectoryApprovalChecker::addDirectory(std::string name, std::string url, std::string listingUrl)
{
    m_names.push_back(std::move(name));
    m_urls.push_back(std::move(url));
    m_listings.push_back(std::move(listingUrl));
}

bool DirectoryApprovalChecker::Start(IResultSink* sink)
{
    return startRun(sink, nullptr);
}

bool DirectoryApprovalChecker::Start(std::shared_ptr<IResultSink> sink)
{
    IResultSink* const raw = sink.get();
    return startRun(raw, std::move(sink));
}

bool DirectoryApprovalChecker::startRun(IResultSink* sink, std::shared_ptr<IResultSink> owner) const
{
    if (!sink)
        return false;
    auto run = std::make_shared<Run>(*this, sink, std::move(owner));
    for (int worker = 0; worker < kWorkers; ++worker) {
        try {
            std::thread([run] { run->work(); }).detach();
        } catch (const std::system_error&) {
            // The workers that could not start end at once, so that the sink
            // still sees one last call per worker and the run can end.
            for (; worker < kWorkers; ++worker)
                run->finish();
            return false;
        }
    }
    return true;
}
