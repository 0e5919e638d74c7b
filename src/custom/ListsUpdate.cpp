#include "custom/ListsUpdate.h"

#include "common/TrimmedText.h"
#include "custom/CustomCategories.h"
#include "custom/DirectoryAddress.h"
#include "custom/DirectoryListReader.h"
#include "custom/ListFactsUpdate.h"
#include "custom/ListText.h"
#include "custom/NewDirectoryList.h"
#include "directories/DirectoryStore.h"
#include "net/HttpClient.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

namespace {

constexpr const char* kWebPage = "the address gives a web page, not a list";
constexpr const char* kNoDirectories = "it holds no directories";
constexpr int kNotModified = 304;

std::string failureText(const HttpExchange& exchange)
{
    switch (exchange.failure) {
    case HttpFailure::Cancelled:
        return "cancelled";
    case HttpFailure::TimedOut:
        return "no complete answer within the time allowed";
    case HttpFailure::TooManyRedirects:
        return "it redirects more than 10 times";
    case HttpFailure::RedirectRefused:
        return "it redirects to an address that is neither http nor https";
    case HttpFailure::TooLarge:
        return "it is larger than 32 MB, far more than any directory list";
    case HttpFailure::NoConnection:
        return "the server could not be reached";
    case HttpFailure::None:
    case HttpFailure::Other:
        break;
    }
    if (!exchange.answered())
        return "the server gave no answer";
    if (exchange.status >= 300)
        return "the server answered with status " + std::to_string(exchange.status);
    return "the answer broke off";
}

// A validator is sent back only as the plain text a header line can carry.
void addValidator(std::vector<std::string>& headers, const char* name, const std::string& value)
{
    const bool plain =
        std::none_of(value.begin(), value.end(), [](char c) { return c == '\r' || c == '\n'; });
    if (!value.empty() && plain)
        headers.push_back(std::string(name) + ": " + value);
}

std::string headerOf(const HttpExchange& exchange, const char* name)
{
    const auto found = exchange.headers.find(name);
    return found == exchange.headers.end() ? std::string() : found->second;
}

// The stores as an update sees them: custom directories by site, the sites of
// the main database's own directories, and every name taken.
class UpdateStores {
public:
    UpdateStores(DirectoryStore& custom, DirectoryStore& main)
        : m_custom(custom)
        , m_main(main)
        , m_customSites(custom)
        , m_names(knownNames(custom, main))
    {
        for (const auto& [name, record] : main.records()) {
            if (!custom.find(name))
                m_mainSites.insert(listSiteKey(record.submitUrl));
        }
    }

    const DirectoryRecord* customRecord(const std::string& site) const
    {
        const std::string* name = m_customSites.nameOf(site);
        return name ? m_custom.find(*name) : nullptr;
    }

    bool isMainSite(const std::string& site) const { return m_mainSites.contains(site); }

    void setFacts(const DirectoryRecord& record, const DirectoryListFacts& facts)
    {
        setListFacts(m_custom, m_main, record.name, facts);
    }

    void add(const std::string& site, const ListedDirectory& listed)
    {
        m_names.offer(site, listed);
        const std::string name = m_names.added().back().name;
        for (DirectoryStore* store : { &m_custom, &m_main }) {
            store->AddDirectory(name);
            store->SetSubmitUrl(name, listed.address);
            store->SetPR(name, 0);
            store->SetRevision(name, 0);
            store->SetCategory(name, withListCategories(kCustomCategory, listed.category));
            store->SetListFacts(name, listed.facts);
        }
        m_customSites.add(site, name);
    }

private:
    static std::map<std::string, std::string> knownNames(
        const DirectoryStore& custom, const DirectoryStore& main)
    {
        std::map<std::string, std::string> known;
        for (const DirectoryStore* store : { &main, &custom }) {
            for (const auto& [name, record] : store->records())
                known.emplace(name, record.submitUrl);
        }
        return known;
    }

