#pragma once

#include <string>
#include <string_view>

class SettingsStore;

// Which services give the site statistics and how they are reached: the
// PageRank provider, the search provider and the address of the traffic-rank
// list. Each value lives under its own key in data/settings.xml; a key that is
// absent or unusable keeps its default.
struct StatisticsServices {
    // Where PageRank comes from.
    enum class PageRankProvider {
        Toolbar, // the toolbar query with its checksum ("pagerankhost")
        OpenPageRank, // the Open PageRank API, 100 domains a request (needs a key)
    };
    // Where links, indexed pages and search positions come from.
    enum class SearchProvider {
        Web, // the search engines' own result pages ("googlehost", "yahoohost", ...)
        Brave, // the Brave Search API (needs a key)
        SearXng, // a SearXNG instance that answers in JSON
    };

    // The settings keys.
    static constexpr const char* kPageRankProviderKey = "pagerankprovider";
    static constexpr const char* kOpenPageRankUrlKey = "openpagerankurl";
    static constexpr const char* kOpenPageRankKeyKey = "openpagerankkey";
    static constexpr const char* kSearchProviderKey = "searchprovider";
    static constexpr const char* kBraveUrlKey = "braveurl";
    static constexpr const char* kBraveKeyKey = "bravekey";
    static constexpr const char* kSearxngUrlKey = "searxngurl";
    static constexpr const char* kTrancoUrlKey = "trancourl";

    // The defaults.
    static constexpr const char* kDefaultOpenPageRankUrl = "https://openpagerank.com";
    static constexpr const char* kDefaultBraveUrl = "https://api.search.brave.com";
    static constexpr const char* kDefaultTrancoUrl = "https://tranco-list.eu/top-1m.csv.zip";
    // Where a user gets the keys.
    static constexpr const char* kOpenPageRankSignUpUrl = "https://www.domcop.com/openpagerank/";
    static constexpr const char* kBraveSignUpUrl = "https://api-dashboard.search.brave.com/";

    PageRankProvider pageRank = PageRankProvider::Toolbar;
    std::string openPageRankUrl = kDefaultOpenPageRankUrl; // base address with its scheme
    std::string openPageRankKey;
    SearchProvider search = SearchProvider::Web;
    std::string braveUrl = kDefaultBraveUrl;
    std::string braveKey;
    std::string searxngUrl; // empty: no instance named
    std::string trancoUrl = kDefaultTrancoUrl; // the list's full address

    // The names the settings file uses for the providers.
    static std::string_view nameOf(PageRankProvider provider);
    static std::string_view nameOf(SearchProvider provider);

    // Whether a text is an address this program can ask: "http://" or
    // "https://" followed by a host.
    static bool isServiceUrl(std::string_view text);
};

// The services the settings name. Without "pagerankprovider" the provider is
// Open PageRank when a key is set and the toolbar query otherwise.
StatisticsServices readStatisticsServices(const SettingsStore& store);

// Writes every value that differs from its default or whose key the store
// already holds, so that a file that never named a service stays as it was. The
// API keys are secrets and are not written (see keepServiceKeys).
void writeStatisticsServices(SettingsStore& store, const StatisticsServices& services);
