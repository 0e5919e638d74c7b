#include "app/TabSlots.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <optional>

namespace {

TEST(TabSlotsTest, TenTabsThenNoneAndAClosedSlotIsTakenFirst)
{
    TabSlots slots;
    for (int expected = 0; expected < kTabSlotCount; ++expected) {
        const std::optional<TabOpening> opening =
            slots.open("http://d" + std::to_string(expected) + "/", true);
        ASSERT_TRUE(opening);
        EXPECT_EQ(opening->slot, expected);
        EXPECT_EQ(opening->placement, TabPlacement::Append);
    }
    EXPECT_FALSE(slots.open("http://eleventh/", true));
    EXPECT_EQ(slots.findAddress("http://d7/"), 7);

    slots.close(7);
    slots.close(3);
    EXPECT_EQ(slots.findAddress("http://d7/"), -1);
    EXPECT_EQ(slots.open("http://new/", true)->slot, 3);
    EXPECT_EQ(slots[3].requestedAddress, "http://new/");
}

TEST(TabSlotsTest, SingleTabModeAlwaysUsesSlotZero)
{
    TabSlots slots;
    EXPECT_EQ(slots.open("http://a/", false)->placement, TabPlacement::InsertFirst);
    slots[0].fill.directoryName = "A";
    slots[0].fill.picks = { "t", "d", "k" };
    const std::optional<TabOpening> second = slots.open("http://b/", false);
    EXPECT_EQ(second->slot, 0);
    EXPECT_EQ(second->placement, TabPlacement::ReplaceFirst);
    EXPECT_EQ(slots[0].fill.picks, PickSlots {});
    EXPECT_EQ(slots[0].fill.directoryName, "");
    EXPECT_EQ(slots.findAddress("http://b/"), 0);
}

TEST(TabSlotsTest, CaptionsAreCutAfterThirtyCharacters)
{
    EXPECT_EQ(tabCaption(std::string(30, 'a')), std::string(30, 'a'));
    EXPECT_EQ(tabCaption(std::string(31, 'a')), std::string(30, 'a') + "...");
    // Characters, not bytes: a name of accented letters is not cut in the middle of one.
    std::string accented;
    for (int i = 0; i < 31; ++i)
        accented += "é";
    EXPECT_EQ(tabCaption(accented), accented.substr(0, 60) + "...");
}

TEST(TabSlotsTest, RefererKeepsSchemeAndHost)
{
    struct Case {
        std::string address;
        std::optional<std::string> referer;
    };
    const std::string longPath = "http://host.example/" + std::string(2018, 'p');
    ASSERT_EQ(longPath.size(), 2038u);
    for (const Case& c : { Case { "http://www.dir.example/submit.php?c=1", "http://www.dir.example/" },
             Case { "https://dir.example/add", "https://dir.example/" },
             Case { "http://dir.example", "http://dir.example" },
             Case { longPath.substr(0, 2037), "http://host.example/" }, Case { longPath, std::nullopt } })
        EXPECT_EQ(refererFor(c.address), c.referer) << c.address.substr(0, 60);
}

TEST(TabSlotsTest, PageRankLabelSaysNotAvailableForNegativeValues)
{
    EXPECT_EQ(pageRankLabel(0), "PR 0");
    EXPECT_EQ(pageRankLabel(10), "PR 10");
    EXPECT_EQ(pageRankLabel(-1), "PR n/a");
}

} // namespace
