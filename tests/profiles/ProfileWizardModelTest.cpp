#include "profiles/ProfileWizardModel.h"
#include "support/RecordingMessageBox.h"
#include "support/TempFolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>

using namespace SendingProfile;
using ::testing::ElementsAre;

namespace {

RecordedMessage warning(const char* text)
{
    return shown(text, "Vantelo", MessageIcon::Warning);
}

TEST(ProfileWizardModelTest, SitePageChecksUrlThenTitlesDescriptionsAndKeywords)
{
    RecordingMessageBox messages;
    ProfileWizardModel model = ProfileWizardModel::newProfile(messages, {});
    // Each step mends what the check before it named.
    const std::function<void()> mend[] = {
        [&] { model.fields().url = "http://site.example/"; },
        [&] { model.list(AlternativeList::Titles).push_back("Site"); },
        [&] { model.list(AlternativeList::Descriptions).push_back("A site"); },
        [&] { model.list(AlternativeList::Keywords).push_back("site"); },
    };
    const WizardFocus focus[] = { WizardFocus::Url, WizardFocus::AddTitle, WizardFocus::AddDescription,
        WizardFocus::AddKeywords };
    for (std::size_t step = 0; step < 4; ++step) {
        EXPECT_EQ(model.checkSitePage(), focus[step]) << step;
        mend[step]();
    }
    EXPECT_EQ(model.checkSitePage(), WizardFocus::None);
    EXPECT_THAT(messages.messages(),
        ElementsAre(warning("You must enter an url (site address) for this profile!"),
            warning("You must enter at least one title for your site!"),
            warning("You must enter at least one description for your site!"),
            warning("You must enter at least one keyword for your site!")));
}

TEST(ProfileWizardModelTest, ProductPageChecksTaglineYearAndFiles)
{
    TempFolder folder;
    const std::string picture = folder.write("logo.png", "png").string();
    const std::string huge = folder.write("huge.png", std::string(10 * 1024 * 1024 + 1, 'x')).string();
    const std::string missing = folder.path("missing.png").string();
    const struct {
        std::function<void(SiteProfile&)> change;
        WizardFocus focus;
        std::string message;
    } cases[] = {
        { [](SiteProfile&) {}, WizardFocus::None, "" },
        { [&](SiteProfile& p) { p.tagline = std::string(120, 'x'), p.founded = "1999", p.logo = picture; },
            WizardFocus::None, "" },
        { [](SiteProfile& p) { p.tagline = std::string(121, 'x'); }, WizardFocus::Tagline,
            "The tagline may be at most 120 characters long." },
        { [](SiteProfile& p) { p.founded = "99"; }, WizardFocus::Founded,
            "Please enter the year the site or company was founded, such as 2015." },
        { [&](SiteProfile& p) { p.logo = missing; }, WizardFocus::Logo,
            "This file does not exist: " + missing },
        { [&](SiteProfile& p) {
             p.screenshots = { picture, huge };
         },
            WizardFocus::Screenshots,
            "Directories take files of at most 10 MB; this one is larger: " + huge },
    };
    for (const auto& c : cases) {
        RecordingMessageBox messages;
        ProfileWizardModel model = ProfileWizardModel::newProfile(messages, {});
        c.change(model.fields());
        EXPECT_EQ(model.checkProductPage(), c.focus) << c.message;
        if (c.message.empty())
            EXPECT_TRUE(messages.empty());
        else
            EXPECT_THAT(messages.messages(), ElementsAre(warning(c.message.c_str())));
    }
}

TEST(ProfileWizardModelTest, NewProfileNeedsANameNotInUse)
{
    RecordingMessageBox messages;
    ProfileWizardModel model = ProfileWizardModel::newProfile(messages, { "Shop", "Blog" });
    EXPECT_FALSE(model.editMode());
    EXPECT_FALSE(model.skipsNamePage());
    EXPECT_EQ(model.checkNamePage(), WizardFocus::Name);
    model.fields().name = "Blog";
    EXPECT_EQ(model.checkNamePage(), WizardFocus::Name);
    model.fields().name = "blog";
    EXPECT_EQ(model.checkNamePage(), WizardFocus::None);
    EXPECT_TRUE(model.skipsNamePage());
    EXPECT_THAT(messages.messages(),
        ElementsAre(warning("You must choose a name for this profile!"),
            warning("A profile with this name exists already. Please choose another name.")));
}

TEST(ProfileWizardModelTest, NewProfileTakesItsTitlesAsPhrasesOnce)
{
    RecordingMessageBox messages;
    ProfileWizardModel model = ProfileWizardModel::newProfile(messages, {});
    EXPECT_TRUE(model.seedsSerpPhrases());
    model.fields().titles = { "Blue Widgets", "Widget Shop" };
    model.leaveSitePage();
    model.list(AlternativeList::Titles).push_back("Third");
    model.leaveSitePage();
    EXPECT_THAT(model.fields().serpPhrases, ElementsAre("Blue Widgets", "Widget Shop"));
    EXPECT_FALSE(model.seedsSerpPhrases());
}

TEST(ProfileWizardModelTest, EditedProfileKeepsItsNameAndPhrases)
{
    RecordingMessageBox messages;
    SiteProfile stored;
    stored.name = "Shop";
    stored.titles = { "Title" };
    stored.serpPhrases = { "phrase" };
    stored.subcategories = "Kept";
    ProfileWizardModel model = ProfileWizardModel::existingProfile(messages, stored);
    EXPECT_TRUE(model.editMode());
    EXPECT_TRUE(model.skipsNamePage());
    EXPECT_FALSE(model.seedsSerpPhrases());
    model.leaveSitePage();
    EXPECT_EQ(model.profile(), stored);
    // Its own name is no clash.
    EXPECT_EQ(model.checkNamePage(), WizardFocus::None);
    EXPECT_TRUE(messages.empty());
}

TEST(ProfileWizardModelTest, ContactPageAsksWithoutNameOrEmail)
{
    RecordingMessageBox messages;
    ProfileWizardModel model = ProfileWizardModel::newProfile(messages, {});
    model.fields().fname = "Ann";
    model.fields().lname = "Lee";
    model.fields().email = "ann@site.example";
    EXPECT_TRUE(model.checkContactPage());
    EXPECT_TRUE(messages.empty());

    model.fields().lname.clear();
    EXPECT_FALSE(model.checkContactPage());
    messages.answerNext(MessageAnswer::Yes);
    EXPECT_TRUE(model.checkContactPage());
    const RecordedMessage question {
        "It is recommended that you enter at least a first and last name along with "
        "an email address. Do you want to continue anyway?",
        "Vantelo - Continue?", MessageIcon::Warning, true, MessageButtons::YesNo
    };
    EXPECT_THAT(messages.messages(), ElementsAre(question, question));
}

TEST(ProfileWizardModelTest, RemovingARowSelectsTheNextOrTheNewLast)
{
    struct Case {
        int row;
        int selected;
        std::vector<std::string> left;
    };
    const Case cases[] = {
        { 0, 0, { "b", "c" } },
        { 1, 1, { "a", "c" } },
        { 2, 1, { "a", "b" } },
        { 3, -1, { "a", "b", "c" } },
        { -1, -1, { "a", "b", "c" } },
    };
    RecordingMessageBox messages;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.row);
        ProfileWizardModel model = ProfileWizardModel::newProfile(messages, {});
        model.fields().keywords = { "a", "b", "c" };
        EXPECT_EQ(model.removeRow(AlternativeList::Keywords, c.row), c.selected);
        EXPECT_EQ(model.fields().keywords, c.left);
    }
    ProfileWizardModel single = ProfileWizardModel::newProfile(messages, {});
    single.fields().descriptions = { "only" };
    EXPECT_FALSE(single.replaceRow(AlternativeList::Descriptions, 1, "x"));
    EXPECT_TRUE(single.replaceRow(AlternativeList::Descriptions, 0, "changed"));
    EXPECT_THAT(single.fields().descriptions, ElementsAre("changed"));
    EXPECT_EQ(single.removeRow(AlternativeList::Descriptions, 0), -1);
}

TEST(ProfileWizardModelTest, PhrasesAreUniqueInAnyCaseAndRemovalSelectsThePreviousOne)
{
    RecordingMessageBox messages;
    ProfileWizardModel model = ProfileWizardModel::newProfile(messages, {});
    EXPECT_TRUE(model.addSerpPhrase("blue widgets"));
    EXPECT_FALSE(model.addSerpPhrase("Blue Widgets"));
    EXPECT_FALSE(model.addSerpPhrase(""));
    EXPECT_TRUE(model.addSerpPhrase("widget shop"));
    EXPECT_TRUE(model.addSerpPhrase("cheap widgets"));
    EXPECT_THAT(model.fields().serpPhrases, ElementsAre("blue widgets", "widget shop", "cheap widgets"));

    EXPECT_EQ(model.removeSerpPhrase(2), 1);
    EXPECT_EQ(model.removeSerpPhrase(0), 0);
    EXPECT_EQ(model.removeSerpPhrase(5), -1);
    EXPECT_THAT(model.fields().serpPhrases, ElementsAre("widget shop"));
    EXPECT_EQ(model.removeSerpPhrase(0), -1);
    EXPECT_TRUE(model.fields().serpPhrases.empty());
}

} // namespace
