#include "custom/DirectoryWizardModel.h"
#include "custom/CustomCategories.h"
#include "custom/FormMappingLearner.h"
#include "custom/ProfileFieldTokens.h"
#include "filling/PlaceholderExpander.h"

#include "filling/FillingTestSupport.h"
#include "support/RecordingMessageBox.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ElementsAre;

namespace {

const std::map<std::string, std::string> kKnown {
    { "Alpha", "http://www.alpha.com/submit.php" },
    { "Beta", "http://beta.org/add" },
    { "Beta Mirror", "http://www.beta.org/other" },
};

RecordedMessage warning(std::string text)
{
    return shown(std::move(text), "Vantelo", MessageIcon::Warning);
}

DirectoryWizardModel wizardWith(const std::string& name, const std::string& address)
{
    DirectoryWizardModel wizard(kKnown, { "News" });
    wizard.setName(name);
    wizard.setAddress(address);
    return wizard;
}

TEST(DirectoryWizardModelTest, TheFirstStepChecksInOrder)
{
    struct Case {
        const char* name;
        const char* address;
        DirectoryWizardModel::Focus focus;
        const char* message;
    };
    const Case cases[] = {
        { "", "nodot", DirectoryWizardModel::Focus::Name, "Please enter a name for this directory" },
        { "Beta", "nodot", DirectoryWizardModel::Focus::Address,
            "Please enter a valid URL address (should begin with http://)" },
        { "Beta", "http://new.com", DirectoryWizardModel::Focus::Name,
            "The directory name you entered already exists in Vantelo's database: Beta "
            "(http://beta.org/add). "
            "Please choose another name" },
    };
    for (const Case& test : cases) {
        RecordingMessageBox messages;
        DirectoryWizardModel wizard = wizardWith(test.name, test.address);
        EXPECT_EQ(wizard.checkFirstStep(messages), test.focus) << test.name;
        EXPECT_THAT(messages.messages(), ElementsAre(warning(test.message)));
        EXPECT_EQ(wizard.address(), test.address);
    }
}

TEST(DirectoryWizardModelTest, ASimilarAddressIsAskedAboutAndTheAddressNormalised)
{
    RecordingMessageBox messages;
    // Capitals and another path on a known site: the first known directory of that site is named.
    DirectoryWizardModel wizard = wizardWith("Gamma", "WWW.BETA.ORG/Submit");
    EXPECT_EQ(wizard.checkFirstStep(messages), DirectoryWizardModel::Focus::Address);
    const RecordedMessage question {
        "The directory address you entered is very similar to an existing entry in the "
        "Vantelo database: Beta (http://beta.org/add). Are you sure you want to continue "
        "adding this directory?",
        "Vantelo", MessageIcon::Warning, true, MessageButtons::YesNo
    };
    EXPECT_THAT(messages.messages(), ElementsAre(question));

    messages.answerNext(MessageAnswer::Yes);
    EXPECT_EQ(wizard.checkFirstStep(messages), DirectoryWizardModel::Focus::None);
    EXPECT_EQ(wizard.address(), "http://www.beta.org/submit");

    RecordingMessageBox quiet;
    DirectoryWizardModel secure = wizardWith("Delta", "https://Delta.net");
    EXPECT_EQ(secure.checkFirstStep(quiet), DirectoryWizardModel::Focus::None);
    EXPECT_EQ(secure.address(), "https://delta.net");
    EXPECT_TRUE(quiet.empty());
}

TEST(DirectoryWizardModelTest, ProposesTheNameWhileAddingAndKeepsItWhileEditing)
{
    const DirectoryWizardModel adding(kKnown, {});
    EXPECT_EQ(adding.nameForAddress("http://www.freedir.com/submit.php"), "Freedir");
    EXPECT_EQ(adding.nameForAddress("WWW.Links.org"), "Links");
    EXPECT_EQ(adding.nameForAddress("dir"), "Dir");

    const DirectoryRecord alpha { "Alpha", 0, 3, "http://www.alpha.com/submit.php", "Custom,News,", "", {},
        {} };
    DirectoryWizardModel editing = DirectoryWizardModel::forEditing(kKnown, {}, alpha);
    EXPECT_EQ(editing.nameForAddress("http://other.com"), std::nullopt);
    EXPECT_THAT(editing.selectedCategories(), ElementsAre("Custom", "News"));
    // The directory's own name and site are not "known" to itself.
    RecordingMessageBox messages;
    EXPECT_EQ(editing.checkFirstStep(messages), DirectoryWizardModel::Focus::None);
    EXPECT_TRUE(messages.empty());
}

TEST(DirectoryWizardModelTest, SummaryPageRankAndCategories)
{
    DirectoryWizardModel wizard = wizardWith("Gamma", "http://gamma.com");
    wizard.pageRankAnswered(-1);
    EXPECT_EQ(wizard.summary(),
        "Directory Name:\t\tGamma\nDirectory Address:\thttp://gamma.com\nDirectory PR:\t\t0");
    wizard.pageRankAnswered(6);
    EXPECT_EQ(wizard.pageRank(), 6);

    std::vector<std::string>& selected = wizard.selectedCategories();
    EXPECT_TRUE(addCategoryEntry(selected, "Custom"));
    EXPECT_TRUE(addCategoryEntry(selected, "News"));
    EXPECT_FALSE(addCategoryEntry(selected, "news"));
    EXPECT_FALSE(addCategoryEntry(selected, ""));
    EXPECT_TRUE(addCategoryEntry(selected, "Arts"));
    EXPECT_EQ(removeCategoryEntry(selected, 2), 1);
    EXPECT_EQ(removeCategoryEntry(selected, 0), 0);
    EXPECT_EQ(removeCategoryEntry(selected, 5), -1);
    EXPECT_EQ(removeCategoryEntry(selected, 0), -1);
    EXPECT_TRUE(selected.empty());
}

// A submission page: a text field "email", an untouched "name", a password
// field and a check box.
FormDocumentModel submissionPage()
{
    return FormDocumentModel({ input("email"), input("name", "text", "as loaded"), input("pass", "password"),
        input("agree", "checkbox"), textArea("DESCRIPTION") });
}

std::vector<std::string> itemsOf(const FormMappingLearner& learner)
{
    std::vector<std::string> items;
    for (const DirectoryItem& entry : learner.items())
        items.push_back(entry.name + "/" + std::to_string(static_cast<int>(entry.type)) + "/"
            + std::to_string(entry.index) + "=" + entry.value);
    return items;
}

// Loads a page into the learner as the wizard does: write, then keep it.
void load(FormMappingLearner& learner, FormDocumentModel& page)
{
    learner.pageReady(learner.writeInto(page));
}

TEST(FormMappingLearnerTest, LearnsThePresetsAndWhatTheUserChanged)
{
    FormMappingLearner learner;
    FormDocumentModel page = submissionPage();
    load(learner, page);
    EXPECT_THAT(writesOf(page), ElementsAre("email=#email#", "email=#email#", "DESCRIPTION=#desc#"));
    EXPECT_TRUE(learner.armed());

    page.setChecked(*page.itemByName(ElementCollection::Inputs, "agree", 0), true);
    const std::optional<FormMappingLearner::LoadedPage> loaded = learner.disarm();
    ASSERT_TRUE(loaded);
    EXPECT_FALSE(learner.armed());
    EXPECT_FALSE(learner.disarm());
    learner.learn(page, *loaded);
    // In name order; the untouched field and the password field are not learned.
    EXPECT_THAT(
        itemsOf(learner), ElementsAre("DESCRIPTION/0/0=#desc#", "agree/2/0=true", "email/0/0=#email#"));
}

TEST(FormMappingLearnerTest, KeepsItemsThePageCannotGiveBack)
{
    FormMappingLearner learner({ item("gone", ControlType::Edit, 0, "#url#"),
        item("email", ControlType::Edit, 0, "me"), item("pass", ControlType::Edit, 0, "#password#"),
        item("name", ControlType::Edit, 0, "as loaded"), item("cat", ControlType::Select, 0, "Arts") });
    FormDocumentModel page = submissionPage();
    load(learner, page);
    // "email" is written; it gives way to what the page's difference brings only once that arrives.
    EXPECT_THAT(itemsOf(learner),
        ElementsAre(
            "gone/0/0=#url#", "email/0/0=me", "pass/0/0=#password#", "name/0/0=as loaded", "cat/1/0=Arts"));
    learner.learn(page, *learner.disarm());
    EXPECT_THAT(itemsOf(learner),
        ElementsAre("gone/0/0=#url#", "pass/0/0=#password#", "name/0/0=as loaded", "cat/1/0=Arts",
            "DESCRIPTION/0/0=#desc#", "email/0/0=me"));
}

TEST(FormMappingLearnerTest, WrittenItemsStayUntilTheDifferenceOfTheirPageArrives)
{
    // An edited directory's stored items; the description of the first page never
    // arrives (it failed, or came from the next document).
    FormMappingLearner learner(
        { item("email", ControlType::Edit, 0, "me"), item("agree", ControlType::Checkbox, 0, "true") });
    FormDocumentModel first = submissionPage();
    load(learner, first);
    ASSERT_TRUE(learner.disarm());
    EXPECT_THAT(itemsOf(learner), ElementsAre("email/0/0=me", "agree/2/0=true"));

    // The next page holds them again; the user changes one field there.
    FormDocumentModel second = submissionPage();
    load(learner, second);
    second.setValue(*second.itemByName(ElementCollection::Inputs, "email", 0), "you");
    const std::optional<FormMappingLearner::LoadedPage> leftSecond = learner.disarm();
    ASSERT_TRUE(leftSecond);

    // A third page, with only the check box, loads before the second page's description arrives.
    FormDocumentModel third({ input("agree", "checkbox"), textArea("story") });
    load(learner, third);
    learner.learn(second, *leftSecond);
    EXPECT_THAT(itemsOf(learner), ElementsAre("DESCRIPTION/0/0=#desc#", "agree/2/0=true", "email/0/0=you"));
    learner.learn(third, *learner.disarm());
    EXPECT_THAT(itemsOf(learner), ElementsAre("DESCRIPTION/0/0=#desc#", "email/0/0=you", "agree/2/0=true"));
}

TEST(FormMappingLearnerTest, ThePresetTableHoldsItsEighteenRows)
{
    const std::vector<DirectoryItem>& presets = presetFormItems();
    ASSERT_EQ(presets.size(), 18u);
    EXPECT_EQ(presets.front(), item("OWNER_NAME", ControlType::Edit, 0, "#fname# #lname#"));
    EXPECT_EQ(presets[9], item("TITLE", ControlType::Edit, 1, "#title#"));
    EXPECT_EQ(presets.back(), item("sitename", ControlType::Edit, 0, "#title#"));
}

// A placeholder the filler does not know would reach the directory's page as it
// stands, so every one the wizard writes must expand fully.
TEST(FormMappingLearnerTest, EveryPlaceholderTheWizardWritesIsOneTheFillerExpands)
{
    SendingProfile::SiteProfile profile;
    profile.url = "http://site.example/";
    profile.titles = { "Title" };
    profile.descriptions = { "Description" };
    profile.keywords = { "keywords" };
    profile.email = profile.fname = profile.lname = profile.username = profile.password = "x";
    profile.address = profile.city = profile.zip = profile.province = "x";
    ScriptedRandom random;
    const PlaceholderExpander expander(random);
    PickSlots picks;

    for (const ProfileFieldToken& field : profileFieldTokens()) {
        SCOPED_TRACE(field.displayName);
        EXPECT_EQ(expander.expand(field.token, profile, picks).find('#'), std::string::npos);
    }
    for (const DirectoryItem& preset : presetFormItems()) {
        SCOPED_TRACE(preset.name);
        EXPECT_EQ(expander.expand(preset.value, profile, picks).find('#'), std::string::npos);
    }
    EXPECT_EQ(profileFieldTokens().size(), 14u);
    EXPECT_STREQ(profileFieldTokens().front().displayName, "First Name Last Name");
}

} // namespace
