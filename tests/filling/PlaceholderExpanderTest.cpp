#include "FillingTestSupport.h"

#include "filling/PlaceholderExpander.h"

#include <gtest/gtest.h>

using SendingProfile::SiteProfile;

namespace {

SiteProfile fullProfile()
{
    SiteProfile profile;
    profile.url = "http://www.site.example/";
    profile.titles = { "Title A", "Title B" };
    profile.descriptions = { "Desc A", "Desc B" };
    profile.keywords = { "kw a", "kw b" };
    profile.categories = " Business , Health";
    profile.subcategories = "Consulting";
    profile.email = "me@site.example";
    profile.fname = "Ann";
    profile.lname = "Lee";
    profile.username = "ann";
    profile.password = "secret";
    profile.address = "1 Road";
    profile.city = "Town";
    profile.zip = "12345";
    profile.province = "State";
    profile.reciprocal = "http://www.site.example/links.html";
    profile.tagline = "Widgets, fast";
    profile.company = "Widget Co";
    profile.phone = "+1 555 0100";
    profile.country = "Canada";
    profile.twitter = "https://twitter.com/w";
    profile.linkedin = "https://linkedin.com/in/w";
    profile.github = "https://github.com/w";
    profile.facebook = "https://facebook.com/w";
    profile.pricing = "freemium";
    profile.founded = "2015";
    profile.tags = "a, b";
    return profile;
}

struct Expansion {
    ScriptedRandom random;
    PlaceholderExpander expander { random };
    PickSlots picks;

    std::string operator()(const std::string& text, const SiteProfile& profile)
    {
        return expander.expand(text, profile, picks);
    }
};

TEST(PlaceholderExpanderTest, EveryTokenTakesItsProfileValue)
{
    const struct {
        const char* text;
        const char* expected;
    } cases[] = {
        { "#url#", "http://www.site.example/" },
        { "#url_no_http#", "www.site.example/" },
        { "#title#", "Title A" },
        { "#desc#", "Desc A" },
        { "#keywords#", "kw a" },
        { "#cat#/#subcat#", "Business/Consulting" },
        { "#email# #fname# #lname#", "me@site.example Ann Lee" },
        { "#username#:#password#", "ann:secret" },
        { "#address#, #city# #zip# #province#", "1 Road, Town 12345 State" },
        { "#reciprocal#", "http://www.site.example/links.html" },
        { "#Title# #unknown# #url", "#Title# #unknown# #url" },
        { "#tagline# / #company# / #phone# / #country#", "Widgets, fast / Widget Co / +1 555 0100 / Canada" },
        { "#twitter# #linkedin# #github# #facebook#",
            "https://twitter.com/w https://linkedin.com/in/w https://github.com/w https://facebook.com/w" },
        { "#pricing# since #founded#: #tags#", "freemium since 2015: a, b" },
    };
    for (const auto& c : cases) {
        Expansion expand;
        EXPECT_EQ(expand(c.text, fullProfile()), c.expected) << c.text;
    }
}

TEST(PlaceholderExpanderTest, UrlWithoutHttpCutsOnlyALeadingHttpInAnyCase)
{
    const struct {
        const char* url;
        const char* expected;
    } cases[] = {
        { "http://www.site.example/", "www.site.example/" },
        { "HTTP://Site.example/a/", "Site.example/a/" },
        { "hTtP://x", "x" },
        { "https://www.site.example/", "https://www.site.example/" },
        { "www.site.example", "www.site.example" },
        { "http:/", "http:/" },
    };
    for (const auto& c : cases) {
        SiteProfile profile;
        profile.url = c.url;
        Expansion expand;
        EXPECT_EQ(expand("#url_no_http#", profile), c.expected) << c.url;
        EXPECT_EQ(expand("#url#", profile), c.url);
    }
}

TEST(PlaceholderExpanderTest, OneDrawPerTemplateAndTheSlotKeepsTheLastDraw)
{
    Expansion expand;
    expand.random.queue({ 1, 0 });
    EXPECT_EQ(expand("#title# - #title#", fullProfile()), "Title B - Title B");
    EXPECT_EQ(expand.random.draws(), 1);
    EXPECT_EQ(expand.picks.title, "Title B");

    EXPECT_EQ(expand("#title#", fullProfile()), "Title A");
    EXPECT_EQ(expand.random.draws(), 2);
    EXPECT_EQ(expand.picks, (PickSlots { "Title A", "", "" }));

    expand("#desc# #keywords#", fullProfile());
    EXPECT_EQ(expand.picks, (PickSlots { "Title A", "Desc A", "kw a" }));
}

TEST(PlaceholderExpanderTest, AnEmptyListLeavesTheTokenAndItsSlot)
{
    SiteProfile profile = fullProfile();
    profile.titles.clear();
    Expansion expand;
    expand.picks.title = "earlier";
    EXPECT_EQ(expand("#title#", profile), "#title#");
    EXPECT_EQ(expand.picks.title, "earlier");
    EXPECT_EQ(expand.random.draws(), 0);
}

TEST(PlaceholderExpanderTest, TokensInsideValuesExpandOnlyWhenTheirTurnComesLater)
{
    SiteProfile profile = fullProfile();
    profile.titles = { "#email# at #url# #title#" };
    Expansion expand;
    EXPECT_EQ(expand("#title#", profile), "me@site.example at #url# #title#");
    EXPECT_EQ(expand.picks.title, "#email# at #url# #title#");
}

TEST(PlaceholderExpanderTest, TagsFallBackToAKeywordLineAndExpansionCanGoOnAfterAToken)
{
    SiteProfile profile = fullProfile();
    profile.tags.clear();
    Expansion expand;
    expand.random.queue({ 1 });
    EXPECT_EQ(expand("#tags#", profile), "kw b");
    EXPECT_EQ(expand.picks.keywords, "kw b");
    profile.keywords.clear();
    EXPECT_EQ(expand("[#tags#]", profile), "[]");

    // What "#desc#" makes of a description that holds tokens of its own.
    EXPECT_EQ(expand.expander.expandAfter("#desc#", "#url# #title# #email#", fullProfile(), expand.picks),
        "#url# #title# me@site.example");
}

TEST(PlaceholderExpanderTest, ReciprocalTokenIsEmptyWithTheAutomaticMethod)
{
    SiteProfile profile = fullProfile();
    profile.reciprocalMethod = SendingProfile::kReciprocalAutomatic;
    Expansion expand;
    EXPECT_EQ(expand("Link page: #reciprocal#", profile), "Link page: ");
}

TEST(PlaceholderExpanderTest, CategoryTokensPreferTheImportedTextsAndNeverReachThePage)
{
    SiteProfile profile = fullProfile();
    profile.category = "Imported Cat";
    profile.subcategory = "Imported Sub";
    Expansion expand;
    EXPECT_EQ(expand("#cat#|#subcat#", profile), "Imported Cat|Imported Sub");

    profile = fullProfile();
    profile.categories = " , ,Arts";
    profile.subcategories = "";
    EXPECT_EQ(expand("[#cat#|#subcat#]", profile), "[Arts|]");
}

} // namespace
