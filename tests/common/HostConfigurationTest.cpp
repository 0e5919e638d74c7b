#include "common/HostConfiguration.h"

#include "common/SettingsStore.h"
#include "support/RecordingMessageBox.h"

#include <gtest/gtest.h>

namespace {

TEST(HostConfigurationTest, DefaultsWithoutSettings)
{
    RecordingMessageBox messages;
    const HostConfiguration hosts { SettingsStore(messages) };
    EXPECT_EQ(hosts.vendorHost(), "www.vantelo.example");
    EXPECT_FALSE(hosts.hasConfiguredVendorHost());
    EXPECT_EQ(hosts.pageRankHost(), "toolbarqueries.google.com");
    EXPECT_EQ(hosts.alexaHost(), "www.alexa.com");
    EXPECT_EQ(hosts.googleHost(), "www.google.com");
    EXPECT_EQ(hosts.yahooSiteExplorerHost(), "siteexplorer.search.yahoo.com");
    EXPECT_EQ(hosts.yahooHost(), "search.yahoo.com");
    EXPECT_EQ(hosts.vendorUrl("/customers/reportbroken.php"),
        "http://www.vantelo.example/customers/reportbroken.php");
}

TEST(HostConfigurationTest, SettingsNameHostsWithOptionalPorts)
{
    RecordingMessageBox messages;
    SettingsStore settings(messages);
    settings.SetSetting("vendorhost", "127.0.0.1:8080");
    settings.SetSetting("pagerankhost", "pr.mirror.example");
    settings.SetSetting("alexahost", "alexa.local:1");
    settings.SetSetting("googlehost", "g.local:65535");
    settings.SetSetting("yahoosehost", "se.local");
    settings.SetSetting("yahoohost", "y.local");
    const HostConfiguration hosts(settings);
    EXPECT_EQ(hosts.vendorHost(), "127.0.0.1:8080");
    EXPECT_TRUE(hosts.hasConfiguredVendorHost());
    EXPECT_EQ(hosts.pageRankHost(), "pr.mirror.example");
    EXPECT_EQ(hosts.alexaHost(), "alexa.local:1");
    EXPECT_EQ(hosts.googleHost(), "g.local:65535");
    EXPECT_EQ(hosts.yahooSiteExplorerHost(), "se.local");
    EXPECT_EQ(hosts.yahooHost(), "y.local");
    EXPECT_EQ(hosts.vendorUrl("/"), "http://127.0.0.1:8080/");
}

TEST(HostConfigurationTest, MalformedValuesKeepTheDefault)
{
    for (const std::string& bad : std::vector<std::string> { "http://evil.example", "host/path",
             "host:", "host:0", "host:65536", "host:80x", ":80", "a b", "user@host" }) {
        SCOPED_TRACE(bad);
        RecordingMessageBox messages;
        SettingsStore settings(messages);
        settings.SetSetting("vendorhost", bad);
        settings.SetSetting("googlehost", bad);
        const HostConfiguration hosts(settings);
        EXPECT_EQ(hosts.vendorHost(), "www.vantelo.example");
        EXPECT_FALSE(hosts.hasConfiguredVendorHost());
        EXPECT_EQ(hosts.googleHost(), "www.google.com");
    }
}

} // namespace
