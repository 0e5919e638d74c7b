#include "checker/CheckStatistics.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

CheckResults changes(const std::vector<std::pair<std::int32_t, std::int32_t>>& oldAndNew, int broken = 0)
{
    CheckResults results;
    for (const auto& [oldPR, newPR] : oldAndNew)
        results.prChanges.push_back({ u"D", u"http://d.example/", oldPR, newPR });
    results.brokenSites.assign(static_cast<std::size_t>(broken), BrokenSite { u"B", u"http://b.example/" });
    return results;
}

TEST(CheckStatisticsTest, CountsDirectionsAndSizes)
{
    const CheckStatistics statistics =
        CheckStatistics::count(changes({ { 0, 3 }, { 4, -1 }, { 5, 0 }, { -1, 0 }, { 2, 3 } }, 2));
    EXPECT_EQ(statistics.updated, 5);
    EXPECT_EQ(statistics.disabled, 2);
    EXPECT_EQ(statistics.movingUp, 3);
    EXPECT_EQ(statistics.movingDown, 2);
    EXPECT_EQ(statistics.downToZero, 2); // -1 to 0 counts here as well as moving up
    EXPECT_EQ(statistics.downToMinusOne, 1);
    EXPECT_EQ(statistics.upVector, (std::array<int, 10> { 0, 2, 0, 1, 0, 0, 0, 0, 0, 0 }));
    EXPECT_EQ(statistics.downVector, (std::array<int, 10> { 0, 0, 0, 0, 0, 2, 0, 0, 0, 0 }));
}

TEST(CheckStatisticsTest, ChangesBeyondTheVectorsCountOnlyInTheTotals)
{
    const std::int32_t lowest = std::numeric_limits<std::int32_t>::min();
    const std::int32_t highest = std::numeric_limits<std::int32_t>::max();
    const CheckStatistics statistics = CheckStatistics::count(
        changes({ { 0, 10 }, { -1, 10 }, { 10, -1 }, { lowest, highest }, { highest, lowest } }));
    EXPECT_EQ(statistics.movingUp, 3);
    EXPECT_EQ(statistics.movingDown, 2);
    EXPECT_EQ(statistics.downToMinusOne, 1);
    EXPECT_EQ(statistics.upVector, (std::array<int, 10> {}));
    EXPECT_EQ(statistics.downVector, (std::array<int, 10> {}));
}

} // namespace
