#include "ProfileTestFiles.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace SendingProfile;
using ::testing::ElementsAre;
using ::testing::Pair;

namespace {

const std::string kComplete =
    "<url>http://s.example/</url><email>e@s.example</email><fname>F</fname>"
    "<lname>L</lname><username>U</username><password>P</password><address>A</address>"
    "<city>C</city><zip>Z</zip><province>PR</province>";

TEST(ProfileStoreReadTest, EachMissingRequiredElementWarnsOnceAndLeavesItsField)
{
    OpenedStore opened(profilesText("<profile><name>S</name><url>http://s.example/</url><fname>F</fname>"
                                    "<lname>L</lname><username>U</username><password>P</password>"
                                    "<address>A</address><city>C</city><province>PR</province></profile>"));
    SiteProfile profile;
    profile.email = "kept@example.com";
    profile.zip = "kept zip";
    profile.city = "replaced";
    ASSERT_TRUE(opened.store.GetProfile("S", profile));
    const RecordedMessage incomplete =
        shown("Incomplete configuration file!", "Vantelo", MessageIcon::Warning);
    EXPECT_THAT(opened.messages.messages(), ElementsAre(incomplete, incomplete));
    EXPECT_EQ(profile.email, "kept@example.com");
    EXPECT_EQ(profile.zip, "kept zip");
    EXPECT_EQ(profile.city, "C");
    EXPECT_EQ(profile.url, "http://s.example/");
}

TEST(ProfileStoreReadTest, OptionalElementsReadAsEmptyAndTheMethodAsDecimal)
{
    OpenedStore opened(profilesText("<profile><name>None</name>" + kComplete
        + "</profile>"
          "<profile><name>Odd</name>"
        + kComplete
        + "<reciprocalmethod> 12abc</reciprocalmethod><categories/></profile>"
          "<profile><name>Text</name>"
        + kComplete + "<reciprocalmethod>abc</reciprocalmethod></profile>"));
    SiteProfile profile = sampleProfile("x");
    ASSERT_TRUE(opened.store.GetProfile("None", profile));
    EXPECT_EQ(profile.reciprocalMethod, 0);
    EXPECT_EQ(profile.reciprocal, "");
    EXPECT_EQ(profile.reciprocalConfig, "");
    EXPECT_EQ(profile.reciprocalPassword, "");
    EXPECT_EQ(profile.categories, "");
    EXPECT_EQ(profile.subcategories, "");
    ASSERT_TRUE(opened.store.GetProfile("Odd", profile));
    EXPECT_EQ(profile.reciprocalMethod, 12);
    ASSERT_TRUE(opened.store.GetProfile("Text", profile));
    EXPECT_EQ(profile.reciprocalMethod, 0);
    EXPECT_TRUE(opened.messages.empty());
}

TEST(ProfileStoreReadTest, ListsAndEntriesAreReadInDocumentOrderReplacingEarlierOnes)
{
    OpenedStore opened(profilesText("<profile><name>S</name>" + kComplete
        + "<title>T2</title><description>D1</description><title>T1</title><title>T2</title>"
          "<submittedto><friendlyname>Zed</friendlyname><url>http://z.example/</url></submittedto>"
          "<keywords>K1</keywords><serpphrase>P1</serpphrase>"
          "<submittedto "
          "approved=\"yes\"><friendlyname>Abc</friendlyname><url>http://a.example/</url></submittedto>"
          "</profile>"));
    SiteProfile profile = sampleProfile("stale");
    profile.submittedNames = { "Stale" };
    profile.submittedUrls = { { "Stale", "http://stale.example/" } };
    profile.category = "kept category";
    ASSERT_TRUE(opened.store.GetProfile("S", profile));
    EXPECT_EQ(profile.name, "S");
    EXPECT_THAT(profile.titles, ElementsAre("T2", "T1", "T2"));
    EXPECT_THAT(profile.descriptions, ElementsAre("D1"));
    EXPECT_THAT(profile.keywords, ElementsAre("K1"));
    EXPECT_THAT(profile.serpPhrases, ElementsAre("P1"));
    EXPECT_THAT(profile.submittedNames, ElementsAre("Abc", "Zed"));
    EXPECT_THAT(profile.submittedUrls,
        ElementsAre(Pair("Abc", "http://a.example/"), Pair("Zed", "http://z.example/")));
    EXPECT_EQ(profile.category, "kept category");
}

TEST(ProfileStoreReadTest, NamesComeInDocumentOrderAndUnknownProfilesAreNotFound)
{
    OpenedStore opened(
        profilesText("<activeProfile>B</activeProfile><profile><name>Zeta</name></profile>"
                     "<customtext directory=\"x\">t</customtext><profile><name>Alpha</name></profile>"
                     "<profile><name>it's</name></profile>"));
    std::vector<std::string> names { "stale" };
    ASSERT_TRUE(opened.store.GetProfileNames(names));
    EXPECT_THAT(names, ElementsAre("Zeta", "Alpha", "it's"));
    SiteProfile profile = sampleProfile("untouched");
    EXPECT_FALSE(opened.store.GetProfile("B", profile));
    EXPECT_EQ(profile, sampleProfile("untouched"));
    EXPECT_TRUE(opened.messages.empty());
}

TEST(ProfileStoreReadTest, ActiveProfileNeedsATextNode)
{
    OpenedStore opened;
    std::string name = "untouched";
    EXPECT_FALSE(opened.store.GetActiveProfile(name));
    EXPECT_EQ(name, "untouched");
    ASSERT_TRUE(opened.store.SetActiveProfile("Mine"));
    ASSERT_TRUE(opened.store.GetActiveProfile(name));
    EXPECT_EQ(name, "Mine");

    // A file without the element gets one at the end of the root.
    OpenedStore without(profilesText("<profile><name>A</name></profile>"));
    EXPECT_FALSE(without.store.GetActiveProfile(name));
    ASSERT_TRUE(without.store.SetActiveProfile("A"));
    EXPECT_STREQ(without.store.document().child("profiles").last_child().name(), "activeProfile");
}

TEST(ProfileStoreReadTest, ADocumentWithoutProfilesElementReportsChanges)
{
    OpenedStore opened("<settings><activeProfile>A</activeProfile></settings>");
    ASSERT_TRUE(opened.opened);
    std::string active;
    EXPECT_TRUE(opened.store.GetActiveProfile(active));
    EXPECT_EQ(active, "A");
    EXPECT_FALSE(opened.store.SetProfile("A", sampleProfile("A")));
    EXPECT_FALSE(opened.store.SetCustomText("D", "t"));
    EXPECT_FALSE(opened.store.SetCustomColor("", "D", 1));
    EXPECT_EQ(opened.messages.texts(),
        (std::vector<std::string> {
            "An error occurred while modifing profile: the document has no \"profiles\" element",
            "An error occurred while retrieving a directory custom text: the document has no \"profiles\" "
            "element",
            "An error occurred while retrieving a directory color: the document has no \"profiles\" "
            "element" }));
    // Nothing was changed, so saving writes the file back as it was read.
    EXPECT_EQ(opened.store.documentText(),
        "<?xml version=\"1.0\"?>\n<settings>\n\t<activeProfile>A</activeProfile>\n</settings>\n");
}

} // namespace
