#include "DirectoryListTestData.h"

#include "app/DirectoryRowMarks.h"
#include "app/RowColors.h"
#include "filling/PageFiller.h"
#include "filling/PickSlots.h"
#include "profiles/SubmissionDate.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ElementsAre;

namespace {

// The list of the profile "Mine" over a database of two directories, with the marks.
struct MarkedList : ListStores {
    DirectoryRowMarks marks { directories, profiles, clock };
    DirectoryList list;
    const std::string today = SendingProfile::submissionDate(clock);

    MarkedList()
        : ListStores(
            R"(<latestrevision no="2"/><directory name="Alpha" pr="5" revision="2" submiturl="http://a.example/add"/>)"
            R"(<directory name="Best" pr="4" submiturl="http://b.example/add"/>)"
            R"(<directory name="Best Links" pr="3" submiturl="http://bl.example/add"/>)")
    {
        rebuild();
    }

    void rebuild() { list = buildFor("Mine"); }

    std::vector<SendingProfile::SubmissionEntry> history()
    {
        std::vector<SendingProfile::SubmissionEntry> entries;
        profiles.GetSubmissionHistory("Mine", entries);
        return entries;
    }
};

TEST(DirectoryRowMarksTest, MarkAsSentRecordsTheTabsPicksOnceAndASecondMarkChangesNothing)
{
    MarkedList marked;
    marked.marks.markSent(marked.list, 0, "Mine", PickSlots { "Title", "Description", "Keywords" });
    EXPECT_EQ(marked.list.rows[0],
        (DirectoryListRow { "Alpha[pr5] [sent]", kSentRowColor, marked.today, "", "http://a.example/add",
            "Alpha", -1, "", 5, { SendingProfile::DirectoryState::Sent, marked.today, "", "" } }));
    EXPECT_EQ(marked.list.sentCount, 1);
    EXPECT_THAT(marked.history(),
        ElementsAre(SendingProfile::SubmissionEntry {
            "Alpha", "http://a.example/add", "Title", "Description", "Keywords", marked.today }));

    marked.marks.markSent(marked.list, 0, "Mine", PickSlots { "Other", "", "" });
    EXPECT_EQ(marked.list.sentCount, 1);
    EXPECT_EQ(marked.history().size(), 1u);
    EXPECT_TRUE(marked.messages.empty());
}

TEST(DirectoryRowMarksTest, UnsentAndBrokenForgetTheEntryAndOnlyBrokenGreysTheRowForThisProfile)
{
    MarkedList marked;
    marked.profiles.SetCustomColor({}, "Best", 0x0000FF);
    marked.marks.markSent(marked.list, 1, "Mine", {});
    EXPECT_EQ(marked.list.rows[1].color, 0x0000FFu);

    marked.marks.markBroken(marked.list, 1, "Mine");
    EXPECT_EQ(marked.list.rows[1].text, "Best[pr4] [not sent]");
    EXPECT_EQ(marked.list.rows[1].color, kBrokenColor);
    EXPECT_EQ(marked.list.rows[1].date, "");
    EXPECT_EQ(marked.list.sentCount, 0);
    marked.rebuild();
    EXPECT_EQ(marked.list.rows[1].color, kBrokenColor);
    EXPECT_EQ(marked.buildFor("Other").rows[1].color, 0x0000FFu);

    // Unsent takes the broken mark back even though nothing was sent.
    marked.marks.markUnsent(marked.list, 1, "Mine");
    EXPECT_EQ(marked.list.rows[1].color, 0x0000FFu);
    EXPECT_EQ(marked.list.sentCount, 0);
    marked.marks.markUnsent(marked.list, 0, "Mine");
    EXPECT_EQ(marked.list.rows[0].color, kLatestRevisionColor);
}

TEST(DirectoryRowMarksTest, ApprovalMarksNeedAnEntry)
{
    MarkedList marked;
    marked.marks.markApproved(marked.list, 0, "Mine");
    EXPECT_EQ(marked.list.rows[0].text, "Alpha[pr5] [not sent]");
    marked.marks.markSent(marked.list, 0, "Mine", {});
    marked.marks.markApproved(marked.list, 0, "Mine");
    EXPECT_EQ(marked.list.rows[0].text, "Alpha[pr5] [approved]");
    EXPECT_TRUE(marked.profiles.IsApproved("Mine", "Alpha", ""));
    marked.marks.markUnapproved(marked.list, 0, "Mine");
    EXPECT_EQ(marked.list.rows[0].text, "Alpha[pr5] [sent]");
    EXPECT_EQ(marked.list.sentCount, 1);
}

TEST(DirectoryRowMarksTest, DirectoryColourAndTextStayForEveryProfile)
{
    MarkedList marked;
    marked.marks.setCustomColor(marked.list, 2, 0x00AA00);
    marked.marks.setCustomText(marked.list, 2, "paid only");
    EXPECT_EQ(marked.list.rows[2].color, 0x00AA00u);
    EXPECT_EQ(marked.buildFor("Other").rows[2].customText, "paid only");
    EXPECT_EQ(marked.buildFor("Other").rows[2].color, 0x00AA00u);

    marked.marks.removeCustomColor(marked.list, 2, std::string("Mine"));
    EXPECT_EQ(marked.list.rows[2].color, kOlderRevisionColor);
    marked.marks.markSent(marked.list, 2, "Mine", {});
    marked.marks.setCustomColor(marked.list, 2, 0x00AA00);
    marked.marks.removeCustomColor(marked.list, 2, std::string("Mine"));
    EXPECT_EQ(marked.list.rows[2].color, kSentRowColor);
}

TEST(DirectoryRowMarksTest, AConfirmedSubmissionMarksTheRowOfExactlyThatDirectory)
{
    MarkedList marked;
    SubmissionOutcome outcome;
    outcome.newEntry =
        SendingProfile::SubmissionEntry { "Best", "http://b.example/add", "T", "D", "K", "01 May 2020" };
    outcome.date = "01 May 2020";
    outcome.rowColor = kSentRowColor;
    EXPECT_EQ(marked.marks.recordSubmission(marked.list, "Mine", "Best", outcome), 1u);
    EXPECT_EQ(marked.list.rows[1].text, "Best[pr4] [sent]");
    EXPECT_EQ(marked.list.rows[1].date, "01 May 2020");
    EXPECT_EQ(marked.list.rows[2].text, "Best Links[pr3] [not sent]");
    EXPECT_EQ(marked.list.sentCount, 1);
    EXPECT_TRUE(marked.profiles.IsSubmitted("Mine", "Best", ""));

    // Known already (no new entry), or not in the list: nothing is counted again.
    outcome.newEntry.reset();
    outcome.rowColor.reset();
    EXPECT_EQ(marked.marks.recordSubmission(marked.list, "Mine", "Best", outcome), 1u);
    EXPECT_EQ(marked.list.rows[1].color, kSentRowColor);
    EXPECT_EQ(marked.marks.recordSubmission(marked.list, "Mine", "Gone", outcome), std::nullopt);
    EXPECT_EQ(marked.list.sentCount, 1);
}

TEST(DirectoryRowMarksTest, StatesChangeTheRowCountsAndProgressAsARebuildWould)
{
    using SendingProfile::DirectoryState;
    MarkedList marked;
    DirectoryList& list = marked.list;
    const auto expectAsRebuilt = [&](const char* step) {
        const DirectoryList rebuilt = marked.buildFor("Mine");
        EXPECT_EQ(list.rows, rebuilt.rows) << step;
        EXPECT_EQ(list.sentCount, rebuilt.sentCount) << step;
        EXPECT_EQ(list.progress, rebuilt.progress) << step;
    };
    marked.marks.markSent(list, 0, "Mine", {});
    EXPECT_TRUE(marked.marks.markState(list, 0, "Mine", DirectoryState::Skipped));
    EXPECT_EQ(list.rows[0].status.state, DirectoryState::Skipped);
    expectAsRebuilt("skipping a directory sent to");
    EXPECT_TRUE(marked.marks.markState(list, 0, "Mine", DirectoryState::New));
    EXPECT_EQ(list.rows[0].text, "Alpha[pr5] [not sent]");
    expectAsRebuilt("back to to do");
    EXPECT_EQ(marked.marks.markDirectory(list, "Mine", "Best", DirectoryState::Failed, "No."), 1u);
    EXPECT_EQ(list.rows[1].status.reason, "No.");
    expectAsRebuilt("a refusal");
    marked.marks.markSent(list, 1, "Mine", {});
    EXPECT_EQ(list.rows[1].status.state, DirectoryState::Sent);
    marked.marks.markBroken(list, 2, "Mine");
    EXPECT_EQ(list.rows[2].status.state, DirectoryState::Broken);
    expectAsRebuilt("marks of old");
    EXPECT_EQ(list.progress, (DirectoryProgress { 1, 0, 1 }));

    // A directory the filtered list does not show is still counted.
    DirectoryListQuery toDo;
    toDo.profile = "Mine";
    toDo.states = { DirectoryState::New };
    list = marked.build(toDo);
    EXPECT_EQ(marked.marks.markDirectory(list, "Mine", "Best", DirectoryState::New), std::nullopt);
    EXPECT_EQ(list.progress, marked.build(toDo).progress);
    EXPECT_TRUE(marked.messages.empty());
}

} // namespace
