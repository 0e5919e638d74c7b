#include "common/HostConfiguration.h"

#include "common/SettingsStore.h"

#include <cctype>

namespace {

constexpr const char* kDefaultVendor = "www.vantelo.example";
constexpr const char* kDefaultPageRank = "toolbarqueries.google.com";
constexpr const char* kDefaultAlexa = "www.alexa.com";
constexpr const char* kDefaultGoogle = "www.google.com";
constexpr const char* kDefaultYahooSiteExplorer = "siteexplorer.search.yahoo.com";
constexpr const char* kDefaultYahoo = "search.yahoo.com";
constexpr unsigned kLargestPort = 65535;

bool isHostCharacter(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '.' || c == '_';
}

bool isPort(std::string_view text)
{
    if (text.empty() || text.size() > 5)
        return false;
    unsigned port = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return false;
        port = port * 10 + static_cast<unsigned>(c - '0');
    }
    return port >= 1 && port <= kLargestPort;
}

// Reads one key; true when the settings gave a usable host.
bool readHost(const SettingsStore& settings, const char* key, std::string& host)
{
    const auto value = settings.GetSetting(key);
    if (!value || !HostConfiguration::isHostText(*value))
        return false;
    host = *value;
    return true;
}

} // namespace

HostConfiguration::HostConfiguration()
    : m_vendor(kDefaultVendor)
    , m_pageRank(kDefaultPageRank)
    , m_alexa(kDefaultAlexa)
    , m_google(kDefaultGoogle)
    , m_yahooSiteExplorer(kDefaultYahooSiteExplorer)
    , m_yahoo(kDefaultYahoo)
{
}

HostConfiguration::HostConfiguration(const SettingsStore& settings)
    : HostConfiguration()
{
    m_vendorConfigured = readHost(settings, kVendorKey, m_vendor);
    readHost(settings, kPageRankKey, m_pageRank);
    readHost(settings, kAlexaKey, m_alexa);
    readHost(settings, kGoogleKey, m_google);
    readHost(settings, kYahooSiteExplorerKey, m_yahooSiteExplorer);
    readHost(settings, kYahooKey, m_yahoo);
    m_services = readStatisticsServices(settings);
}

std::string HostConfiguration::vendorUrl(std::string_view path) const
{
    return "http://" + m_vendor + std::string(path);
}

bool HostConfiguration::isHostText(std::string_view text)
{
    const std::size_t colon = text.find(':');
    const std::string_view name = text.substr(0, colon);
    if (name.empty())
        return false;
    for (const char c : name)
        if (!isHostCharacter(c))
            return false;
    return colon == std::string_view::npos || isPort(text.substr(colon + 1));
}
