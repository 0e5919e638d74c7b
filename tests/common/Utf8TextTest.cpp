#include "common/Utf8Text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace {

std::u32string decodeAll(std::string_view text)
{
    std::u32string codes;
    for (std::size_t at = 0; at < text.size();) {
        std::size_t length = 0;
        codes += decodeUtf8(text, at, length);
        EXPECT_EQ(length, utf8CharacterLength(text, at));
        at += length;
    }
    return codes;
}

TEST(Utf8TextTest, DecodesWellFormedSequencesAndEachOtherByteAlone)
{
    struct Case {
        std::string bytes;
        std::u32string codes;
        bool valid;
    };
    const Case cases[] = {
        { "", U"", true }, { std::string("\0\x7F", 2), std::u32string(U"\0\x7F", 2), true }, // one byte
        { "\xC2\x80\xDF\xBF", U"\u0080\u07FF", true }, // two bytes
        { "\xE0\xA0\x80\xED\x9F\xBF\xEE\x80\x80\xEF\xBF\xBF", U"\u0800\uD7FF\uE000\uFFFF", true }, // three
        { "\xF0\x90\x80\x80\xF4\x8F\xBF\xBF", U"\U00010000\U0010FFFF", true }, // four
        { "\xEF\xBF\xBD", U"\uFFFD", true }, // a replacement character in the text
        { "\x80\xBF", U"\uFFFD\uFFFD", false }, // continuation bytes without a lead
        { "\xC0\x80\xC1\xBF", U"\uFFFD\uFFFD\uFFFD\uFFFD", false }, // leads C0 and C1
        { "\xF5\x80\x80\x80", U"\uFFFD\uFFFD\uFFFD\uFFFD", false }, // lead F5
        { "\xF7\xBF\xBF\xBF", U"\uFFFD\uFFFD\uFFFD\uFFFD", false }, // lead F7
        { "\xF8\x88\x80\x80\x80", U"\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD", false }, // lead F8
        { "\xFC\xFE\xFF", U"\uFFFD\uFFFD\uFFFD", false }, // leads FC to FF
        { "\xC0\xAF", U"\uFFFD\uFFFD", false }, // "/" overlong in two bytes
        { "\xE0\x80\xAF\xE0\x9F\xBF", U"\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD", false }, // overlong in three
        { "\xF0\x80\x80\xAF\xF0\x8F\xBF\xBF", std::u32string(8, U'\uFFFD'), false }, // overlong in four
        { "\xED\xA0\x80\xED\xBF\xBF", U"\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD", false }, // surrogates
        { "\xF4\x90\x80\x80", U"\uFFFD\uFFFD\uFFFD\uFFFD", false }, // U+110000
        { "a\xC3", U"a\uFFFD", false }, // two bytes cut short at the end
        { "a\xE2\x82", U"a\uFFFD\uFFFD", false }, // three bytes cut short
        { "a\xF0\x9F\x98", U"a\uFFFD\uFFFD\uFFFD", false }, // four bytes cut short
        { "\xE2\x82"
          "b\xC3\xA9",
            U"\uFFFD\uFFFDb\u00E9", false }, // cut short by a character that follows
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.bytes));
        EXPECT_EQ(decodeAll(c.bytes), c.codes);
        EXPECT_EQ(isValidUtf8(c.bytes), c.valid);
        EXPECT_EQ(utf8CharacterCount(c.bytes), c.codes.size());
        if (c.valid) {
            std::string encoded;
            for (const char32_t code : c.codes)
                appendUtf8(encoded, code);
            EXPECT_EQ(encoded, c.bytes);
        }
    }
}

TEST(Utf8TextTest, CodesUtf8CannotCarryAreWrittenAsReplacementCharacters)
{
    for (const char32_t code :
        { char32_t(0xD800), char32_t(0xDFFF), char32_t(0x110000), char32_t(0xFFFFFFFF) }) {
        std::string out = "x";
        appendUtf8(out, code);
        EXPECT_EQ(out, "x\xEF\xBF\xBD") << std::hex << static_cast<std::uint32_t>(code);
    }
}

TEST(Utf8TextTest, PrefixesEndAtACharacterBoundary)
{
    const std::string mixed = "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80"; // a, é, €, U+1F600
    struct Case {
        std::string text;
        std::size_t characters;
        std::string prefix;
    };
    const Case cases[] = {
        { mixed, 0, "" },
        { mixed, 1, "a" },
        { mixed, 2, "a\xC3\xA9" },
        { mixed, 3, "a\xC3\xA9\xE2\x82\xAC" },
        { mixed, 4, mixed },
        { mixed, 5, mixed },
        { "\xE2\x82"
          "b",
            1, "\xE2" }, // a malformed byte is a character of its own
        { "\xF5\x80\x80\x80", 2, "\xF5\x80" },
        { "", 3, "" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.text) + " " + std::to_string(c.characters));
        EXPECT_EQ(utf8Prefix(c.text, c.characters), c.prefix);
        EXPECT_EQ(utf8Longer(c.text, c.characters), c.prefix.size() < c.text.size());
    }
}

} // namespace
