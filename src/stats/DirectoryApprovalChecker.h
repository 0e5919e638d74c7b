#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// Searches a list of web directories for the user's site, and reports for each
// whether a link to the site was found, with the address of the page that
// proves it. The directory itself is asked first (its own search page, then the
// page of the listing when it is known), a search API last, so that the check
// works without any search provider. Three workers share the list.
class DirectoryApprovalChecker {
public:
    // Receives the findings. Every call comes on a worker thread under the
    // checker's lock, so the sink is never entered by two workers at once.
    class IResultSink {
    public:
        virtual ~IResultSink() = default;

        // One directory checked: nonzero to go on, 0 to stop the calling worker.
        // A call with an empty name and URL and the flag set is a worker's last:
        // it has no more directories.
        virtual std::int32_t OnApprovalResult(
            const std::string& name, const std::string& proofUrl, bool found) = 0;
    };

    // How many workers share the list.
    static constexpr int kWorkers = 3;

    DirectoryApprovalChecker() = default;

    // The user's site address as the profile holds it, e.g. "http://www.example.com".
    void setSiteUrl(std::string siteUrl) { m_siteUrl = std::move(siteUrl); }
    const std::string& siteUrl() const { return m_siteUrl; }
    // Empties the list of directories.
    void clear();
    // Adds a directory by name with the address of its submission page and,
    // when known, of the page that listed the site before.
    void addDirectory(std::string name, std::string url, std::string listingUrl = {});
    // The result addresses a search API gives for a query ("site:host term").
    using SearchResults = std::function<std::vector<std::string>(const std::string& query)>;
    // Asked for a directory that its own pages do not prove; none by default.
    void setSearchResults(SearchResults search) { m_search = std::move(search); }
    // The number of directories in the list.
    std::size_t count() const { return m_names.size(); }
    // How many directories of the list to skip before the first check.
    void setStartIndex(std::int32_t startIndex) { m_startIndex = startIndex; }

    // Starts the three workers on a copy of the list; the sink must stay valid
    // until all three have made their last call. False for a null sink or when a
    // worker could not be started (those already started keep running; the last
    // call of each one that did not start comes at once).
    bool Start(IResultSink* sink);
    // As above; the workers keep the sink alive until their last call.
    bool Start(std::shared_ptr<IResultSink> sink);

private:
    class Run;
    bool startRun(IResultSink* sink, std::shared_ptr<IResultSink> owner) const;

    std::string m_siteUrl;
    std::vector<std::string> m_names;
    std::vector<std::string> m_urls;
    std::vector<std::string> m_listings;
    SearchResults m_search;
    std::int32_t m_startIndex = 0;
};
