#include "app/TabSlots.h"
#include "app/PendingReferers.h"

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
    EXPECT_EQ(second->placement, TabPlacement::Replace);
    EXPECT_EQ(slots[0].fill.picks, PickSlots {});
    EXPECT_EQ(slots[0].fill.directoryName, "");
    EXPECT_EQ(slots.findAddress("http://b/"), 0);
}

TEST(TabSlotsTest, AWindowAPageOpensTakesAFreeSlotWithoutADirectoryInEitherMode)
{
    TabSlots slots;
    slots.open("http://dir.example/add", false);
    slots[0].fill.directoryName = "Dir";
    // Single-tab mode keeps the page that opened the window: the window gets a slot of its own.
    const std::optional<int> window = slots.openForPage();
    ASSERT_EQ(window, 1);
    EXPECT_TRUE(slots[1].openedByPage);
    EXPECT_EQ(slots[1].fill.directoryName, "");
    // It is no directory's tab, even when it shows a directory's address.
    slots[1].requestedAddress = "http://dir.example/add";
    slots.close(0);
    EXPECT_EQ(slots.findAddress("http://dir.example/add"), -1);

    // A directory opened in the slot later is a directory's tab again.
    slots.close(1);
    for (int slot = 0; slot < kTabSlotCount; ++slot)
        ASSERT_TRUE(slots.open("http://d" + std::to_string(slot) + "/", true));
    EXPECT_FALSE(slots[1].openedByPage);
    EXPECT_EQ(slots.findAddress("http://d1/"), 1);
    EXPECT_EQ(slots.openForPage(), std::nullopt);
}

TEST(TabSlotsTest, ARefererWaitsForItsAddressAsTheBrowserAsksForIt)
{
    PendingReferers referers;
    referers.expect("http://Dir.Example", "http://Dir.Example");
    referers.expect("https://dir.example:443/add?x=1#form", "https://dir.example/");
    referers.expect("http://dir.example:8080", "http://dir.example:8080");
    // An address without a path is asked for with "/"; the scheme's own port is left out.
    EXPECT_EQ(referers.take("http://dir.example/"), "http://Dir.Example");
    EXPECT_EQ(referers.take("https://dir.example/add?x=1"), "https://dir.example/");
    EXPECT_EQ(referers.take("http://dir.example:8080/"), "http://dir.example:8080");
    // Each is sent once.
    EXPECT_EQ(referers.take("http://dir.example/"), std::nullopt);
    EXPECT_EQ(referers.size(), 0u);
    // The query is part of the address.
    referers.expect("http://dir.example/add?a=1", "r");
    EXPECT_EQ(referers.take("http://dir.example/add?a=2"), std::nullopt);

    // Addresses never asked for do not pile up.
    for (std::size_t i = 0; i < PendingReferers::kMaxPending + 5; ++i)
        referers.expect("http://host" + std::to_string(i) + ".example/", "r");
    EXPECT_EQ(referers.size(), PendingReferers::kMaxPending);
    EXPECT_EQ(referers.take("http://host4.example/"), std::nullopt);
    EXPECT_EQ(referers.take("http://host5.example/"), "r");

    EXPECT_EQ(requestAddress("HTTP://User@Host.Example:80?q#f"), "http://User@host.example/?q");
    EXPECT_EQ(requestAddress("about:blank#alpha"), "about:blank");
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
