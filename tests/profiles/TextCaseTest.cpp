#include "profiles/TextCase.h"

#include <gtest/gtest.h>

#include <string>

using namespace SendingProfile;

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
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.a) + " / " + c.b);
        EXPECT_EQ(equalsIgnoringCase(c.a, c.b), c.equal);
    }
}

} // namespace