    DirectoryStore& m_custom;
    DirectoryStore& m_main;
    CustomSites m_customSites;
    std::unordered_set<std::string> m_mainSites;
    NewDirectoryList m_names;
};

// Every directory of a list's text, one a site, in list order.
std::vector<std::pair<std::string, ListedDirectory>> listedDirectories(
    const std::string& text, std::string& problem)
{
    DirectoryListReader reader(text);
    problem = reader.problem();
    std::vector<std::pair<std::string, ListedDirectory>> listed;
    std::unordered_set<std::string> sites;
    ListEntry entry;
    while (problem.empty() && reader.next(entry)) {
        std::string site = listSiteKey(entry.address);
        if (sites.insert(site).second) {
            listed.emplace_back(std::move(site),
                ListedDirectory { std::string(entry.name), std::string(entry.address),
                    std::string(entry.category), entry.facts });
        }
    }
    if (problem.empty() && listed.empty())
        problem = kNoDirectories;
    return listed;
}

// The sites the other followed lists list now.
std::unordered_set<std::string> sitesListedElsewhere(const FollowedLists& lists, const std::string& url)
{
    std::unordered_set<std::string> sites;
    for (const FollowedList& other : lists.lists()) {
        if (other.url == url)
            continue;
        for (const FollowedList::Site& site : other.sites)
            sites.insert(site.key);
    }
    return sites;
}

// Takes one list's new copy: its rows in, the directories that left it marked.
void takeList(FollowedLists& lists, FollowedList& list, const ListFetch& fetch,
    const std::vector<std::pair<std::string, ListedDirectory>>& listed, UpdateStores& stores,
    ListUpdateCounts& counts)
{
    std::unordered_map<std::string, bool> wasOwn;
    for (const FollowedList::Site& site : list.sites)
        wasOwn.emplace(site.key, site.own);
    std::vector<FollowedList::Site> sites;
    std::unordered_set<std::string> present;
    for (const auto& [site, directory] : listed) {
        bool own = wasOwn.contains(site) && wasOwn.at(site);
        present.insert(site);
        if (const DirectoryRecord* record = stores.customRecord(site)) {
            DirectoryListFacts facts = mergedListFacts(record->listFacts, directory.facts);
            // A directory marked as gone that is listed again is the list's once more.
            own = own || record->listFacts.unlisted;
            facts.unlisted = false;
            if (facts != record->listFacts) {
                stores.setFacts(*record, facts);
                ++counts.updated;
            } else {
                ++counts.unchanged;
            }
        } else if (stores.isMainSite(site) || own) {
            // A main database directory, or one of the list's that the user removed: left as it is.
            ++counts.unchanged;
        } else {
            stores.add(site, directory);
            own = true;
            ++counts.added;
        }
        sites.push_back({ site, own });
    }
    const std::unordered_set<std::string> elsewhere = sitesListedElsewhere(lists, list.url);
    for (const FollowedList::Site& site : list.sites) {
        if (!site.own || present.contains(site.key) || elsewhere.contains(site.key))
            continue;
        const DirectoryRecord* record = stores.customRecord(site.key);
        if (!record || record->listFacts.unlisted)
            continue;
        DirectoryListFacts facts = record->listFacts;
        facts.unlisted = true;
        stores.setFacts(*record, facts);
        ++counts.gone;
    }
    list.sites = std::move(sites);
    list.etag = fetch.etag;
    list.lastModified = fetch.lastModified;
    lists.keepCopy(list.url, fetch.text);
}

} // namespace

