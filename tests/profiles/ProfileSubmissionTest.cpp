#include "ProfileTestFiles.h"

#include "profiles/SubmissionDate.h"
#include "support/FixedClock.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace SendingProfile;
using ::testing::ElementsAre;

namespace {

// A store with one profile "P" (and "Other"), for the submission operations.
struct SubmissionStore : OpenedStore {
    SubmissionStore()
    {
        store.SetProfile("P", sampleProfile("P"));
        store.SetProfile("Other", sampleProfile("Other"));
    }

    std::vector<SubmissionEntry> history(const std::string& profile = "P")
    {
        std::vector<SubmissionEntry> entries;
        store.GetSubmissionHistory(profile, entries);
        return entries;
    }
};

SubmissionEntry entry(
    const std::string& name, const std::string& url, const std::string& date = "01 May 2020")
{
    return { name, url, "title", "description", "keywords", date };
}

bool add(ProfileStore& store, const std::string& name, const std::string& url,
    const std::string& date = "01 May 2020", const std::string& profile = "P")
{
    return store.AddSubmission(profile, name, url, "title", "keywords", "description", date);
}

TEST(ProfileSubmissionTest, AnEntryHoldsItsElementsInOrder)
{
    SubmissionStore s;
    ASSERT_TRUE(add(s.store, "Dir", "http://d.example/add"));
    const pugi::xml_node submitted =
        s.store.document().child("profiles").child("profile").child("submittedto");
    std::vector<std::string> names;
    for (const pugi::xml_node& child : submitted.children())
        names.push_back(std::string(child.name()) + "=" + child.child_value());
    EXPECT_THAT(names,
        ElementsAre("friendlyname=Dir", "url=http://d.example/add", "title=title", "description=description",
            "keywords=keywords", "datetime=01 May 2020"));
    EXPECT_FALSE(submitted.attribute("approved"));
    EXPECT_FALSE(add(s.store, "Dir", "http://d.example/add", "x", "Unknown profile"));
}

TEST(ProfileSubmissionTest, AddingReplacesTheEntryOfTheSameNameOrUrl)
{
    SubmissionStore s;
    ASSERT_TRUE(add(s.store, "A", "http://a.example/"));
    ASSERT_TRUE(add(s.store, "B", "http://b.example/"));
    ASSERT_TRUE(add(s.store, "A", "http://a2.example/", "02 May 2020"));
    ASSERT_TRUE(add(s.store, "B renamed", "http://b.example/", "03 May 2020"));
    EXPECT_THAT(s.history(),
        ElementsAre(entry("A", "http://a2.example/", "02 May 2020"),
            entry("B renamed", "http://b.example/", "03 May 2020")));
    EXPECT_TRUE(s.history("Other").empty());
}

TEST(ProfileSubmissionTest, AnEmptyUrlNeverStandsForAnotherDirectory)
{
    SubmissionStore s;
    ASSERT_TRUE(add(s.store, "A", ""));
    ASSERT_TRUE(s.store.SetApproved("P", "A", "", true));
    ASSERT_TRUE(add(s.store, "B", ""));
    EXPECT_THAT(s.history(), ElementsAre(entry("A", ""), entry("B", "")));
    EXPECT_FALSE(s.store.IsSubmitted("P", "C", ""));
    EXPECT_FALSE(s.store.IsApproved("P", "C", ""));
    EXPECT_FALSE(s.store.SetApproved("P", "C", "", true));
    EXPECT_FALSE(s.store.RemoveSubmission("P", "C", ""));
    EXPECT_EQ(s.history().size(), 2u);
}

TEST(ProfileSubmissionTest, SubmittedByNameOrByANonEmptyUrl)
{
    SubmissionStore s;
    ASSERT_TRUE(add(s.store, "A", "http://a.example/"));
    EXPECT_TRUE(s.store.IsSubmitted("P", "A", ""));
    EXPECT_TRUE(s.store.IsSubmitted("P", "Renamed", "http://a.example/"));
    EXPECT_FALSE(s.store.IsSubmitted("P", "Renamed", ""));
    EXPECT_FALSE(s.store.IsSubmitted("P", "a", ""));
    EXPECT_FALSE(s.store.IsSubmitted("Other", "A", "http://a.example/"));
    std::string date = "untouched";
    EXPECT_TRUE(s.store.GetSubmissionDate("P", "A", date));
    EXPECT_EQ(date, "01 May 2020");
    date = "untouched";
    EXPECT_FALSE(s.store.GetSubmissionDate("P", "Renamed", date));
    EXPECT_EQ(date, "untouched");

    EXPECT_TRUE(s.store.RemoveSubmission("P", "Renamed", "http://a.example/"));
    EXPECT_FALSE(s.store.IsSubmitted("P", "A", "http://a.example/"));
    EXPECT_FALSE(s.store.RemoveSubmission("P", "A", "http://a.example/"));
    EXPECT_TRUE(s.messages.empty());
}

TEST(ProfileSubmissionTest, ApprovalIsThePresenceOfTheAttribute)
{
    SubmissionStore s;
    ASSERT_TRUE(add(s.store, "A", "http://a.example/"));
    EXPECT_FALSE(s.store.IsApproved("P", "A", "http://a.example/"));
    EXPECT_TRUE(s.store.SetApproved("P", "Other name", "http://a.example/", true));
    EXPECT_TRUE(s.store.IsApproved("P", "A", ""));
    const pugi::xml_node submitted =
        s.store.document().child("profiles").child("profile").child("submittedto");
    EXPECT_STREQ(submitted.attribute("approved").value(), "yes");

    const std::string before = s.store.documentText();
    EXPECT_FALSE(s.store.SetApproved("P", "A", "", true));
    EXPECT_EQ(s.store.documentText(), before);

    EXPECT_TRUE(s.store.SetApproved("P", "A", "", false));
    EXPECT_FALSE(s.store.IsApproved("P", "A", "http://a.example/"));
    EXPECT_FALSE(s.store.SetApproved("P", "A", "", false));
    EXPECT_FALSE(s.store.SetApproved("P", "Missing", "http://m.example/", true));
}

TEST(ProfileSubmissionTest, AnyApprovedValueCounts)
{
    OpenedStore opened(
        profilesText("<profile><name>P</name>"
                     "<submittedto approved=\"no\"><friendlyname>A</friendlyname></submittedto>"
                     "</profile>"));
    EXPECT_TRUE(opened.store.IsApproved("P", "A", ""));
    EXPECT_FALSE(opened.store.SetApproved("P", "A", "", true));
}

TEST(ProfileSubmissionTest, UnapprovingClearsTheEntryThatCarriesTheApproval)
{
    // Two entries of one directory can only come from an edited or imported file.
    OpenedStore opened(profilesText("<profile><name>P</name>"
                                    "<submittedto><friendlyname>A</friendlyname></submittedto>"
                                    "<submittedto approved=\"\"><friendlyname>A</friendlyname></submittedto>"
                                    "</profile>"));
    EXPECT_TRUE(opened.store.IsApproved("P", "A", ""));
    EXPECT_TRUE(opened.store.SetApproved("P", "A", "", false));
    EXPECT_FALSE(opened.store.IsApproved("P", "A", ""));
}

TEST(ProfileSubmissionTest, HistoryIsAppendedInDocumentOrderWithMissingElementsEmpty)
{
    OpenedStore opened(
        profilesText("<profile><name>P</name>"
                     "<submittedto><friendlyname>B</friendlyname><datetime>d</datetime></submittedto>"
                     "<title>not an entry</title>"
                     "<submittedto><url>u</url><title>t</title></submittedto></profile>"));
    std::vector<SubmissionEntry> entries { entry("kept", "") };
    ASSERT_TRUE(opened.store.GetSubmissionHistory("P", entries));
    EXPECT_THAT(entries,
        ElementsAre(entry("kept", ""), SubmissionEntry { "B", "", "", "", "", "d" },
            SubmissionEntry { "", "u", "t", "", "", "" }));
    std::string date = "untouched";
    opened.store.AddSubmission("P", "Empty date", "", "", "", "", "");
    EXPECT_TRUE(opened.store.GetSubmissionDate("P", "Empty date", date));
    EXPECT_EQ(date, "");
}

TEST(ProfileSubmissionTest, RemovingAProfileTakesItsEntriesAndColoursButNotTheActiveName)
{
    SubmissionStore s;
    ASSERT_TRUE(s.store.SetActiveProfile("P"));
    ASSERT_TRUE(add(s.store, "A", "http://a.example/"));
    ASSERT_TRUE(s.store.SetCustomColor("P", "A", 5));
    EXPECT_TRUE(s.store.RemoveProfile("P"));
    EXPECT_FALSE(s.store.RemoveProfile("P"));
    std::string active;
    ASSERT_TRUE(s.store.GetActiveProfile(active));
    EXPECT_EQ(active, "P");
    SiteProfile profile;
    EXPECT_FALSE(s.store.GetProfile(active, profile));
    EXPECT_EQ(storeAnswers(s.store, "P", "A", "http://a.example/"), RowAnswers {});
    std::vector<std::string> names;
    s.store.GetProfileNames(names);
    EXPECT_THAT(names, ElementsAre("Other"));
}

TEST(ProfileSubmissionTest, ApostrophesAndQuotesInNamesWork)
{
    OpenedStore opened;
    ProfileStore& store = opened.store;
    const std::string profile = "Bob's \"best\" site";
    const std::string directory = "O'Reilly's \"Links\" ']";
    const std::string url = "http://x.example/?q='\"";
    ASSERT_TRUE(store.SetProfile(profile, sampleProfile(profile)));
    ASSERT_TRUE(store.AddSubmission(profile, directory, url, "t", "k", "d", "01 May 2020"));
    ASSERT_TRUE(store.SetApproved(profile, directory, url, true));
    ASSERT_TRUE(store.SetCustomColor(profile, directory, 7));
    ASSERT_TRUE(store.SetCustomColor("", directory, 8));
    ASSERT_TRUE(store.SetCustomText(directory, "it's"));
    ASSERT_TRUE(store.SetActiveProfile(profile));
    EXPECT_EQ(storeAnswers(store, profile, directory, url),
        (RowAnswers { true, true, "01 May 2020", 7u, 8u, "it's", std::nullopt }));
    EXPECT_EQ(storeAnswers(store, profile, "x", url).submitted, true);
    std::vector<std::string> names;
    store.GetProfileNames(names);
    EXPECT_THAT(names, ElementsAre(profile));
    SiteProfile read;
    EXPECT_TRUE(store.GetProfile(profile, read));
    EXPECT_THAT(read.submittedNames, ElementsAre(directory));
    EXPECT_TRUE(store.ExportProfile(profile, opened.folder.path("e.xml"), "s.xsl"));
    EXPECT_TRUE(store.RemoveCustomColor(profile, directory));
    EXPECT_TRUE(store.RemoveSubmission(profile, directory, url));
    EXPECT_TRUE(store.RemoveProfile(profile));
    EXPECT_TRUE(opened.messages.empty());
}

TEST(ProfileSubmissionTest, SubmissionDateIsTwoDigitDayMonthNameAndYear)
{
    // Noon UTC, so that every time zone still has the 5th.
    EXPECT_EQ(submissionDate(FixedClock(1614945600)), "05 March 2021");
}

} // namespace
