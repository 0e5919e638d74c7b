#include "common/StatisticsServices.h"
#include "common/ServiceKeys.h"

#include "common/SettingsStore.h"
#include "support/MemorySecretStore.h"
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

TEST(StatisticsServicesTest, WritesOnlyWhatDiffersFromTheDefaultsAndKeepsTheKeysAsSecrets)
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
    MemorySecretStore secrets;
    writeStatisticsServices(store, chosen);
    EXPECT_TRUE(keepServiceKeys(secrets, chosen, store).empty());
    // Without the key in the file the provider needs an entry of its own.
    EXPECT_EQ(store.GetSetting("pagerankprovider"), "openpagerank");
    EXPECT_FALSE(store.GetSetting("openpagerankkey"));
    EXPECT_FALSE(store.GetSetting("bravekey"));
    EXPECT_EQ(store.GetSetting("searchprovider"), "brave");
    StatisticsServices read = readStatisticsServices(store);
    readServiceKeys(read, secrets);
    EXPECT_EQ(read.pageRank, PageRankProvider::OpenPageRank);
    EXPECT_EQ(read.openPageRankKey, "secret");
    EXPECT_EQ(read.braveKey, "brave");

    // An emptied key is forgotten; one the store refuses stays in the file.
    chosen.braveKey.clear();
    secrets.refuses = true;
    EXPECT_EQ(keepServiceKeys(secrets, chosen, store).size(), 2u);
    EXPECT_EQ(store.GetSetting("openpagerankkey"), "secret");
    secrets.refuses = false;
    keepServiceKeys(secrets, chosen, store);
    EXPECT_EQ(secrets.items.size(), 1u);
}

// An older file's keys move into the store; the provider that a key implied is named.
TEST(StatisticsServicesTest, AnOlderFilesKeysMoveIntoTheSecretStore)
{
    RecordingMessageBox messages;
    SettingsStore store(messages);
    store.SetSetting("openpagerankkey", "k1");
    store.SetSetting("bravekey", "k2");
    MemorySecretStore secrets;
    ASSERT_TRUE(holdsServiceKeys(store));
    EXPECT_TRUE(moveServiceKeys(secrets, store).empty());
    EXPECT_FALSE(holdsServiceKeys(store));
    EXPECT_EQ(store.GetSetting("pagerankprovider"), "openpagerank");
    EXPECT_EQ(secretOf(secrets, { SecretKind::OpenPageRankKey, {}, {} }), "k1");
    EXPECT_EQ(secretOf(secrets, { SecretKind::BraveKey, {}, {} }), "k2");
}

} // namespace
