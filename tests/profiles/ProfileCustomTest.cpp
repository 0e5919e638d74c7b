#include "ProfileTestFiles.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace SendingProfile;

namespace {

int countElements(const pugi::xml_node& parent, const char* name)
{
    int count = 0;
    for (const pugi::xml_node& child : parent.children(name)) {
        (void)child;
        ++count;
    }
    return count;
}

TEST(ProfileCustomTest, ProfileAndGlobalColoursAreSeparateAndNeverFallBack)
{
    OpenedStore opened;
    ProfileStore& store = opened.store;
    ASSERT_TRUE(store.SetProfile("P", sampleProfile("P")));
    ASSERT_TRUE(store.SetCustomColor("", "Dir", 12632256));
    std::uint32_t color = 99;
    EXPECT_FALSE(store.GetCustomColor("P", "Dir", color));
    EXPECT_EQ(color, 99u);
    ASSERT_TRUE(store.GetCustomColor("", "Dir", color));
    EXPECT_EQ(color, 12632256u);
    EXPECT_STREQ(store.document().child("profiles").child("customcolor").child_value(), "12632256");

    ASSERT_TRUE(store.SetCustomColor("P", "Dir", 1));
    ASSERT_TRUE(store.SetCustomColor("P", "Dir", 2));
    const pugi::xml_node profile = store.document().child("profiles").child("profile");
    EXPECT_EQ(countElements(profile, "customcolor"), 1);
    ASSERT_TRUE(store.GetCustomColor("P", "Dir", color));
    EXPECT_EQ(color, 2u);

    EXPECT_TRUE(store.RemoveCustomColor("P", "Dir"));
    EXPECT_FALSE(store.RemoveCustomColor("P", "Dir"));
    EXPECT_TRUE(store.GetCustomColor("", "Dir", color));
    EXPECT_TRUE(store.RemoveCustomColor("", "Dir"));
    EXPECT_FALSE(store.GetCustomColor("", "Dir", color));
    EXPECT_TRUE(opened.messages.empty());
}

TEST(ProfileCustomTest, AColourForAnUnknownProfileIsNotStored)
{
    OpenedStore opened;
    const std::string before = opened.store.documentText();
    EXPECT_FALSE(opened.store.SetCustomColor("Nobody", "Dir", 3));
    EXPECT_EQ(opened.store.documentText(), before);
    EXPECT_TRUE(opened.messages.empty());
}

TEST(ProfileCustomTest, CustomTextsAreGlobalAndReplacedInPlace)
{
    OpenedStore opened(profilesText("<customtext directory=\"Empty\"/>"));
    ProfileStore& store = opened.store;
    std::string text = "untouched";
    EXPECT_FALSE(store.GetCustomText("Empty", text));
    EXPECT_FALSE(store.GetCustomText("Dir", text));
    EXPECT_EQ(text, "untouched");
    ASSERT_TRUE(store.SetCustomText("Dir", "first"));
    ASSERT_TRUE(store.SetCustomText("Dir", "second & <more>"));
    ASSERT_TRUE(store.GetCustomText("Dir", text));
    EXPECT_EQ(text, "second & <more>");
    EXPECT_EQ(countElements(store.document().child("profiles"), "customtext"), 2);
    ASSERT_TRUE(store.SetCustomText("Empty", "filled"));
    ASSERT_TRUE(store.GetCustomText("Empty", text));
    EXPECT_EQ(text, "filled");
    EXPECT_TRUE(opened.messages.empty());
}

} // namespace
