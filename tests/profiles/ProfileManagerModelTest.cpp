#include "ProfileTestFiles.h"

#include "profiles/ProfileManagerModel.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace SendingProfile;
using ::testing::ElementsAre;

namespace {

const RecordedMessage kRemoveQuestion { "Are you sure you want to permanently remove this profile?",
    "Vantelo", MessageIcon::Question, true, MessageButtons::YesNo };

struct ManagedStore : OpenedStore {
    ManagedStore()
    {
        store.SetProfile("Shop", sampleProfile("Shop"));
        store.SetProfile("Blog", sampleProfile("Blog"));
    }
};

TEST(ProfileManagerModelTest, NewProfileIsStoredAndListedOnce)
{
    ManagedStore managed;
    ProfileManagerModel manager(managed.store, managed.messages);
    EXPECT_THAT(manager.names(), ElementsAre("Shop", "Blog"));

    ProfileWizardModel wizard = manager.newProfile();
    wizard.fields().name = "Forum";
    wizard.fields().categories = "Computers";
    EXPECT_EQ(manager.store(wizard), 2);
    EXPECT_EQ(manager.store(wizard), 2);
    EXPECT_THAT(manager.names(), ElementsAre("Shop", "Blog", "Forum"));
    SiteProfile stored;
    ASSERT_TRUE(managed.store.GetProfile("Forum", stored));
    EXPECT_EQ(stored.subcategories, "Computers");
    // The wizard refuses the names listed.
    wizard = manager.newProfile();
    wizard.fields().name = "Forum";
    EXPECT_EQ(wizard.checkNamePage(), WizardFocus::Name);
}

TEST(ProfileManagerModelTest, EditingLoadsTheProfileAndStoresItUnderItsName)
{
    ManagedStore managed;
    ProfileManagerModel manager(managed.store, managed.messages);
    EXPECT_FALSE(manager.editProfile(-1));
    EXPECT_FALSE(manager.editProfile(2));

    std::optional<ProfileWizardModel> wizard = manager.editProfile(1);
    ASSERT_TRUE(wizard);
    EXPECT_TRUE(wizard->editMode());
    EXPECT_EQ(wizard->fields().name, "Blog");
    EXPECT_EQ(wizard->fields().titles, sampleProfile("Blog").titles);
    wizard->fields().titles = { "New title" };
    EXPECT_EQ(manager.store(*wizard), 1);
    EXPECT_THAT(manager.names(), ElementsAre("Shop", "Blog"));
    SiteProfile stored;
    ASSERT_TRUE(managed.store.GetProfile("Blog", stored));
    EXPECT_THAT(stored.titles, ElementsAre("New title"));

    // A profile removed behind the list's back opens nothing.
    managed.store.RemoveProfile("Shop");
    EXPECT_FALSE(manager.editProfile(0));
}

TEST(ProfileManagerModelTest, RemovingAsksFirst)
{
    ManagedStore managed;
    ProfileManagerModel manager(managed.store, managed.messages);
    EXPECT_FALSE(manager.remove(0));
    managed.messages.answerNext(MessageAnswer::Yes);
    EXPECT_TRUE(manager.remove(0));
    EXPECT_FALSE(manager.remove(1));
    EXPECT_THAT(managed.messages.messages(), ElementsAre(kRemoveQuestion, kRemoveQuestion));
    EXPECT_THAT(manager.names(), ElementsAre("Blog"));
    std::vector<std::string> names;
    managed.store.GetProfileNames(names);
    EXPECT_THAT(names, ElementsAre("Blog"));
}

} // namespace
