#include "checker/ReviewSave.h"

#include "CheckerTestSupport.h"
#include "support/RecordingMessageBox.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

// Answers the review and the file dialog as prepared, and notes what it was asked.
class ScriptedHost : public IReviewHost {
public:
    std::optional<ReviewSelection> showReview(const CheckResults&, bool openedFromCommandLine) override
    {
        reviewedFromCommandLine = openedFromCommandLine;
        return selection;
    }
    std::optional<std::filesystem::path> chooseSaveFile(const std::filesystem::path& offered) override
    {
        offers.push_back(offered);
        return target;
    }

    std::optional<ReviewSelection> selection;
    std::optional<std::filesystem::path> target;
    std::optional<bool> reviewedFromCommandLine;
    std::vector<std::filesystem::path> offers;
};

class ReviewSaveTest : public ::testing::Test {
protected:
    void load(const std::string& bytes)
    {
        m_file = m_folder.write("custom.xml", bytes);
        ASSERT_TRUE(m_backend.LoadDatabase(m_file, m_messages));
    }

    SaveOutcome saveFromCommandLine(const ReviewSelection& selection)
    {
        m_host.selection = selection;
        return reviewAndSave(m_backend, m_results, m_file, m_host, m_messages);
    }

    TempFolder m_folder;
    RecordingMessageBox m_messages;
    CDirectoryBackend m_backend;
    ScriptedHost m_host;
    std::filesystem::path m_file;
    CheckResults m_results { { { u"Dup", u"http://dup.example/", 0, 6 }, { u"Unknown", u"u", 1, 2 } },
        { { u"Dup", u"http://dup.example/" }, { u"Kept", u"k" }, { u"Other", u"o" } } };
};

TEST_F(ReviewSaveTest, ChosenChangesGoToTheFirstDirectoryOfTheirName)
{
    load(databaseOf(
        { { "Dup", "a", "1" }, { "Kept", "k", "-", "true" }, { "Other", "o" }, { "Dup", "b", "1" } }));
    EXPECT_EQ(saveFromCommandLine({ { true, true }, { true, false, false } }), SaveOutcome::Saved);
    EXPECT_EQ(m_host.reviewedFromCommandLine, true);
    EXPECT_TRUE(m_host.offers.empty());
    // Unchosen rows keep the enabled state as it was, with or without the attribute.
    EXPECT_EQ(m_folder.read("custom.xml"),
        databaseOf({ { "Dup", "a", "6", "false" }, { "Kept", "k", "-", "true" }, { "Other", "o" },
            { "Dup", "b", "1" } }));
    EXPECT_TRUE(m_messages.empty());
    EXPECT_STREQ(saveStatusText(SaveOutcome::Saved), "Successfully saved directory database");
}

TEST_F(ReviewSaveTest, NothingChosenRewritesTheFileUnchanged)
{
    const std::string original =
        databaseOf({ { "Dup", "a", "1" }, { "Kept", "k" }, { "Other", "o", "-", "false" } });
    load(original);
    struct stat before { };
    ::stat(m_file.c_str(), &before);
    EXPECT_EQ(saveFromCommandLine(ReviewSelection::all(m_results, false)), SaveOutcome::Saved);
    struct stat after { };
    ::stat(m_file.c_str(), &after);
    EXPECT_EQ(m_folder.read("custom.xml"), original);
    EXPECT_NE(before.st_ino, after.st_ino); // replaced whole, not written over
    EXPECT_EQ(m_folder.entries(), std::vector<std::string> { "custom.xml" });
}

TEST_F(ReviewSaveTest, CancellingTheReviewOrTheFileDialogChangesNothing)
{
    const std::string original = databaseOf({ { "Dup", "a", "1" } });
    load(original);
    EXPECT_EQ(reviewAndSave(m_backend, m_results, std::nullopt, m_host, m_messages), SaveOutcome::Cancelled);
    EXPECT_TRUE(m_host.offers.empty());

    m_host.selection = ReviewSelection::all(m_results);
    EXPECT_EQ(reviewAndSave(m_backend, m_results, std::nullopt, m_host, m_messages), SaveOutcome::Cancelled);
    EXPECT_EQ(m_host.reviewedFromCommandLine, false);
    EXPECT_EQ(m_host.offers, std::vector<std::filesystem::path> { m_folder.path("dirdata.xml") });
    EXPECT_EQ(m_backend.fileBytes(), original);
    EXPECT_TRUE(m_messages.empty());
    EXPECT_STREQ(saveStatusText(SaveOutcome::Cancelled), "");
}

TEST_F(ReviewSaveTest, FailedSaveIsReportedAndKeepsTheChangesForTheNextSave)
{
    load(databaseOf({ { "Dup", "a", "1" } }));
    m_host.selection = ReviewSelection::all(m_results);
    m_host.target = m_folder.path("missing/dirdata.xml");
    EXPECT_EQ(reviewAndSave(m_backend, m_results, std::nullopt, m_host, m_messages), SaveOutcome::Failed);
    EXPECT_EQ(m_messages.messages(),
        std::vector<RecordedMessage> { shown("Failed to save directory database. Please check you have "
                                             "sufficient permissions",
            "Vantelo DB checker", MessageIcon::Warning) });
    EXPECT_STREQ(saveStatusText(SaveOutcome::Failed), "Failed to saved directory database");

    m_host.selection = ReviewSelection::all(m_results, false);
    m_host.target = m_folder.path("dirdata.xml");
    EXPECT_EQ(reviewAndSave(m_backend, m_results, std::nullopt, m_host, m_messages), SaveOutcome::Saved);
    EXPECT_EQ(m_folder.read("dirdata.xml"), databaseOf({ { "Dup", "a", "6", "false" } }));
}

} // namespace
