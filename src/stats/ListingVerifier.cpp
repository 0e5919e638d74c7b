#include "stats/ListingVerifier.h"

#include "autofill/FormWords.h"
#include "autofill/HtmlPage.h"
#include "autofill/PhraseMatcher.h"
#include "common/TextCase.h"
#include "net/PrivateAddress.h"
#include "net/UrlEscape.h"
#include "net/WebAddress.h"
#include "stats/ListingLinks.h"
#include "stats/ListingSitemaps.h"

#include <algorithm>
#include <deque>
#include <mutex>
#include <set>
#include <system_error>
#include <thread>

using SendingProfile::ListingRecord;
using SendingProfile::ListingState;

namespace {

constexpr std::string_view kRecentSection = "discovery.recent";
constexpr std::size_t kEscapeBuffer = 4096;
constexpr int kHttpPort = 80;
constexpr int kHttpsPort = 443;
constexpr const char* kRobotsPath = "/robots.txt";
constexpr const char* kSitemapPath = "/sitemap.xml";
// A search that answers every query with a link to what was asked proves
// nothing: this host exists nowhere, so a link to it is an echo.
constexpr std::string_view kEchoProbeHost = "listing-check.invalid";

const PhraseMatcher& recentWords()
{
    static const PhraseMatcher matcher(FormWords::shipped(), { std::string(kRecentSection) });
    return matcher;
}

std::string withoutWww(const std::string& host)
{
    return host.starts_with("www.") ? host.substr(4) : host;
}

// The words of the site's title as an address would carry them: "my-great-site".
std::vector<std::string> titleSlugs(const std::string& title)
{
    const std::vector<std::string> words = textWords(title);
    if (words.empty())
        return {};
    std::string dashed;
    std::string underscored;
    for (const std::string& word : words) {
        dashed += (dashed.empty() ? "" : "-") + word;
        underscored += (underscored.empty() ? "" : "_") + word;
    }
    return { dashed, underscored };
}

bool isTextInput(const FormField& field)
{
    return field.tag == "input" && (field.type.empty() || field.type == "text" || field.type == "search");
}

} // namespace

// One directory's search, with its budget of requests.
class ListingVerifier::Search {
public:
    Search(const ListingVerifier& verifier, const ListingTarget& target, const std::atomic<bool>* cancel)
        : m_verifier(verifier)
        , m_limits(verifier.m_limits)
        , m_site(verifier.m_siteUrl, verifier.m_siteTitle)
        , m_target(target)
        , m_cancel(cancel)
    {
        m_limits.page.privateRedirects = false;
    }

    std::optional<ListingRecord> run(const std::string& checked)
    {
        const std::optional<WebAddress> directory = parseWebAddress(m_target.url);
        if (directory && !m_site.empty()) {
            m_directory = *directory;
            // A directory on this machine or its network may redirect within it.
            m_limits.page.privateRedirects = isPrivateNetworkHost(directory->host);
            search();
        }
        if (cancelled())
            return std::nullopt;
        ListingRecord record = m_found.value_or(ListingRecord {});
        if (!m_found)
            record.state = m_reachable ? ListingState::NotFound : ListingState::Unreachable;
        record.checked = checked;
        return record;
    }

private:
    struct Page {
        std::string url;
        HtmlPage html;
    };

    void search()
    {
        if (!m_target.knownPage.empty() && examine(m_target.knownPage))
            return;
        const std::string homeUrl = m_directory.scheme + "://" + m_directory.authority() + "/";
        const std::optional<Page> home = read(homeUrl);
        if (!home)
            return;
        // Where the home page's redirects led (to https, to "www.") is where
        // the directory's own links point.
        if (const std::optional<WebAddress> moved = parseWebAddress(home->url); moved && onDirectory(*moved))
            m_directory = *moved;
        if (look(*home) || searchForms(*home) || searchSitemaps())
            return;
        recentPages(*home);
    }

    bool cancelled() const { return m_cancel && m_cancel->load(); }

    // The directory's own host, with or without "www.", over http or https
    // (sites move from one to the other and redirect).
    bool onDirectory(const WebAddress& address) const
    {
        const bool samePort = address.port == m_directory.port
            || (address.scheme != m_directory.scheme && isDefaultPort(address) && isDefaultPort(m_directory));
        return samePort && withoutWww(address.host) == withoutWww(m_directory.host);
    }

