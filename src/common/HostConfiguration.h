#pragma once

#include "common/StatisticsServices.h"

#include <string>
#include <string_view>
#include <utility>

class SettingsStore;

// The web servers the program talks to: the vendor's and the search services'.
// Each may be set in data/settings.xml as "host" or "host:port" (the port lets
// tests and local mirrors use loopback); a key that is absent or malformed keeps
// its default. The services that give the site statistics come with them.
class HostConfiguration {
public:
    // The settings keys.
    static constexpr const char* kVendorKey = "vendorhost";
    static constexpr const char* kPageRankKey = "pagerankhost";
    static constexpr const char* kAlexaKey = "alexahost";
    static constexpr const char* kGoogleKey = "googlehost";
    static constexpr const char* kYahooSiteExplorerKey = "yahoosehost";
    static constexpr const char* kYahooKey = "yahoohost";

    // What the entries that need the vendor's server say while none is configured.
    static constexpr const char* kNoVendorHostText =
        "No update server is configured. Name one (host or host:port) with the key \"vendorhost\" in "
        "data/settings.xml.";

    // Every host at its default.
    HostConfiguration();
    // The hosts the settings name, defaults for the rest.
    explicit HostConfiguration(const SettingsStore& settings);

    // The vendor's web server: database update, broken report, update notice, online pages.
    const std::string& vendorHost() const { return m_vendor; }
    // Whether the settings name a vendor host; without one nothing is asked of the
    // vendor's server and the online pages are the shipped copies.
    bool hasConfiguredVendorHost() const { return m_vendorConfigured; }
    const std::string& pageRankHost() const { return m_pageRank; }
    const std::string& alexaHost() const { return m_alexa; }
    const std::string& googleHost() const { return m_google; }
    const std::string& yahooSiteExplorerHost() const { return m_yahooSiteExplorer; }
    const std::string& yahooHost() const { return m_yahoo; }

    // The PageRank and search providers and the traffic-rank list's address.
    const StatisticsServices& services() const { return m_services; }
    void setServices(StatisticsServices services) { m_services = std::move(services); }

    // "http://" + the vendor host + the path.
    std::string vendorUrl(std::string_view path) const;

    // Whether a text is a usable "host" or "host:port".
    static bool isHostText(std::string_view text);

private:
    std::string m_vendor;
    bool m_vendorConfigured = false;
    std::string m_pageRank;
    std::string m_alexa;
    std::string m_google;
    std::string m_yahooSiteExplorer;
    std::string m_yahoo;
    StatisticsServices m_services;
};
