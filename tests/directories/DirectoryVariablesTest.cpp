#include "DirectoryTestFiles.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ElementsAre;
using ::testing::Pair;

namespace {

const std::string kVariables = databaseText("rf",
    R"(<directory name="Dir One ">)"
    R"(<variable name="cat_id">)"
    R"(<cond category="Arts" subcategory="Music" value="12"/>)"
    R"(<cond category="Arts" value="10"/>)"
    R"(<cond value="1"/>)"
    R"(</variable>)"
    R"(<variable name="never"><cond category="Nothing" value="x"/></variable>)"
    R"(<variable name="no value"><cond/></variable>)"
    R"(</directory>)"
    R"(<directory name="It's &quot;quoted&quot;"><variable name="v"><cond value="q"/></variable></directory>)");

TEST(DirectoryVariablesTest, FirstMatchingConditionGivesTheValue)
{
    LoadedStore loaded(kVariables);
    std::map<std::string, std::string> variables;
    EXPECT_TRUE(loaded.store.GetVariablesForDirectory("Dir One [extra]", "Arts", "Music", variables));
    EXPECT_THAT(variables, ElementsAre(Pair("cat_id", "12")));

    variables.clear();
    loaded.store.GetVariablesForDirectory("Dir One [extra]", "Arts", "Jazz", variables);
    EXPECT_THAT(variables, ElementsAre(Pair("cat_id", "10")));

    variables.clear();
    loaded.store.GetVariablesForDirectory("Dir One [", "Science", "", variables);
    EXPECT_THAT(variables, ElementsAre(Pair("cat_id", "1")));
}

TEST(DirectoryVariablesTest, VariablesWithoutValueAreReported)
{
    LoadedStore loaded(kVariables);
    std::map<std::string, std::string> variables;
    loaded.store.GetVariablesForDirectory("Dir One [x]", "Arts", "", variables);
    EXPECT_THAT(loaded.messages.messages(),
        ElementsAre(shown("Error on variable ", "never", MessageIcon::None),
            shown("Error on variable ", "no value", MessageIcon::None)));
}

TEST(DirectoryVariablesTest, NameWithoutItsTrailingBlankFindsNothing)
{
    LoadedStore loaded(kVariables);
    std::map<std::string, std::string> variables;
    loaded.store.GetVariablesForDirectory("Dir One", "Arts", "", variables);
    EXPECT_TRUE(variables.empty());
    EXPECT_TRUE(loaded.messages.empty());
}

TEST(DirectoryVariablesTest, ApostrophesAndQuotesInNamesWork)
{
    LoadedStore loaded(kVariables);
    std::map<std::string, std::string> variables;
    loaded.store.GetVariablesForDirectory("It's \"quoted\"", "", "", variables);
    EXPECT_THAT(variables, ElementsAre(Pair("v", "q")));
    EXPECT_TRUE(loaded.messages.empty());
}

} // namespace
