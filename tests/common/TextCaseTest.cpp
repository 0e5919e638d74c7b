#include "common/TextCase.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(TextCaseTest, ComparesLettersOfAnyCase)
{
    struct Case {
        const char* a;
        const char* b;
        bool equal;
    };
    const Case cases[] = {
        { "SEO Tools", "seo tools", true }, // ASCII
        { "\xC3\x89t\xC3\xA9", "\xC3\xA9T\xC3\x89", true }, // Été, éTÉ
        { "\xC5\xBD\xC3\xA1k", "\xC5\xBE\xC3\x81K", true }, // Žák, žÁK
        { "\xD0\x9C\xD0\x98\xD0\xA0", "\xD0\xBC\xD0\xB8\xD1\x80", true }, // МИР, мир
        { "\xCE\xA3\xCE\x9F\xCE\xA6", "\xCF\x83\xCE\xBF\xCF\x86", true }, // ΣΟΦ, σοφ
        { "seo", "seo tools", false }, // a prefix
        { "seo tools", "seo", false }, // a longer text
        { "seo-tools", "seo tools", false }, // another character
        { "\xC3\x97", "\xC3\xB7", false }, // × and ÷ are no letters
        { "\xFF\x61", "\xFF\x41", true }, // a stray byte, then a and A
        { "\xFF", "\xFE", false }, // two stray bytes
        { "\xC3", "\xC3\xA9", false }, // a cut sequence
        { "\xC9", "\xC3\xA9", false }, // a stray byte is no letter
        { "\xCE\x86\xCE\x88\xCE\x8C\xCE\x8F", "\xCE\xAC\xCE\xAD\xCF\x8C\xCF\x8E", true }, // ΆΈΌΏ, άέόώ
        { "\xCE\xA3", "\xCF\x82", true }, // Σ and the final ς
        { "\xD0\x81\xD0\x8E", "\xD1\x91\xD1\x9E", true }, // ЁЎ, ёў
        { "\xC4\xB9\xC5\xB9\xC5\xB8", "\xC4\xBA\xC5\xBA\xC3\xBF", true }, // ĹŹŸ, ĺźÿ
        { "\xC4\xB0", "i", false }, // the dotted capital İ has no small partner here
        { "\xC4\xB0", "\xC4\xB1", false }, // nor the dotless ı
        { "\xE2\x82\xAC \xF0\x9F\x98\x80", "\xE2\x82\xAC \xF0\x9F\x98\x80", true }, // € and an emoji
        { "\xF0\x9F\x98\x80", "\xF0\x9F\x98\x81", false }, // two emoji
        { "\xE2\x82"
          "A",
            "\xE2\x82"
            "a",
            true }, // a broken sequence, then a letter
        { "\xE2\x82\xAC", "\xE2\x82\xAD", false }, // the last byte differs
        { "\xC0\xAF", "/", false }, // an overlong "/" is no "/"
        { "\xF5\x80\x80\x80", "\xF5\x80\x80\x80", true }, // malformed bytes equal themselves
        { "\xF5\x80\x80\x80", "\xF5\x80\x80\x81", false }, // and nothing else
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.a) + " / " + c.b);
        EXPECT_EQ(equalsIgnoringCase(c.a, c.b), c.equal);
    }
}

TEST(TextCaseTest, LowersLettersOfEveryScriptAndKeepsMalformedBytes)
{
    EXPECT_EQ(lowerCase("\xC3\x89"
                        "COLE \xD0\x96 \xFF"
                        "A"),
        "\xC3\xA9"
        "cole \xD0\xB6 \xFF"
        "a");
    EXPECT_EQ(lowerCase("\xC4\xB0\xC3\x9C"), "i\xC3\xBC"); // İÜ
    EXPECT_EQ(lowerCase("\xC0\xAF"
                        "B"),
        "\xC0\xAF"
        "b"); // an overlong form is not decoded
}

TEST(TextCaseTest, AsciiComparisonsIgnoreTheCaseOfAsciiLettersOnly)
{
    EXPECT_EQ(lowerAscii("HTTP://WWW.\xC3\x89x.COM"), "http://www.\xC3\x89x.com");
    EXPECT_TRUE(startsWithNoCase("HTTPS://a", "https://"));
    EXPECT_TRUE(startsWithNoCase(std::u16string_view(u"Http://a"), "http://"));
    EXPECT_FALSE(startsWithNoCase("http:/", "http://"));
    EXPECT_FALSE(startsWithNoCase(std::u16string_view(u"\u0168ttp://"), "http://"));
    EXPECT_TRUE(equalsNoCase("Web Design", "WEB design"));
    EXPECT_FALSE(equalsNoCase("\xC3\x89t\xC3\xA9", "\xC3\xA9t\xC3\xA9"));
    EXPECT_FALSE(equalsNoCase("seo", "seo "));
}

} // namespace
