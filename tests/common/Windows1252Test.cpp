#include "common/Windows1252.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(Windows1252Test, EveryByteConvertsToUtf8AndBack)
{
    struct Case {
        std::string bytes;
        std::string utf8;
    };
    const Case cases[] = {
        { "Caf\xE9 \x80\x9F", "Caf\xC3\xA9 \xE2\x82\xAC\xC5\xB8" }, // Café €Ÿ
        { "\x81\x8D\x8F\x90\x9D", "\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D" }, // unassigned: C1 controls
        { "\x8A\x99\xA0\xFF", "\xC5\xA0\xE2\x84\xA2\xC2\xA0\xC3\xBF" }, // Š™, no-break space, ÿ
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.bytes));
        EXPECT_EQ(utf8FromWindows1252(c.bytes), c.utf8);
        EXPECT_EQ(windows1252FromUtf8(c.utf8), c.bytes);
    }
    std::string all;
    for (int byte = 0; byte < 256; ++byte)
        all += static_cast<char>(byte);
    EXPECT_EQ(windows1252FromUtf8(utf8FromWindows1252(all)), all);
}

TEST(Windows1252Test, WhatTheCodePageCannotHoldBecomesAQuestionMark)
{
    EXPECT_EQ(windows1252FromUtf8("a\xE4\xB8\xAD" // 中
                                  "b\xF0\x9F\x98\x80"),
        "a?b?");
    EXPECT_EQ(windows1252FromUtf8("\xC3\xA9\xC3"), "\xE9?"); // cut short
    EXPECT_EQ(windows1252FromUtf8("\xC0\xAF"), "??"); // overlong
}

TEST(Windows1252Test, ALineIsReadAsUtf8OnlyWhenItIsWellFormed)
{
    struct Case {
        std::string line;
        std::string utf8;
    };
    const Case cases[] = {
        { "Caf\xC3\xA9 \xE2\x82\xAC", "Caf\xC3\xA9 \xE2\x82\xAC" }, // UTF-8 stays as it is
        { "Caf\xE9", "Caf\xC3\xA9" }, // Windows-1252
        { "\xC0\xAF", "\xC3\x80\xC2\xAF" }, // an overlong form is no UTF-8: "À¯"
        { "\xED\xA0\x80", "\xC3\xAD\xC2\xA0\xE2\x82\xAC" }, // nor is a surrogate: "í €"
        { "\xF5\x80", "\xC3\xB5\xE2\x82\xAC" }, // nor lead F5: "õ€"
        { "\xF0\x9F\x98", "\xC3\xB0\xC5\xB8\xCB\x9C" }, // nor a cut sequence: "ðŸ˜"
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.line));
        EXPECT_EQ(utf8FromUtf8OrWindows1252(c.line), c.utf8);
    }
}

} // namespace
