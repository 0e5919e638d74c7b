#include "profiles/SvDatReader.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>

using namespace SendingProfile;
using ::testing::ElementsAre;

namespace {

SvDatContents readText(const std::string& text)
{
    std::istringstream in(text);
    return SvDatReader(in).read();
}

TEST(SvDatReaderTest, LinesEndAtLineFeedsWithACarriageReturnDropped)
{
    const SvDatContents contents =
        readText("1\r\n Active \r\n1\r\nName\rstill name\r\nu\r\nt\r\nd\r\nc\r\ns\r\nk\r\n"
                 "e\r\nf\r\nl\r\nu\r\np\r\n2\r\nB\r\nA");
    EXPECT_FALSE(contents.truncated);
    EXPECT_EQ(contents.activeName, " Active ");
    ASSERT_EQ(contents.profiles.size(), 1u);
    EXPECT_EQ(contents.profiles[0].name, "Name\rstill name");
    EXPECT_EQ(contents.profiles[0].category, "c");
    EXPECT_EQ(contents.profiles[0].subcategory, "s");
    EXPECT_THAT(contents.profiles[0].submittedNames, ElementsAre("A", "B"));
}

TEST(SvDatReaderTest, ZeroOrNegativeListCountsGiveOneEmptyEntry)
{
    const SvDatContents contents = readText("2\nA\n1\nN\nu\n0\n-3\nc\ns\n0\ne\nf\nl\nu\np\n0\n");
    ASSERT_EQ(contents.profiles.size(), 1u);
    EXPECT_THAT(contents.profiles[0].titles, ElementsAre(""));
    EXPECT_THAT(contents.profiles[0].descriptions, ElementsAre(""));
    EXPECT_THAT(contents.profiles[0].keywords, ElementsAre(""));
    EXPECT_TRUE(contents.profiles[0].submittedNames.empty());
}

TEST(SvDatReaderTest, ARecordCutShortIsLeftOut)
{
    const SvDatContents beforeCount = readText("2\nActive\n");
    EXPECT_TRUE(beforeCount.truncated);
    EXPECT_EQ(beforeCount.activeName, "Active");
    const SvDatContents inRecord = readText("1\nA\n2\nN\nu\nt\nd\nc\ns\nk\ne\nf\nl\nu\np\n0\nCut\nu\nt\n");
    EXPECT_TRUE(inRecord.truncated);
    ASSERT_EQ(inRecord.profiles.size(), 1u);
    EXPECT_EQ(inRecord.profiles[0].name, "N");
    EXPECT_FALSE(readText("7\nA\n0\n").truncated);
}

TEST(SvDatReaderTest, WindowsTextBecomesUtf8AndUtf8StaysAsItIs)
{
    const SvDatContents contents = readText("1\nCaf\xe9 \x80\x9f\n0\n");
    EXPECT_EQ(contents.activeName, "Café €Ÿ");
    EXPECT_EQ(readText("1\nCafé €\n0\n").activeName, "Café €");
}

} // namespace
