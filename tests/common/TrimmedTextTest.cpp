#include "common/TrimmedText.h"

#include <gtest/gtest.h>

namespace {

TEST(TrimmedTextTest, DropsTheBlanksAtBothEndsOnly)
{
    struct Case {
        std::string_view text;
        std::string_view blanks;
        std::string_view expected;
    };
    const Case cases[] = {
        { "  Add URL \t\r\n", kAsciiBlanks, "Add URL" }, { "\v\fsubmit\f", kAsciiBlanks, "submit" },
        { "a  b", kAsciiBlanks, "a  b" }, // blanks inside stay
        { " \t\r\n ", kAsciiBlanks, "" }, { "", kAsciiBlanks, "" },
        { "\xC2\xA0word\xC2\xA0", kAsciiBlanks,
            "\xC2\xA0word\xC2\xA0" }, // a no-break space is no ASCII blank
        { " John \t", " ", "John \t" }, // only the blanks asked for
    };
    for (const Case& c : cases)
        EXPECT_EQ(trimmed(c.text, c.blanks), c.expected) << '"' << c.text << '"';
}

} // namespace
