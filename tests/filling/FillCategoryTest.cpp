#include "FillingTestSupport.h"

#include "filling/CategoryWords.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

// A tab on a page with one category drop-down, and a profile that prefers
// "Business" and "Health" with the subcategory "Consulting".
struct CategoryPage : FillingBench {
    FormDocumentModel page;

    explicit CategoryPage(std::vector<std::string> options)
        : page({ dropDown("cat", std::move(options)) })
    {
        openDirectory("Dir", { item("cat", ControlType::Select, 0) });
        profile.categories = "Business, Health";
        profile.subcategories = "CONSULTING";
    }

    // The option chosen by one more run, or -1.
    int run()
    {
        const std::size_t before = page.writes().size();
        filler.fillCategory(page, profile, tab);
        return page.writes().size() > before ? static_cast<int>(page.writes().back().option) : -1;
    }
};

TEST(CategoryWordsTest, ListsAreTrimmedLowerCaseAndWithoutEmptyPieces)
{
    EXPECT_THAT(categoryWords(" Business ,HEALTH,, \t"), ElementsAre("business", "health", "*"));
    EXPECT_THAT(categoryWords(""), ElementsAre("*"));
    EXPECT_THAT(subcategoryWords("Web Design"), ElementsAre("web design"));
    EXPECT_THAT(subcategoryWords(" , "), IsEmpty());
}

TEST(FillCategoryTest, EachRunMovesToTheNextMatchThroughEveryWordPair)
{
    CategoryPage tab({ "Business", "|_ Business", "Consulting services", "|_ Health", "Consulting again",
        "|_ Consulting" });
    // Business round: after "|_ Business"; Health round: after "|_ Health"; "*" round:
    // every option is in a category; then the search starts over.
    std::vector<int> chosen;
    for (int i = 0; i < 6; ++i)
        chosen.push_back(tab.run());
    EXPECT_THAT(chosen, ElementsAre(2, 4, 2, 4, 5, 2));

    tab.tab.navigationStarted();
    EXPECT_EQ(tab.run(), 2);
}

TEST(FillCategoryTest, ASubcategoryOptionMustNameTheCategoryUnlessAnyCategoryIsTried)
{
    CategoryPage tab({ "Business", "|_ Consulting", "|_ Business Consulting" });
    EXPECT_EQ(tab.run(), 2);
    EXPECT_EQ(tab.run(), 1);
}

TEST(FillCategoryTest, NothingMatchingLeavesTheDropDownAndStartsOverNextTime)
{
    for (const std::vector<std::string>& options :
        { std::vector<std::string> { "Arts", "|_ Painting" }, std::vector<std::string> {} }) {
        CategoryPage tab(options);
        EXPECT_EQ(tab.run(), -1);
        EXPECT_EQ(tab.tab.category.lastOption, -1);
    }
}

TEST(FillCategoryTest, NoSubcategoriesMeansNoChoice)
{
    CategoryPage tab({ "|_ Business Consulting" });
    tab.profile.subcategories = " ,";
    EXPECT_EQ(tab.run(), -1);
    tab.profile.subcategories = "consulting";
    EXPECT_EQ(tab.run(), 0);
}

TEST(FillCategoryTest, OptionsOf511CharactersOrMoreAreSkipped)
{
    std::string longest = "|_ consulting ";
    std::string tooLong = longest;
    while (longest.size() < 510)
        longest += "x";
    // Characters, not bytes: 497 two-byte letters keep this one under the limit.
    std::string wide = "|_ consulting ";
    for (int i = 0; i < 496; ++i)
        wide += "\xC3\xA9";
    tooLong = longest + "x";

    CategoryPage tab({ tooLong, wide, longest });
    EXPECT_EQ(tab.run(), 1);
    EXPECT_EQ(tab.run(), 2);
    EXPECT_EQ(tab.run(), 1);
}

TEST(FillCategoryTest, OnlyDropDownsAreSearchedAndAStalePositionIsSafe)
{
    CategoryPage tab({ "|_ Health Consulting" });
    tab.setGeneralItems({ item("other", ControlType::Select, 0) });
    tab.page = FormDocumentModel({ input("cat"), dropDown("other", { "|_ health consulting" }) });
    tab.tab.category = { 7, 40, 9 };
    EXPECT_EQ(tab.run(), 0);
    EXPECT_THAT(writesOf(tab.page), ElementsAre("other#0"));
}

} // namespace
