#include "DirectoryListTestData.h"

#include "app/DirectoryRowText.h"
#include "app/RowColors.h"
#include "directories/DirectoryCategories.h"
#include "profiles/DirectoryStates.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

std::string directory(const std::string& name, int pr, const std::string& extra = "")
{
    return "<directory name=\"" + name + "\" pr=\"" + std::to_string(pr) + "\" submiturl=\"http://" + name
        + ".example/add\" " + extra + "/>";
}

TEST(DirectoryListTest, OnlyNamesOfThreeCharactersWithoutLeadingUnderscoresAreListedAndCounted)
{
    ListStores stores(directory("ab", 1) + directory("_abc", 1) + directory("a_bc", 1)
        + directory("__general", 1) + directory("Abc", 2) + directory("a-c", 3));
    const DirectoryList list = stores.build();
    EXPECT_THAT(rowTexts(list), ElementsAre("a-c[pr3]", "Abc[pr2]"));
    EXPECT_EQ(list.total, 2);
    EXPECT_EQ(availableLabel(static_cast<int>(list.rows.size()), list.total), "2/2 directories available");
}

TEST(DirectoryListTest, TheNameLimitCountsNamesThatAreSkipped)
{
    // In byte order "__general" comes before the lower-case names.
    ListStores stores(
        directory("__general", 0) + directory("alpha", 0) + directory("beta", 0) + directory("gamma", 0));
    DirectoryListQuery query;
    query.nameLimit = 3;
    const DirectoryList list = stores.build(query);
    EXPECT_THAT(rowTexts(list), ElementsAre("beta[pr0]", "alpha[pr0]"));
    EXPECT_EQ(list.total, 2);
}

TEST(DirectoryListTest, CategoryFilterMatchesWholeEntriesAndEveryCategoryIsKnown)
{
    struct Case {
        const char* text;
        const char* filter;
        bool passes;
    };
    for (const Case& c : { Case { "News,Blogs,,", "Blogs", true }, Case { "Newsletter", "News", false },
             Case { "Arts,News", "News", true }, Case { "News,Arts", "News", true },
             Case { "News", "News", true }, Case { "Arts,Newsroom,Blogs", "News", false },
             Case { "Anything", "", true } })
        EXPECT_EQ(passesCategoryFilter(c.text, c.filter), c.passes) << c.text << " / " << c.filter;

    ListStores stores(directory("Alpha", 1, R"(category="News,Blogs,,")")
        + directory("Beta", 1, R"(category="Newsletter")")
        + directory("__general", 1, R"(category="Hidden")"));
    DirectoryListQuery query;
    query.categoryFilter = "Blogs";
    const DirectoryList list = stores.build(query);
    EXPECT_THAT(rowTexts(list), ElementsAre("Alpha[pr1]"));
    EXPECT_EQ(list.total, 2);
    EXPECT_THAT(list.categories, ElementsAre("Blogs", "News", "Newsletter"));
}