    static bool isDefaultPort(const WebAddress& address)
    {
        return address.port == (address.scheme == "https" ? kHttpsPort : kHttpPort);
    }

    DirectorySite directorySite() const
    {
        return [this](const WebAddress& address) { return onDirectory(address); };
    }

    // One request of the budget, to the directory's own site only.
    std::optional<FetchedPage> fetch(const std::string& url, std::size_t maxBytes)
    {
        const std::optional<WebAddress> address = parseWebAddress(url);
        if (!address || !onDirectory(*address) || m_requests >= m_limits.requestsPerDirectory || cancelled())
            return std::nullopt;
        ++m_requests;
        PageFetchLimits limits = m_limits.page;
        limits.maxBytes = maxBytes;
        FetchedPage page = fetchPage(address->url, limits, m_cancel);
        if (!page.ok)
            return std::nullopt;
        m_reachable = true;
        return page;
    }

    std::optional<Page> read(const std::string& url)
    {
        if (!m_seen.insert(url).second)
            return std::nullopt;
        std::optional<FetchedPage> fetched = fetch(url, m_limits.page.maxBytes);
        if (!fetched || !isHtmlAnswer(fetched->contentType, fetched->body))
            return std::nullopt;
        return Page { fetched->url, readHtmlPage(fetched->body, m_cancel) };
    }

    bool examine(const std::string& url)
    {
        const std::optional<Page> page = read(url);
        return page && look(*page);
    }

    // Whether the page links the site: the first link that proves it is kept.
    bool look(const Page& page)
    {
        for (const ListingLink& link : listingLinks(page.html, page.url, directorySite(), m_site)) {
            if (!link.direct && !leadsToSite(link.address))
                continue;
            m_found = ListingRecord { ListingState::Listed, page.url, link.address, link.rel, link.direct,
                link.anchor, {} };
            return true;
        }
        return false;
    }

    bool leadsToSite(const std::string& address)
    {
        if (m_requests >= m_limits.requestsPerDirectory || cancelled())
            return false;
        ++m_requests;
        const RedirectProbe probe = probeRedirect(address, m_limits.page, m_cancel);
        return m_site.isSite(probe.target);
    }

    bool searchForms(const Page& home)
    {
        const std::optional<std::string> query = searchAddress(home, m_site.bare());
        if (!query)
            return false;
        std::vector<std::string> terms { m_site.bare() };
        if (!m_verifier.m_siteTitle.empty())
            terms.push_back(m_verifier.m_siteTitle);
        for (const std::string& term : terms) {
            const std::optional<Page> results = read(*searchAddress(home, term));
            if (!results || !look(*results))
                continue;
            if (!echoes(home))
                return true;
            m_found.reset();
            return false;
        }
        return false;
    }

    bool echoes(const Page& home)
    {
        const std::optional<Page> results = read(*searchAddress(home, std::string(kEchoProbeHost)));
        const SiteHost probe("http://" + std::string(kEchoProbeHost) + "/");
        return results
            && std::ranges::any_of(listingLinks(results->html, results->url, directorySite(), probe),
                [](const ListingLink& link) { return link.direct; });
    }

    // The address the home page's first GET search form asks for a term at.
    static std::optional<std::string> searchAddress(const Page& home, const std::string& term)
    {
        const PageForms& forms = home.html.forms;
        for (std::size_t form = 0; form < forms.forms.size(); ++form) {
            const std::string method = lowerAscii(forms.forms[form].method);
            if (!method.empty() && method != "get")
                continue;
            std::string query;
            bool asks = false;
            for (const FormField& field : forms.fields) {
                if (field.form != static_cast<int>(form) || field.name.empty())
                    continue;
                if (field.tag == "input" && field.type == "password")
                    return std::nullopt;
                const bool hidden = field.tag == "input" && field.type == "hidden";
                if (!hidden && !(isTextInput(field) && !asks))
                    continue;
                query += (query.empty() ? "" : "&") + escapeFormValuePrefix(field.name, kEscapeBuffer) + "="
                    + escapeFormValuePrefix(hidden ? field.value : term, kEscapeBuffer);
                asks = asks || !hidden;
            }
            const std::optional<WebAddress> action = resolveWebAddress(home.url, forms.forms[form].action);
            if (asks && action)
                return action->scheme + "://" + action->authority() + action->path + "?" + query;
        }
        return std::nullopt;
    }

