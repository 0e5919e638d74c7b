#include "app/ActiveProfile.h"
#include "profiles/ProfileTestFiles.h"

#include <gtest/gtest.h>

using namespace SendingProfile;

namespace {

std::string storedActive(const ProfileStore& store)
{
    std::string name;
    store.GetActiveProfile(name);
    return name;
}

TEST(ActiveProfileTest, StartsWithTheStoredActiveProfileOnlyWhenItExists)
{
    OpenedStore stale(
        profilesText("<activeProfile>Gone</activeProfile><profile><name>Here</name></profile>"));
    ActiveProfile active;
    active.loadStored(stale.store);
    EXPECT_FALSE(active.has());
    EXPECT_EQ(active.name(), std::nullopt);

    OpenedStore present(
        profilesText("<activeProfile>Here</activeProfile><profile><name>Here</name></profile>"));
    active.loadStored(present.store);
    EXPECT_EQ(active.name(), "Here");
}

TEST(ActiveProfileTest, ChoosingAnAutomaticProfileKeepsItsStoredReciprocalPage)
{
    OpenedStore opened;
    opened.store.SetProfile("Auto", sampleProfile("Auto"));
    SiteProfile manual = sampleProfile("Manual");
    manual.reciprocalMethod = kReciprocalManual;
    opened.store.SetProfile("Manual", manual);

    ActiveProfile active;
    EXPECT_TRUE(active.applySelection(opened.store, std::string("Auto")));
    EXPECT_EQ(active.profile().reciprocal, "");
    EXPECT_EQ(storedActive(opened.store), "Auto");
    SiteProfile stored;
    opened.store.GetProfile("Auto", stored);
    EXPECT_EQ(stored.reciprocal, "http://www.example.com/links.html");

    EXPECT_FALSE(active.applySelection(opened.store, std::string("Manual")));
    EXPECT_EQ(active.profile().reciprocal, "http://www.example.com/links.html");
    // Nothing chosen while a profile is active changes nothing.
    EXPECT_FALSE(active.applySelection(opened.store, std::nullopt));
    EXPECT_EQ(active.name(), "Manual");
    EXPECT_EQ(storedActive(opened.store), "Manual");
}

TEST(ActiveProfileTest, NothingChosenWithoutAProfileClearsTheStoredName)
{
    OpenedStore opened(profilesText("<activeProfile>Gone</activeProfile>"));
    ActiveProfile active;
    active.applySelection(opened.store, std::nullopt);
    EXPECT_EQ(storedActive(opened.store), "");
}

TEST(ActiveProfileTest, AfterManagingTheProfileIsReadAgainOrTheFirstTakesItsPlace)
{
    OpenedStore opened;
    opened.store.SetProfile("B", sampleProfile("B"));
    ActiveProfile active;
    active.reloadAfterManaging(opened.store);
    EXPECT_EQ(active.name(), "B");

    SiteProfile changed = sampleProfile("B");
    changed.url = "http://changed.example/";
    opened.store.SetProfile("B", changed);
    opened.store.SetProfile("A", sampleProfile("A"));
    active.reloadAfterManaging(opened.store);
    EXPECT_EQ(active.profile().url, "http://changed.example/");

    opened.store.RemoveProfile("B");
    active.reloadAfterManaging(opened.store);
    EXPECT_EQ(active.name(), "A");
    opened.store.RemoveProfile("A");
    active.reloadAfterManaging(opened.store);
    EXPECT_FALSE(active.has());
}

} // namespace