TEST(DirectoryListTest, SearchIgnoresCaseInNamesAndAddresses)
{
    ListStores stores(R"(<directory name="Alpha" submiturl="http://links.example/submit"/>)"
                      R"(<directory name="Widgets" submiturl="http://b.example/"/>)"
                      R"(<directory name="Other" submiturl="http://c.example/"/>)");
    for (const char* search : { "SUBMIT", "widG" }) {
        DirectoryListQuery query;
        query.searchText = search;
        EXPECT_EQ(stores.build(query).rows.size(), 1u) << search;
    }
    EXPECT_EQ(limitSearchText(std::string(120, 'x')).size(), kSearchTextLimit);
    EXPECT_EQ(limitSearchText(std::string(99, 'x') + "é"), std::string(99, 'x') + "é");
}

TEST(DirectoryListTest, FiveSortOrdersCompareTaggedNamesAsBytes)
{
    ListStores stores(
        directory("Beta", 5) + directory("Alpha", 5) + directory("alpha", 2) + directory("Zeta", 7));
    stores.sent("Zeta");
    stores.sent("alpha");
    stores.profiles.SetApproved("Mine", "alpha", "", true);
    EXPECT_THAT(rowTexts(stores.build(sortedBy(DirectorySort::PrDescending))),
        ElementsAre("Zeta[pr7]", "Beta[pr5]", "Alpha[pr5]", "alpha[pr2]"));
    EXPECT_THAT(rowTexts(stores.build(sortedBy(DirectorySort::PrAscending))),
        ElementsAre("alpha[pr2]", "Alpha[pr5]", "Beta[pr5]", "Zeta[pr7]"));
    EXPECT_THAT(rowTexts(stores.build(sortedBy(DirectorySort::AlphaAscending))),
        ElementsAre("Alpha[pr5]", "Beta[pr5]", "Zeta[pr7]", "alpha[pr2]"));
    EXPECT_THAT(rowTexts(stores.build(sortedBy(DirectorySort::AlphaDescending))),
        ElementsAre("alpha[pr2]", "Zeta[pr7]", "Beta[pr5]", "Alpha[pr5]"));
    EXPECT_THAT(rowTexts(stores.buildFor("Mine", DirectorySort::Status)),
        ElementsAre(
            "alpha[pr2] [approved]", "Zeta[pr7] [sent]", "Alpha[pr5] [not sent]", "Beta[pr5] [not sent]"));
}

TEST(DirectoryListTest, ANameThatBeginsAnotherSortsByItsTaggedName)
{
    // "Best Links[pr1]" comes before "Best[pr1]" (a blank before "["), unlike the names themselves.
    ListStores stores(
        directory("Best", 1) + directory("Best Links", 1) + directory("Best!", 1) + directory("Bes", 1));
    EXPECT_THAT(rowTexts(stores.build(sortedBy(DirectorySort::AlphaAscending))),
        ElementsAre("Bes[pr1]", "Best Links[pr1]", "Best![pr1]", "Best[pr1]"));
    EXPECT_THAT(rowTexts(stores.build(sortedBy(DirectorySort::PrDescending))),
        ElementsAre("Best[pr1]", "Best![pr1]", "Best Links[pr1]", "Bes[pr1]"));
}

TEST(DirectoryListTest, TheActiveProfileGivesStatusDateAndSentCount)
{
    ListStores stores(directory("Alpha", 1) + directory("Beta", 2) + directory("Gamma", 3));
    EXPECT_THAT(rowTexts(stores.build()), ElementsAre("Gamma[pr3]", "Beta[pr2]", "Alpha[pr1]"));
    EXPECT_EQ(sentCountLabel(stores.build().sentCount), "Sent to 0 directories");

    stores.sent("Alpha", "02 June 2021");
    DirectoryList list = stores.buildFor("Mine");
    EXPECT_THAT(
        rowTexts(list), ElementsAre("Gamma[pr3] [not sent]", "Beta[pr2] [not sent]", "Alpha[pr1] [sent]"));
    EXPECT_EQ(list.rows[2].date, "02 June 2021");
    EXPECT_EQ(sentCountLabel(list.sentCount), "Sent to 1 directory");

    stores.sent("Beta");
    stores.profiles.SetApproved("Mine", "Beta", "", true);
    list = stores.buildFor("Mine");
    EXPECT_EQ(list.rows[1].text, "Beta[pr2] [approved]");
    EXPECT_EQ(list.sentCount, 2);
    EXPECT_EQ(stores.buildFor("Other").sentCount, 0);
    EXPECT_TRUE(stores.messages.empty());
}

TEST(DirectoryListTest, ColoursGoProfileColourThenDirectoryColourThenStatus)
{
    ListStores stores(R"(<latestrevision no="4"/>)" + directory("Latest", 9, R"(revision="4")")
        + directory("Older", 8, R"(revision="3")") + directory("Sent", 7) + directory("Coloured", 6)
        + directory("Broken", 5));
    stores.sent("Sent");
    stores.sent("Coloured");
    stores.profiles.SetCustomColor({}, "Coloured", 0x123456);
    stores.profiles.SetCustomColor({}, "Broken", 0x123456);
    stores.profiles.SetCustomColor("Mine", "Broken", kBrokenColor);

    const DirectoryList list = stores.buildFor("Mine");
    std::vector<std::uint32_t> colors;
    for (const DirectoryListRow& row : list.rows)
        colors.push_back(row.color);
    EXPECT_THAT(colors,
        ElementsAre(kLatestRevisionColor, kOlderRevisionColor, kSentRowColor, 0x123456u, kBrokenColor));

    // Without a profile only the revision counts.
    colors.clear();
    for (const DirectoryListRow& row : stores.build().rows)
        colors.push_back(row.color);
    EXPECT_THAT(colors,
        ElementsAre(kLatestRevisionColor, kOlderRevisionColor, kOlderRevisionColor, kOlderRevisionColor,
            kOlderRevisionColor));
}

TEST(DirectoryListTest, ToolTipShowsAddressDateAndCustomTextSeparatedByBlankLines)
{
    EXPECT_EQ(rowToolTip({ "A[pr1]", 0, "", "", "" }), "");
    EXPECT_EQ(rowToolTip({ "A[pr1]", 0, "", "", "http://a/" }), "http://a/");
    EXPECT_EQ(
        rowToolTip({ "A[pr1]", 0, "1 May 2020", "", "http://a/" }), "http://a/\n\nSubmitted on 1 May 2020");
    EXPECT_EQ(rowToolTip({ "A[pr1]", 0, "", "note", "http://a/" }), "http://a/\n\nnote");
    EXPECT_EQ(rowToolTip({ "A[pr1]", 0, "1 May 2020", "note", "http://a/" }),
        "http://a/\n\nSubmitted on 1 May 2020\n\nnote");

    ListStores stores(directory("Alpha", 1));
    stores.profiles.SetCustomText("Alpha", "note");
    EXPECT_EQ(stores.build().rows[0].customText, "note");
}

TEST(DirectoryListTest, RowTextsNameTheirDirectoryBeforeTheFirstBracket)
{
    EXPECT_EQ(rowDirectoryName("Example[pr4] [sent]"), "Example");
    EXPECT_EQ(rowDirectoryName("Odd [x] name[pr4]"), "Odd ");
    EXPECT_TRUE(rowShowsDirectory("Best[pr3] [sent]", "Best"));
    EXPECT_FALSE(rowShowsDirectory("Best Links[pr3]", "Best"));
    EXPECT_EQ(rowTextWithSuffix("Example[pr4] [sent]", kNotSentSuffix), "Example[pr4] [not sent]");
    EXPECT_EQ(rowTextWithSuffix("Example[pr4]", kSentSuffix), "Example[pr4] [sent]");
}

TEST(DirectoryListTest, CustomDirectoriesOfferTheirOwnAndTheMissingCategories)
{
    EXPECT_TRUE(isCustomDirectory("Arts,Custom,"));
    EXPECT_FALSE(isCustomDirectory("Customs"));
    const CategoryChoices choices =
        categoryChoices("News,Custom,Arts,", { "Arts", "Blogs", "Custom", "News", "Zoo" });
    EXPECT_THAT(choices.removable, ElementsAre("Arts", "News"));
    EXPECT_THAT(choices.addable, ElementsAre("Blogs", "Zoo"));
    EXPECT_THAT(categoryChoices("Custom", { "Custom" }).addable, IsEmpty());
    EXPECT_EQ(joinCategories({ "News", "Arts" }), "Arts,News");
}

TEST(DirectoryListTest, TheTableSortsByEveryColumnFiltersByStateAndCountsProgress)
{
    using SendingProfile::DirectoryState;
    ListStores stores(directory("Alpha", 5, R"(rating="40" linktype="nofollow" category="News")")
        + directory("Beta", 3, R"(rating="90" linktype="dofollow" category="Arts,,")")
        + directory("Gamma", 7, R"(category="Blogs")") + directory("Delta", 1, R"(rating="90")"));
    stores.sent("Alpha", "02 June 2021");
    SendingProfile::DirectoryStates(stores.profiles, stores.clock)
        .set("Mine", "Delta", "http://Delta.example/add", DirectoryState::Skipped);
    struct Case {
        DirectorySort sort;
        std::vector<std::string> names;
    };
    for (const Case& c : {
             Case { DirectorySort::RatingDescending, { "Beta", "Delta", "Alpha", "Gamma" } },
             Case { DirectorySort::RatingAscending, { "Gamma", "Alpha", "Beta", "Delta" } },
             Case { DirectorySort::LinkAscending, { "Delta", "Gamma", "Beta", "Alpha" } },
             Case { DirectorySort::CategoryDescending, { "Alpha", "Gamma", "Beta", "Delta" } },
             Case { DirectorySort::Status, { "Alpha", "Delta", "Beta", "Gamma" } },
             Case { DirectorySort::StatusReversed, { "Beta", "Gamma", "Delta", "Alpha" } },
             Case { DirectorySort::DateDescending, { "Alpha", "Delta", "Beta", "Gamma" } },
             Case { DirectorySort::DateAscending, { "Beta", "Gamma", "Delta", "Alpha" } },
         }) {
        std::vector<std::string> names;
        for (const DirectoryListRow& row : stores.buildFor("Mine", c.sort).rows)
            names.push_back(row.name);
        EXPECT_EQ(names, c.names) << static_cast<int>(c.sort);
        EXPECT_EQ(sortOf(sortColumn(c.sort), sortsDescending(c.sort)), c.sort);
    }
    EXPECT_EQ(nextDirectoryRow(stores.buildFor("Mine", DirectorySort::RatingDescending)), 0u);
    EXPECT_EQ(nextDirectoryRow(stores.buildFor("Mine", DirectorySort::Status)), 2u);

    DirectoryListQuery toDo;
    toDo.profile = "Mine";
    toDo.states = { DirectoryState::New, DirectoryState::Skipped };
    const DirectoryList list = stores.build(toDo);
    EXPECT_THAT(rowTexts(list),
        ElementsAre("Gamma[pr7] [not sent]", "Beta[pr3] [not sent]", "Delta[pr1] [not sent]"));
    EXPECT_EQ(list.total, 4);
    EXPECT_EQ(list.progress, (DirectoryProgress { 1, 0, 2 }));
    EXPECT_EQ(progressLabel(list), "Sent 1 \xC2\xB7 approved 0 \xC2\xB7 2 to do (33% of the 3 shown done)");
    EXPECT_EQ(progressLabel(stores.build()), "");
    EXPECT_TRUE(stores.messages.empty());
}

} // namespace
