#include "history/HistorySheetName.h"

#include <gtest/gtest.h>

namespace {

TEST(HistorySheetNameTest, BlanksDotsAndOtherSignsBecomeUnderscores)
{
    EXPECT_EQ(historySheetName("My site.com v2"), "My_site_com_v2");
    EXPECT_EQ(historySheetName("a'b[c]:d*e?f/g\\h"), "a_b_c__d_e_f_g_h");
    EXPECT_EQ(historySheetName("Keep_This_9"), "Keep_This_9");
}

TEST(HistorySheetNameTest, AMultiByteCharacterBecomesOneUnderscore)
{
    EXPECT_EQ(historySheetName("Caf\xC3\xA9 \xE2\x82\xAC"), "Caf___");
}

TEST(HistorySheetNameTest, LongNamesAreCutToThirtyOneCharacters)
{
    const std::string cut = historySheetName(std::string(40, 'x') + ".");
    EXPECT_EQ(cut, std::string(31, 'x'));
    EXPECT_EQ(historySheetName(std::string(30, 'y') + "\xC3\xA9\xC3\xA9").size(), 31U);
}

} // namespace