    bool searchSitemaps()
    {
        const std::string root = m_directory.scheme + "://" + m_directory.authority();
        std::deque<std::string> sitemaps;
        if (const std::optional<FetchedPage> robots = fetch(root + kRobotsPath, m_limits.page.maxBytes))
            std::ranges::copy(robotsSitemaps(robots->body), std::back_inserter(sitemaps));
        if (sitemaps.empty())
            sitemaps.push_back(root + kSitemapPath);
        std::set<std::string> read;
        std::vector<std::string> candidates;
        std::size_t addresses = 0;
        std::size_t bytes = 0;
        while (!sitemaps.empty() && addresses < m_limits.sitemapAddresses && bytes < m_limits.sitemapBytes) {
            const std::string sitemap = sitemaps.front();
            sitemaps.pop_front();
            if (!read.insert(sitemap).second)
                continue;
            const std::optional<FetchedPage> fetched = fetch(sitemap, m_limits.sitemapBytes - bytes);
            if (!fetched)
                continue;
            bytes += fetched->body.size();
            SitemapAddresses found = readSitemap(fetched->body, m_limits.sitemapAddresses - addresses);
            addresses += found.addresses.size();
            for (std::string& address : found.addresses) {
                if (found.index)
                    sitemaps.push_back(std::move(address));
                else if (namesSite(address) && candidates.size() < m_limits.pagesPerWay)
                    candidates.push_back(std::move(address));
            }
        }
        return std::ranges::any_of(candidates, [&](const std::string& page) { return examine(page); });
    }

    bool namesSite(const std::string& address) const
    {
        const std::optional<WebAddress> parsed = parseWebAddress(address);
        if (!parsed || !onDirectory(*parsed))
            return false;
        const std::string where = lowerAscii(parsed->path + "?" + parsed->query);
        const std::vector<std::string> slugs = titleSlugs(m_verifier.m_siteTitle);
        return m_site.namedIn(where) || std::ranges::any_of(slugs, [&](const std::string& slug) {
            return where.find(slug) != std::string::npos;
        });
    }

    bool recentPages(const Page& home)
    {
        std::size_t followed = 0;
        const std::string base = pageBase(home.html, home.url);
        for (const PageLink& link : home.html.links) {
            if (followed == m_limits.pagesPerWay)
                break;
            const std::optional<WebAddress> address = resolveWebAddress(base, link.href);
            if (!address || !onDirectory(*address)
                || !recentWords().contains(link.text + " " + link.title, 0))
                continue;
            ++followed;
            if (examine(address->url))
                return true;
        }
        return false;
    }

    const ListingVerifier& m_verifier;
    ListingLimits m_limits;
    const SiteHost m_site;
    const ListingTarget& m_target;
    const std::atomic<bool>* m_cancel;
    WebAddress m_directory;
    std::size_t m_requests = 0;
    bool m_reachable = false;
    std::set<std::string> m_seen;
    std::optional<ListingRecord> m_found;
};

ListingVerifier::ListingVerifier(std::string siteUrl, std::string siteTitle, ListingLimits limits)
    : m_siteUrl(std::move(siteUrl))
    , m_siteTitle(std::move(siteTitle))
    , m_limits(limits)
{
}

std::optional<ListingRecord> ListingVerifier::check(
    const ListingTarget& target, const std::string& checked, const std::atomic<bool>* cancel) const
{
    return Search(*this, target, cancel).run(checked);
}

void ListingVerifier::checkAll(const std::vector<ListingTarget>& targets, const std::string& checked,
    const ResultSink& sink, const std::atomic<bool>* cancel) const
{
    std::mutex mutex;
    std::size_t next = 0;
    auto work = [&] {
        for (;;) {
            std::size_t index = 0;
            {
                std::lock_guard lock(mutex);
                if (next == targets.size() || (cancel && cancel->load()))
                    return;
                index = next++;
            }
            const std::optional<ListingRecord> record = check(targets[index], checked, cancel);
            if (!record)
                return;
            std::lock_guard lock(mutex);
            sink(index, *record);
        }
    };
    std::vector<std::thread> workers;
    const std::size_t count = std::min(std::max<std::size_t>(m_limits.hostsAtOnce, 1), targets.size());
    for (std::size_t worker = 1; worker < count; ++worker) {
        try {
            workers.emplace_back(work);
        } catch (const std::system_error&) {
            break; // the threads that did start, and this one, share the list
        }
    }
    work();
    for (std::thread& worker : workers)
        worker.join();
}
