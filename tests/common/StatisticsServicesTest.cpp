#include "common/StatisticsServices.h"

#include "common/SettingsStore.h"
#include "support/RecordingMessageBox.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace {

using PageRankProvider = StatisticsServices::PageRankProvider;
using SearchProvider = StatisticsServices::SearchProvider;

SettingsStore storeWith(RecordingMessageBox& messages, const std::map<std::string, std::string>& entries)
{
    SettingsStore store(messages);
    for (const auto& [key, value] : entries)
        store.SetSetting(key, value);
    return store;
}

TEST(StatisticsServicesTest, ReadsEachKeyAndKeepsTheDefaultOfAnUnusableOne)
{
    struct Case {
        std::map<std::string, std::string> entries;
        PageRankProvider pageRank;
        std::string openPageRankUrl;
        SearchProvider search;
        std::string searxngUrl;
        std::string trancoUrl;
    };
    const std::string opr = StatisticsServices::kDefaultOpenPageRankUrl;
    const std::string tranco = StatisticsServices::kDefaultTrancoUrl;
    const std::vector<Case> cases = {
        { {}, PageRankProvider::Toolbar, opr, SearchProvider::Web, "", tranco },
        // A key alone chooses Open PageRank; an explicit provider wins over it.
        { { { "openpagerankkey", "k" } }, PageRankProvider::OpenPageRank, opr, SearchProvider::Web, "",
            tranco },
        { { { "openpagerankkey", "k" }, { "pagerankprovider", "toolbar" } }, PageRankProvider::Toolbar, opr,
            SearchProvider::Web, "", tranco },
        { { { "pagerankprovider", "openpagerank" }, { "openpagerankurl", "http://127.0.0.1:8080/" } },
            PageRankProvider::OpenPageRank, "http://127.0.0.1:8080", SearchProvider::Web, "", tranco },
        // Unknown names and addresses without a scheme keep the defaults.
        { { { "pagerankprovider", "Google" }, { "openpagerankurl", "openpagerank.com" },
              { "searchprovider", "bing" }, { "trancourl", "ftp://x/list.zip" } },
            PageRankProvider::Toolbar, opr, SearchProvider::Web, "", tranco },
        { { { "searchprovider", "searxng" }, { "searxngurl", "https://searx.example.org//" } },
            PageRankProvider::Toolbar, opr, SearchProvider::SearXng, "https://searx.example.org", tranco },
        { { { "searchprovider", "brave" }, { "trancourl", "http://127.0.0.1:9/top.csv" } },
            PageRankProvider::Toolbar, opr, SearchProvider::Brave, "", "http://127.0.0.1:9/top.csv" },
    };
    for (const Case& c : cases) {
        RecordingMessageBox messages;
        const StatisticsServices services = readStatisticsServices(storeWith(messages, c.entries));
        const std::string context = c.entries.empty() ? "(empty)" : c.entries.begin()->first;
        EXPECT_EQ(services.pageRank, c.pageRank) << context;
        EXPECT_EQ(services.openPageRankUrl, c.openPageRankUrl) << context;
        EXPECT_EQ(services.search, c.search) << context;
        EXPECT_EQ(services.searxngUrl, c.searxngUrl) << context;
        EXPECT_EQ(services.trancoUrl, c.trancoUrl) << context;
    }
}

TEST(StatisticsServicesTest, WritesOnlyWhatDiffersFromTheDefaultsAndReadsItBack)
{
    RecordingMessageBox messages;
    SettingsStore untouched(messages);
    writeStatisticsServices(untouched, StatisticsServices {});
    EXPECT_TRUE(untouched.entries().empty());

    StatisticsServices chosen;
    chosen.pageRank = PageRankProvider::OpenPageRank;
    chosen.openPageRankKey = "secret";
    chosen.search = SearchProvider::Brave;
    chosen.braveKey = "brave";
    SettingsStore store(messages);
    writeStatisticsServices(store, chosen);
    // The key implies the provider, so the provider needs no entry of its own.
    EXPECT_FALSE(store.GetSetting("pagerankprovider"));
    EXPECT_EQ(store.GetSetting("openpagerankkey"), "secret");
    EXPECT_EQ(store.GetSetting("searchprovider"), "brave");
    const StatisticsServices read = readStatisticsServices(store);
    EXPECT_EQ(read.pageRank, PageRankProvider::OpenPageRank);
    EXPECT_EQ(read.braveKey, "brave");

    // Back to the toolbar with the key kept: now the provider must be written.
    chosen.pageRank = PageRankProvider::Toolbar;
    writeStatisticsServices(store, chosen);
    EXPECT_EQ(store.GetSetting("pagerankprovider"), "toolbar");
    EXPECT_EQ(readStatisticsServices(store).pageRank, PageRankProvider::Toolbar);
}

} // namespace
