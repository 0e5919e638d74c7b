#include "common/StatisticsServices.h"

#include "common/SettingsStore.h"

namespace {

using PageRankProvider = StatisticsServices::PageRankProvider;
using SearchProvider = StatisticsServices::SearchProvider;

constexpr std::string_view kToolbarName = "toolbar";
constexpr std::string_view kOpenPageRankName = "openpagerank";
constexpr std::string_view kWebName = "web";
constexpr std::string_view kBraveName = "brave";
constexpr std::string_view kSearxngName = "searxng";

// An address without the slashes at its end, so that paths can be appended.
std::string withoutTrailingSlashes(std::string url)
{
    while (url.ends_with('/'))
        url.pop_back();
    return url;
}

void readUrl(const SettingsStore& store, const char* key, std::string& url)
{
    const auto value = store.GetSetting(key);
    if (value && StatisticsServices::isServiceUrl(*value))
        url = withoutTrailingSlashes(*value);
}

void readText(const SettingsStore& store, const char* key, std::string& text)
{
    if (const auto value = store.GetSetting(key))
        text = *value;
}

void writeValue(SettingsStore& store, const char* key, const std::string& value, std::string_view fallback)
{
    if (value != fallback || store.GetSetting(key))
        store.SetSetting(key, value);
}

} // namespace

std::string_view StatisticsServices::nameOf(PageRankProvider provider)
{
    return provider == PageRankProvider::OpenPageRank ? kOpenPageRankName : kToolbarName;
}

std::string_view StatisticsServices::nameOf(SearchProvider provider)
{
    switch (provider) {
    case SearchProvider::Brave:
        return kBraveName;
    case SearchProvider::SearXng:
        return kSearxngName;
    case SearchProvider::Web:
        break;
    }
    return kWebName;
}

bool StatisticsServices::isServiceUrl(std::string_view text)
{
    for (const std::string_view scheme : { std::string_view("http://"), std::string_view("https://") }) {
        if (text.starts_with(scheme)) {
            const std::string_view host = text.substr(scheme.size());
            return !host.empty() && host.front() != '/'
                && host.find_first_of(" \t\r\n") == std::string_view::npos;
        }
    }
    return false;
}

StatisticsServices readStatisticsServices(const SettingsStore& store)
{
    StatisticsServices services;
    readText(store, StatisticsServices::kOpenPageRankKeyKey, services.openPageRankKey);
    readUrl(store, StatisticsServices::kOpenPageRankUrlKey, services.openPageRankUrl);
    const auto provider = store.GetSetting(StatisticsServices::kPageRankProviderKey);
    if (provider == kOpenPageRankName)
        services.pageRank = PageRankProvider::OpenPageRank;
    else if (provider == kToolbarName)
        services.pageRank = PageRankProvider::Toolbar;
    else
        services.pageRank =
            services.openPageRankKey.empty() ? PageRankProvider::Toolbar : PageRankProvider::OpenPageRank;

    const auto search = store.GetSetting(StatisticsServices::kSearchProviderKey);
    if (search == kBraveName)
        services.search = SearchProvider::Brave;
    else if (search == kSearxngName)
        services.search = SearchProvider::SearXng;
    readUrl(store, StatisticsServices::kBraveUrlKey, services.braveUrl);
    readText(store, StatisticsServices::kBraveKeyKey, services.braveKey);
    readUrl(store, StatisticsServices::kSearxngUrlKey, services.searxngUrl);
    readUrl(store, StatisticsServices::kTrancoUrlKey, services.trancoUrl);
    return services;
}

void writeStatisticsServices(SettingsStore& store, const StatisticsServices& services)
{
    const StatisticsServices defaults;
    writeValue(
        store, StatisticsServices::kOpenPageRankUrlKey, services.openPageRankUrl, defaults.openPageRankUrl);
    // The provider a file without the key would read back needs no key; the
    // file holds an API key only while the secret store could not take it.
    const auto fileKey = store.GetSetting(StatisticsServices::kOpenPageRankKeyKey);
    const PageRankProvider implied =
        fileKey && !fileKey->empty() ? PageRankProvider::OpenPageRank : PageRankProvider::Toolbar;
    writeValue(store, StatisticsServices::kPageRankProviderKey,
        std::string(StatisticsServices::nameOf(services.pageRank)), StatisticsServices::nameOf(implied));
    writeValue(store, StatisticsServices::kSearchProviderKey,
        std::string(StatisticsServices::nameOf(services.search)), kWebName);
    writeValue(store, StatisticsServices::kBraveUrlKey, services.braveUrl, defaults.braveUrl);
    writeValue(store, StatisticsServices::kSearxngUrlKey, services.searxngUrl, {});
    writeValue(store, StatisticsServices::kTrancoUrlKey, services.trancoUrl, defaults.trancoUrl);
}
