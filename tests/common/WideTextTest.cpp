#include "common/WideText.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(WideTextTest, EveryPlaneRoundTrips)
{
    // A, é, €, and U+1F600 as a surrogate pair.
    const std::u16string text = u"A\u00E9\u20AC\U0001F600";
    const std::string bytes = "A\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80";
    EXPECT_EQ(utf8FromUtf16(text), bytes);
    EXPECT_EQ(utf16FromUtf8(bytes), text);
}

TEST(WideTextTest, UnpairedSurrogatesBecomeReplacementCharacters)
{
    const std::string replacement = "\xEF\xBF\xBD";
    EXPECT_EQ(utf8FromUtf16(std::u16string { u'a', char16_t(0xD83D) }), "a" + replacement); // high at the end
    EXPECT_EQ(utf8FromUtf16(std::u16string { char16_t(0xDE00), u'b' }), replacement + "b"); // low alone
    EXPECT_EQ(utf8FromUtf16(std::u16string { char16_t(0xD83D), u'c' }), replacement + "c"); // high, no low
}

TEST(WideTextTest, EachByteOutsideValidUtf8BecomesOneReplacementCharacter)
{
    struct Case {
        std::string bytes;
        std::u16string text;
    };
    const Case cases[] = {
        { "\x80x", u"\uFFFDx" }, // a lone continuation byte
        { "\xC0\xAF", u"\uFFFD\uFFFD" }, // an overlong '/'
        { "\xE0\x80\xAF", u"\uFFFD\uFFFD\uFFFD" }, // overlong in three bytes
        { "\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD" }, // an encoded surrogate
        { "\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD" }, // beyond U+10FFFF
        { "\xF8\x80\x80", u"\uFFFD\uFFFD\uFFFD" }, // no sequence starts with F8
        { "\xFF", u"\uFFFD" }, { "\xE2\x82", u"\uFFFD\uFFFD" }, // cut short
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.bytes));
        EXPECT_EQ(utf16FromUtf8(c.bytes), c.text);
    }
}

} // namespace
