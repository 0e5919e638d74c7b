#include "profiles/TextCount.h"

#include <gtest/gtest.h>

using namespace SendingProfile;

namespace {

TEST(TextCountTest, CountsCharactersAndWordsBetweenSeparators)
{
    struct Case {
        const char* text;
        TextCount count;
        const char* line;
    };
    const Case cases[] = {
        { "", { 0, 0 }, "0 characters, 0 words" },
        { "a b", { 3, 2 }, "3 characters, 2 words" },
        { "seo", { 3, 1 }, "3 characters, 1 word " },
        { " ,.; ", { 5, 0 }, "5 characters, 0 words" },
        { "one, two;three", { 14, 3 }, "14 characters, 3 words" },
        { "..end.", { 6, 1 }, "6 characters, 1 word " },
        { "two\r\nlines\tand-tab", { 18, 3 }, "18 characters, 3 words" },
        { "caf\xC3\xA9 cr\xC3\xA8me", { 10, 2 }, "10 characters, 2 words" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const TextCount count = countText(c.text);
        EXPECT_EQ(count, c.count);
        EXPECT_EQ(counterLine(count), c.line);
    }
    EXPECT_EQ(listCountText(countText("one, two;three")), "14/3");
}

} // namespace
