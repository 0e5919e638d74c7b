#include "autofill/ValueFitting.h"

#include "common/IRandomSource.h"

#include <gtest/gtest.h>

#include <deque>

namespace {

// Draws the prepared numbers (modulo the count) and notes what it was asked for.
class PreparedRandom : public IRandomSource {
public:
    explicit PreparedRandom(std::deque<std::size_t> picks)
        : m_picks(std::move(picks))
    {
    }
    std::size_t pick(std::size_t count) override
    {
        counts.push_back(count);
        const std::size_t next = m_picks.empty() ? 0 : m_picks.front();
        if (!m_picks.empty())
            m_picks.pop_front();
        return next % count;
    }
    std::vector<std::size_t> counts;

private:
    std::deque<std::size_t> m_picks;
};

TEST(ValueFittingTest, AFieldLengthCountsAsTheBrowserCounts)
{
    EXPECT_EQ(fieldLength("abc"), 3u);
    EXPECT_EQ(fieldLength("caf\xC3\xA9"), 4u);
    EXPECT_EQ(fieldLength("\xF0\x9F\x98\x80"), 2u); // beyond the Basic Multilingual Plane
    EXPECT_EQ(fieldLength("\xFF"), 1u);
}

TEST(ValueFittingTest, ACutEndsAtTheLastWholeWordThatFits)
{
    const struct {
        const char* text;
        std::size_t maxLength;
        const char* cut;
    } cases[] = {
        { "Widgets made to order", 100, "Widgets made to order" },
        { "Widgets made to order", 12, "Widgets made" },
        { "Widgets made to order", 13, "Widgets made" },
        { "Widgets made to order", 15, "Widgets made to" },
        { "Widgets, gadgets and more", 10, "Widgets" },
        { "Supercalifragilistic", 5, "Super" },
        { "Caf\xC3\xA9 \xC3\xA9t\xC3\xA9", 6, "Caf\xC3\xA9" },
        { "\xF0\x9F\x98\x80\xF0\x9F\x98\x80", 3, "\xF0\x9F\x98\x80" },
        { "Widgets", 0, "" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(cutAtWordBoundary(c.text, c.maxLength), c.cut) << c.text << " / " << c.maxLength;
}

TEST(ValueFittingTest, AnAlternativeThatFitsIsChosenBeforeACut)
{
    const std::vector<std::string> titles { "A long title of the site", "Short one", "Tiny" };
    PreparedRandom random({ 1 });
    // The preferred pick stands while it fits; otherwise one is drawn among those that fit.
    EXPECT_EQ(fittingAlternative(titles, std::nullopt, random, 0), "A long title of the site");
    EXPECT_EQ(fittingAlternative(titles, 10, random, 0), "Tiny");
    EXPECT_EQ(random.counts, std::vector<std::size_t> { 2 });
    EXPECT_EQ(fittingAlternative(titles, 3, random), "A");
    EXPECT_EQ(fittingAlternative(titles, 12, random, 7), "Short one");
    EXPECT_EQ(fittingAlternative({ "A long title of the site" }, 12, random), "A long title");
    EXPECT_EQ(fittingAlternative({}, 12, random), std::nullopt);
}

} // namespace
