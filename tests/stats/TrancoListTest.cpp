#include "stats/TrancoList.h"

#include "StatisticsFakes.h"
#include "stats/CSEOData.h"
#include "support/TempFolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

using ::testing::HasSubstr;

constexpr std::time_t kDay = 24 * 60 * 60;

void setAge(const std::filesystem::path& file, std::time_t now, std::time_t age)
{
    const auto system = std::chrono::system_clock::from_time_t(now - age);
    std::filesystem::last_write_time(file, std::chrono::file_clock::from_sys(system));
}

TEST(TrancoListTest, ASiteIsFoundByItsHostOrItsNearestListedParentDomain)
{
    TempFolder folder;
    const TrancoList list(folder.write("data/tranco-top-1m.csv",
        trancoText(5000, { { 3, "example.com" }, { 40, "blog.example.com" }, { 4999, "example.co.uk" } })));
    struct Case {
        std::string site;
        std::int32_t rank;
        std::string domain;
    };
    const std::vector<Case> cases = {
        { "http://www.example.com/page", 3, "example.com" },
        { "https://blog.example.com", 40, "blog.example.com" },
        { "http://deep.blog.example.com/", 40, "blog.example.com" },
        { "shop.example.co.uk", 4999, "example.co.uk" },
        { "http://unlisted.org", TrancoList::kNotListed, "unlisted.org" },
        { "site4321.com", 4321, "site4321.com" },
    };
    for (const Case& c : cases) {
        const TrancoList::Lookup lookup = list.rankOf(c.site);
        EXPECT_TRUE(lookup.listPresent) << c.site;
        EXPECT_EQ(lookup.rank, c.rank) << c.site;
        EXPECT_EQ(lookup.domain, c.domain) << c.site;
    }
    EXPECT_FALSE(TrancoList(folder.path("data/none.csv")).rankOf("example.com").listPresent);
}

TEST(TrancoListTest, PlainAndZippedListsAreReadAndAnythingElseIsRefused)
{
    const std::string text = trancoText(3);
    struct Case {
        std::string name;
        std::string bytes;
        bool read;
        std::string problem;
    };
    const std::string zipped = zipOf("top-1m.csv", text);
    const std::vector<Case> cases = {
        { "plain", text, true, "" },
        { "zipped", zipped, true, "" },
        { "truncated zip", zipped.substr(0, zipped.size() / 2), false, "cannot be read" },
        { "zip of something else", zipOf("readme.txt", "hello"), false, "not a \"rank,domain\" list" },
        { "html", "<html>Not found</html>", false, "neither" },
        { "empty", "", false, "neither" },
    };
    for (const Case& c : cases) {
        std::string problem;
        const std::optional<std::string> read = trancoTextFrom(c.bytes, problem);
        EXPECT_EQ(read.has_value(), c.read) << c.name;
        if (c.read) {
            EXPECT_EQ(*read, text) << c.name;
        } else {
            EXPECT_THAT(problem, HasSubstr(c.problem)) << c.name;
        }
    }
}

TEST(TrancoListTest, ADownloadReplacesTheListOnlyWhenItIsWholeAndShowsProgress)
{
    TempFolder folder;
    LoopbackServer server;
    const std::string zipped = zipOf("top-1m.csv", trancoText(20000, { { 7, "example.com" } }));
    server.serve("/top-1m.csv.zip", 200, zipped, "application/zip");
    server.serve("/cut.zip", 200, zipped.substr(0, zipped.size() - 100), "application/zip");
    server.serve("/gone.zip", 404, "Not found");
    server.handle(
        "/slow.csv", trickle("1,example.org\n2,example.net\n", std::chrono::milliseconds(100), "text/csv"));
    server.start();
    const TrancoList list(folder.path("data/tranco-top-1m.csv"));

    std::uint64_t lastReceived = 0;
    std::uint64_t total = 0;
    const TrancoList::Update stored =
        list.update(server.url("/top-1m.csv.zip"), [&](std::uint64_t got, std::uint64_t all) {
            lastReceived = got;
            total = all;
            return true;
        });
    EXPECT_TRUE(stored.stored) << stored.message;
    EXPECT_EQ(stored.entries, 20000u);
    EXPECT_EQ(lastReceived, zipped.size());
    EXPECT_EQ(total, zipped.size());
    EXPECT_EQ(list.rankOf("www.example.com").rank, 7);

    for (const char* broken : { "/cut.zip", "/gone.zip" }) {
        const TrancoList::Update failed = list.update(server.url(broken));
        EXPECT_FALSE(failed.stored) << broken;
        EXPECT_THAT(
            failed.message, HasSubstr(broken == std::string("/cut.zip") ? "old list is kept" : "HTTP 404"));
        EXPECT_EQ(list.rankOf("example.com").rank, 7) << broken;
    }
    const TrancoList::Update dead =
        list.update("http://127.0.0.1:" + std::to_string(refusedPort()) + "/x.zip");
    EXPECT_THAT(dead.message, HasSubstr("no answer"));

    // A download that keeps going for longer than it may is given up.
    const TrancoList::Update slow = list.update(server.url("/slow.csv"), {}, std::chrono::milliseconds(500));
    EXPECT_THAT(slow.message, HasSubstr("timed out"));
    EXPECT_EQ(list.rankOf("example.com").rank, 7);
}

TEST(TrancoListTest, AListOlderThanThirtyDaysNeedsARefreshAndItsAgeIsShown)
{
    TempFolder folder;
    const std::time_t now = std::time(nullptr);
    const TrancoList list(folder.path("data/tranco-top-1m.csv"));
    EXPECT_TRUE(list.needsRefresh(now));
    EXPECT_EQ(list.ageText(now), "not downloaded yet");
    folder.write("data/tranco-top-1m.csv", trancoText(2));
    setAge(list.file(), now, 3 * kDay + 60);
    EXPECT_FALSE(list.needsRefresh(now));
    EXPECT_THAT(list.ageText(now), HasSubstr("(3 days ago)"));
    setAge(list.file(), now, 31 * kDay);
    EXPECT_TRUE(list.needsRefresh(now));
}

TEST(TrancoListTest, TheCollectorsTrafficRankComesFromTheListAndIsNotAvailableWithoutOne)
{
    TempFolder folder;
    CSEOData collector { HostConfiguration() };
    collector.useTrafficList(folder.path("data/tranco-top-1m.csv"));
    EXPECT_EQ(
        collector.Query(CSEOData::AlexaRank, "http://example.com", 0, nullptr), CSEOData::kNotAvailable);
    folder.write("data/tranco-top-1m.csv", trancoText(100, { { 12, "example.com" } }));
    EXPECT_EQ(collector.Query(CSEOData::AlexaRank, "http://example.com", 0, nullptr), 12);
    EXPECT_EQ(collector.Query(CSEOData::AlexaRank, "http://other.net", 0, nullptr), TrancoList::kNotListed);
    EXPECT_THAT(collector.sourceOf(CSEOData::AlexaRank), HasSubstr("Tranco list, downloaded on"));
}

} // namespace