ListFetch fetchFollowedList(
    const FollowedList& list, const std::atomic<bool>* cancel, const ListFetchLimits& limits)
{
    ListFetch fetch;
    fetch.url = list.url;
    HttpRequest request(splitRequestUrl(list.url));
    if (list.updated != 0) {
        addValidator(request.headers, "If-None-Match", list.etag);
        addValidator(request.headers, "If-Modified-Since", list.lastModified);
    }
    request.maxBodyBytes = kMaxListBytes;
    request.timeouts = HttpTimeouts { limits.connect, limits.receive };
    request.totalTimeout = limits.total;
    request.cancel = cancel;
    std::string body;
    const HttpExchange exchange = performHttpRequest(request, HttpOutput { &body, std::nullopt });
    if (exchange.answered() && exchange.status == kNotModified) {
        fetch.outcome = ListFetch::Outcome::NotModified;
        return fetch;
    }
    if (!exchange.complete || exchange.status >= 300) {
        fetch.problem = failureText(exchange);
        return fetch;
    }
    // No list starts with markup; a page in its place is a sign-in wall or an error page.
    if (trimmed(body).starts_with('<') || trimmed(body).starts_with("\xEF\xBB\xBF<")) {
        fetch.problem = kWebPage;
        return fetch;
    }
    const ListText text = listTextOf(std::move(body));
    if (!text.problem().empty()) {
        fetch.problem = text.problem();
        return fetch;
    }
    fetch.outcome = ListFetch::Outcome::Changed;
    fetch.text = std::string(text.text());
    fetch.etag = headerOf(exchange, "etag");
    fetch.lastModified = headerOf(exchange, "last-modified");
    return fetch;
}

std::vector<ListUpdateCounts> applyFollowedLists(FollowedLists& lists, const std::vector<ListFetch>& fetches,
    DirectoryStore& custom, DirectoryStore& main, std::time_t now)
{
    UpdateStores stores(custom, main);
    std::vector<ListUpdateCounts> all;
    for (const ListFetch& fetch : fetches) {
        ListUpdateCounts& counts = all.emplace_back();
        counts.url = fetch.url;
        FollowedList* list = lists.find(fetch.url);
        if (!list) {
            counts.problem = "it is no longer followed";
            continue;
        }
        switch (fetch.outcome) {
        case ListFetch::Outcome::Failed:
            counts.problem = fetch.problem;
            continue;
        case ListFetch::Outcome::NotModified:
            counts.unchanged = static_cast<int>(list->sites.size());
            list->updated = now;
            continue;
        case ListFetch::Outcome::Changed:
            break;
        }
        const auto listed = listedDirectories(fetch.text, counts.problem);
        if (!counts.problem.empty())
            continue;
        takeList(lists, *list, fetch, listed, stores, counts);
        list->updated = now;
    }
    return all;
}

bool changesDirectories(const std::vector<ListUpdateCounts>& counts)
{
    return std::any_of(counts.begin(), counts.end(),
        [](const ListUpdateCounts& list) { return list.added > 0 || list.updated > 0 || list.gone > 0; });
}

ListsUpdateResult updateFollowedLists(FollowedLists& lists, const std::vector<ListFetch>& fetches,
    DirectoryStore& custom, DirectoryStore& main, const std::filesystem::path& customFile, std::time_t now)
{
    ListsUpdateResult result;
    result.counts = applyFollowedLists(lists, fetches, custom, main, now);
    if (changesDirectories(result.counts) && !custom.SaveCustom(customFile, true)) {
        result.problem = "cannot write " + customFile.string() + "; the lists were not updated";
        return result;
    }
    lists.save(result.problem);
    return result;
}

std::string listsUpdateReport(const ListsUpdateResult& result)
{
    std::string text;
    for (const ListUpdateCounts& counts : result.counts) {
        if (!text.empty())
            text += '\n';
        text += listUpdateText(counts);
    }
    if (!result.problem.empty()) {
        if (!text.empty())
            text += '\n';
        text += result.problem;
    }
    return text;
}

std::string listUpdateText(const ListUpdateCounts& counts)
{
    if (!counts.problem.empty())
        return counts.url + ": not updated: " + counts.problem + "; its last good copy is kept";
    return counts.url + ": " + std::to_string(counts.added) + " added, " + std::to_string(counts.updated)
        + " updated, " + std::to_string(counts.gone) + " no longer listed, "
        + std::to_string(counts.unchanged) + " unchanged";
}
