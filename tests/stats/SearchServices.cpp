#include "SearchServices.h"

#include "common/SettingsStore.h"
#include "support/RecordingMessageBox.h"

SearchServices::SearchServices()
{
    pageRank.start();
    alexa.start();
    google.start();
    yahooSiteExplorer.start();
    yahoo.start();
}

HostConfiguration SearchServices::hosts() const
{
    RecordingMessageBox messages;
    SettingsStore settings(messages);
    settings.SetSetting(HostConfiguration::kPageRankKey, pageRank.host());
    settings.SetSetting(HostConfiguration::kAlexaKey, alexa.host());
    settings.SetSetting(HostConfiguration::kGoogleKey, google.host());
    settings.SetSetting(HostConfiguration::kYahooSiteExplorerKey, yahooSiteExplorer.host());
    settings.SetSetting(HostConfiguration::kYahooKey, yahoo.host());
    return HostConfiguration(settings);
}

std::string googleResults(int before, const std::string& site)
{
    std::string page = "<html><body><div id=res>";
    for (int i = 0; i < before; ++i)
        page += "<div class=g><a href=\"http://other" + std::to_string(i) + ".example/\">other</a></div>";
    if (!site.empty())
        page += "<div class=g><a href=\"" + site + "/page.html\">the site</a></div>";
    page += "<div class=g><a href=\"http://last.example/\">last</a></div></div></body></html>";
    return page;
}

std::string yahooResults(int before, const std::string& siteMarker)
{
    std::string page = "<html><body><ol>";
    for (int i = 0; i < before; ++i)
        page += "<li><div><h3><a href=\"http://rds.yahoo.com/**http%3a//other" + std::to_string(i)
            + ".example/\">other</a></h3></div></li>";
    if (!siteMarker.empty())
        page +=
            "<li><div><h3><a href=\"http://rds.yahoo.com/" + siteMarker + "/\">the site</a></h3></div></li>";
    page += "</ol></body></html>";
    return page;
}
