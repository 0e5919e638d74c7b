#include "common/DecimalText.h"
#include "common/XmlErrorText.h"

#include <gtest/gtest.h>

namespace {

TEST(DecimalTextTest, ReadsLikeAtoi)
{
    EXPECT_EQ(parseDecimal("42"), 42);
    EXPECT_EQ(parseDecimal("  \t-7"), -7);
    EXPECT_EQ(parseDecimal("+3"), 3);
    EXPECT_EQ(parseDecimal("12abc"), 12);
    EXPECT_EQ(parseDecimal("abc"), 0);
    EXPECT_EQ(parseDecimal(""), 0);
    EXPECT_EQ(parseDecimal("- 5"), 0);
    EXPECT_EQ(parseDecimal("3.9"), 3);
}

TEST(DecimalTextTest, ClampsToThe32BitRange)
{
    EXPECT_EQ(parseDecimal("2147483647"), 2147483647);
    EXPECT_EQ(parseDecimal("2147483648"), 2147483647);
    EXPECT_EQ(parseDecimal("-2147483648"), -2147483647 - 1);
    EXPECT_EQ(parseDecimal("-99999999999999999999999"), -2147483647 - 1);
}

TEST(XmlErrorTextTest, AddsDetailsOnlyWhenThereAreAny)
{
    EXPECT_EQ(xmlErrorText("Access is denied.", ""), "Access is denied.");
    EXPECT_EQ(xmlErrorText("Access is denied.", "x.xml"), "Access is denied.\r\nDetails: x.xml");
}

} // namespace
