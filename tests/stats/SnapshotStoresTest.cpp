#include "stats/SnapshotStores.h"

#include "profiles/ProfileStore.h"
#include "profiles/SubmissionDate.h"
#include "support/FixedClock.h"
#include "support/RecordingMessageBox.h"

#include <gtest/gtest.h>

using SendingProfile::ProfileStore;
using SendingProfile::SiteProfile;
using SendingProfile::SubmissionEntry;

namespace {

constexpr std::time_t kToday = 1614945600;

// A profile store with one profile that was sent to one directory.
class SnapshotStoresTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SiteProfile profile;
        profile.name = "Shop";
        profile.url = "http://www.example.com";
        profile.serpPhrases = { "shoes", "red socks" };
        m_profiles.SetProfile("Shop", profile);
        m_profiles.AddSubmission("Shop", "Sent", "http://sent.example/add.php", "T", "K", "D", "01 May 2020");
    }

    std::vector<SubmissionEntry> history()
    {
        std::vector<SubmissionEntry> entries;
        m_profiles.GetSubmissionHistory("Shop", entries);
        return entries;
    }

    RecordingMessageBox m_messages;
    ProfileStore m_profiles { m_messages };
    FixedClock m_clock { kToday };
};

TEST_F(SnapshotStoresTest, FoundDirectoryWithoutEntryGetsOneDatedTodayAndApproved)
{
    recordFoundApproval(m_profiles, "Shop",
        { "Found", "http://found.example/index.php?search=x", "http://found.example/add.php" }, m_clock);
    const auto entries = history();
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[1],
        (SubmissionEntry { "Found", "http://found.example/index.php?search=x",
            "<Found by Directory Crawler module>", "<Found by Directory Crawler module>",
            "<Found by Directory Crawler module>", SendingProfile::submissionDate(m_clock) }));
    EXPECT_TRUE(m_profiles.IsApproved("Shop", "Found", ""));
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(SnapshotStoresTest, FoundDirectoryWithEntryIsOnlyApproved)
{
    const auto before = history();
    // Known by its submit URL under another name: still the same entry.
    recordFoundApproval(
        m_profiles, "Shop", { "Renamed", "http://proof", "http://sent.example/add.php" }, m_clock);
    EXPECT_EQ(history(), before);
    EXPECT_TRUE(m_profiles.IsApproved("Shop", "Sent", ""));
    recordFoundApproval(m_profiles, "Shop", { "Sent", "http://proof", "" }, m_clock);
    EXPECT_EQ(history(), before);
    EXPECT_TRUE(m_messages.empty());
}

} // namespace
