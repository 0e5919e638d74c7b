#include "ProfileTestFiles.h"

#include "profiles/DirectoryStates.h"
#include "profiles/SubmissionDate.h"
#include "support/FixedClock.h"

#include <gtest/gtest.h>

using namespace SendingProfile;

namespace {

constexpr const char* kRequired = "<url>u</url><email>e</email><fname>f</fname><lname>l</lname>"
                                  "<username>n</username><password>p</password><address>a</address>"
                                  "<city>c</city><zip>z</zip><province>p</province>";

// A profile file as the program has always written it: an entry, an approved
// entry, a directory marked broken, and a custom text.
const std::string kFileOfToday =
    profilesText(std::string("<activeProfile>Mine</activeProfile><profile><name>Mine</name>") + kRequired
        + "<submittedto><friendlyname>Sent</friendlyname><url>http://s/</url><title>t</title><description>d"
          "</description><keywords>k</keywords><datetime>05 March 2021</datetime></submittedto>"
          "<submittedto "
          "approved=\"yes\"><friendlyname>Approved</friendlyname><url>http://a/</url><title>t</title>"
          "<description>d</description><keywords>k</keywords><datetime>06 March 2021</datetime></submittedto>"
          "<customcolor directory=\"Broken\">12632256</customcolor></profile>"
          "<customtext directory=\"Sent\">note</customtext>");

constexpr DirectoryState kAllStates[] = { DirectoryState::Approved, DirectoryState::Sent,
    DirectoryState::Lost, DirectoryState::Failed, DirectoryState::NeedsAccount, DirectoryState::PaidOnly,
    DirectoryState::NoForm, DirectoryState::Broken, DirectoryState::Skipped, DirectoryState::New };

DirectoryStatus status(
    DirectoryState state, std::string date = {}, std::string reason = {}, std::string address = {})
{
    return { state, std::move(date), std::move(reason), std::move(address) };
}

struct States {
    OpenedStore opened { kFileOfToday };
    FixedClock clock { 1'600'000'000 };
    DirectoryStates states { opened.store, clock };

    DirectoryStatus read(const std::string& directory) const
    {
        return states.read("Mine", directory, "http://" + directory + "/");
    }
    bool set(const std::string& directory, DirectoryState state, const std::string& reason = {},
        const std::string& address = {}) const
    {
        return states.set("Mine", directory, "http://" + directory + "/", state, reason, address);
    }
    std::size_t entries() const
    {
        std::vector<SubmissionEntry> history;
        opened.store.GetSubmissionHistory("Mine", history);
        return history.size();
    }
};

TEST(DirectoryStatesTest, AFileOfTodayGivesItsStatesAndKeepsNewOnesThroughASave)
{
    States s;
    ASSERT_TRUE(s.opened.opened);
    EXPECT_EQ(s.read("Sent"), status(DirectoryState::Sent, "05 March 2021"));
    EXPECT_EQ(s.read("Approved"), status(DirectoryState::Approved, "06 March 2021"));
    EXPECT_EQ(s.read("Broken").state, DirectoryState::Broken);
    EXPECT_EQ(s.read("Other"), DirectoryStatus {});

    const std::string today = stateDate(s.clock);
    ASSERT_TRUE(s.set("Other", DirectoryState::Failed, "Sorry, we do not list <this> & that."));
    ASSERT_TRUE(s.set("Wall", DirectoryState::NeedsAccount, "", "http://wall/login?a=1&b=2"));
    ASSERT_TRUE(s.set("Passed", DirectoryState::Skipped));
    SiteProfile before;
    ASSERT_TRUE(s.opened.store.GetProfile("Mine", before));
    ASSERT_TRUE(s.opened.store.Save(s.opened.folder.path("sv.xml")));

    // Read again as a new start would, and by the reader that knows nothing of states.
    OpenedStore reopened(s.opened.folder.read("sv.xml"));
    const DirectoryStates again(reopened.store, s.clock);
    EXPECT_EQ(again.read("Mine", "Other", ""),
        status(DirectoryState::Failed, today, "Sorry, we do not list <this> & that."));
    EXPECT_EQ(again.read("Mine", "Wall", ""),
        status(DirectoryState::NeedsAccount, today, "", "http://wall/login?a=1&b=2"));
    EXPECT_EQ(again.read("Mine", "Passed", "").state, DirectoryState::Skipped);
    EXPECT_EQ(again.read("Mine", "Sent", "").state, DirectoryState::Sent);
    SiteProfile after;
    ASSERT_TRUE(reopened.store.GetProfile("Mine", after));
    EXPECT_EQ(after, before);
    EXPECT_TRUE(s.opened.messages.empty());
    EXPECT_TRUE(reopened.messages.empty());
}

TEST(DirectoryStatesTest, WhatWasRecordedLastStands)
{
    States s;
    // A refusal after an earlier submission stands over it; the history keeps the entry.
    ASSERT_TRUE(s.set("Sent", DirectoryState::Failed, "Already listed."));
    EXPECT_EQ(s.read("Sent").state, DirectoryState::Failed);
    EXPECT_EQ(s.entries(), 2u);
    // A submission recorded later overrides failed and skipped.
    s.opened.store.AddSubmission("Mine", "Sent", "http://s/", "t", "k", "d", "07 March 2021");
    EXPECT_EQ(s.read("Sent"), status(DirectoryState::Sent, "07 March 2021"));
    ASSERT_TRUE(s.set("Later", DirectoryState::Skipped));
    s.opened.store.AddSubmission("Mine", "Later", "http://Later/", "t", "k", "d", "08 March 2021");
    EXPECT_EQ(s.read("Later").state, DirectoryState::Sent);
    // A listing found again (an approval) ends a lost one.
    ASSERT_TRUE(s.set("Approved", DirectoryState::Lost, "The page no longer links the site."));
    EXPECT_EQ(s.read("Approved").state, DirectoryState::Lost);
    EXPECT_FALSE(s.opened.store.SetApproved("Mine", "Approved", "", true));
    EXPECT_EQ(s.read("Approved").state, DirectoryState::Approved);
    EXPECT_FALSE(s.states.set("Nobody", "Sent", "", DirectoryState::Skipped));
    EXPECT_TRUE(s.opened.messages.empty());
}

TEST(DirectoryStatesTest, EveryStateCanFollowEveryOther)
{
    for (const DirectoryState from : kAllStates) {
        for (const DirectoryState to : kAllStates) {
            States s;
            ASSERT_TRUE(s.set("D", from));
            ASSERT_TRUE(s.set("D", to));
            const std::string step =
                std::string(directoryStateName(from)) + " then " + std::string(directoryStateName(to));
            EXPECT_EQ(s.read("D").state, to) << step;
            const bool fromEntry = from == DirectoryState::Sent || from == DirectoryState::Approved;
            const bool keepsEntry = to != DirectoryState::New && to != DirectoryState::Broken
                && (fromEntry || to == DirectoryState::Sent || to == DirectoryState::Approved);
            EXPECT_EQ(s.entries(), keepsEntry ? 3u : 2u) << step;
            std::uint32_t color = 0;
            EXPECT_EQ(s.opened.store.GetCustomColor("Mine", "D", color), to == DirectoryState::Broken)
                << step;
            EXPECT_EQ(directoryStateFromName(directoryStateName(to)), to);
        }
    }
}

TEST(DirectoryStatesTest, DatesOfEitherFormSortByTheirDay)
{
    EXPECT_EQ(dayOfDate("2021-03-05"), dayOfDate("05 March 2021"));
    EXPECT_EQ(dayOfDate("2021-03-06") - dayOfDate("2021-03-05"), 1);
    for (const char* notADate : { "", "unknown", "2021-02-30", "05 Marchx 2021", "2021-3-5" })
        EXPECT_EQ(dayOfDate(notADate), -1) << notADate;
    EXPECT_EQ(isoDate("05 March 2021"), "2021-03-05");
    EXPECT_EQ(isoDate("unknown"), "unknown");
    EXPECT_EQ(shownDate("2021-03-05"), "05 March 2021");
}

} // namespace
