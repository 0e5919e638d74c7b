#pragma once

#include "net/PageFetch.h"
#include "profiles/ListingRecord.h"

#include <atomic>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// A directory whose listing of the site is looked for.
struct ListingTarget {
    std::string directory; // its name
    std::string url; // an address on its site (its submission page); its home page is looked at
    std::string knownPage; // where it listed the site before, "" when unknown
};

// How far a verification goes: polite to the directories, bounded on any of them.
struct ListingLimits {
    std::size_t hostsAtOnce = 4; // directories checked at the same time
    std::size_t requestsPerDirectory = 20;
    std::size_t sitemapAddresses = 50'000; // read from all of a directory's sitemaps together
    std::size_t sitemapBytes = std::size_t { 10 } << 20; // the same
    std::size_t pagesPerWay = 3; // pages looked at per search, sitemap guess or new-entries link
    PageFetchLimits page; // every request: size, time-outs
};

// Looks for the listing of one site on web directories' own pages, in this
// order: the page known to list it; the directory's home page; its own search
// (a GET search form on the home page, asked for the site's domain, then its
// title); its sitemaps (robots.txt "Sitemap:" lines or /sitemap.xml, indexes
// followed) for pages whose address names the site; the pages its home page
// links as new or latest entries. A page lists the site when it links the
// site's host directly, or through a link on the directory's own host that
// redirects there (read from the redirect, without requesting the site).
class ListingVerifier {
public:
    // The site's address ("http://www.example.com/") and its title ("" for none).
    ListingVerifier(std::string siteUrl, std::string siteTitle, ListingLimits limits = {});

    // Checks one directory; `checked` is the date to note. Nothing when
    // cancelled before the check ended.
    std::optional<SendingProfile::ListingRecord> check(const ListingTarget& target,
        const std::string& checked, const std::atomic<bool>* cancel = nullptr) const;

    // Receives the result of the target at a position of the list.
    using ResultSink = std::function<void(std::size_t index, const SendingProfile::ListingRecord& record)>;
    // Checks the targets, `hostsAtOnce` at a time, and returns when all are
    // checked or the flag is set. The sink is called on the checking threads,
    // one call at a time, as each directory is done.
    void checkAll(const std::vector<ListingTarget>& targets, const std::string& checked,
        const ResultSink& sink, const std::atomic<bool>* cancel = nullptr) const;

private:
    class Search;

    std::string m_siteUrl;
    std::string m_siteTitle;
    ListingLimits m_limits;
};
