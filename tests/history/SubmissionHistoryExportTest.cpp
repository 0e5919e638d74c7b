#include "history/SubmissionHistoryExport.h"
#include "ExternalTools.h"
#include "HistoryTestData.h"
#include "history/SubmissionWorkbook.h"
#include "profiles/ProfileStore.h"
#include "support/RecordingMessageBox.h"
#include "support/TempFolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::StartsWith;

namespace {

constexpr const char* kSpreadsheetDone = "The current profile has been successfully exported.";
constexpr const char* kSpreadsheetFailed =
    "An exception was thrown while exporting the submission history. This may be caused by special "
    "characters in "
    "the fields of your profile. Please save your submission report in XML format or contact support for "
    "resolution. The specific error details are:\r\n\t";
constexpr const char* kXmlDone = "The current profile has been successfully exported. If you wish to move "
                                 "the report to another PC be sure to "
                                 "move the submission.xsl file that was generated in the same directory.";

struct ExportFixture {
    TempFolder folder;
    RecordingMessageBox messages;
    SendingProfile::ProfileStore profiles { messages };
    SubmissionHistoryExport exporter { profiles, messages };

    ExportFixture() { profiles.Open(folder.write("sv.xml", historyProfilesText())); }
};

std::vector<std::string> rowValues(const nlohmann::json& row)
{
    std::vector<std::string> values;
    // An empty text is an empty cell; every other value must be a text cell.
    for (const nlohmann::json& cell : row) {
        if (cell["value"].is_null()) {
            values.emplace_back();
            continue;
        }
        EXPECT_EQ(cell["type"], "s") << cell.dump();
        values.push_back(cell["value"].get<std::string>());
    }
    return values;
}

TEST(SubmissionHistoryExportTest, TheWorkbookHoldsTheHistoryAsTextInOrderWithApostrophesUnchanged)
{
    if (!canReadWorkbooks())
        GTEST_SKIP() << "python3 with openpyxl is not installed (scripts/install-deps)";
    ExportFixture fixture;
    const auto target = fixture.folder.write("out/history.xlsx", "an older file");
    const std::string listed = historyEntries().front().friendlyName;
    ASSERT_TRUE(fixture.profiles.setListing(kHistoryProfile, listed,
        { SendingProfile::ListingState::Listed, "http://dir.example/entry", "http://site/", "nofollow", true,
            "", "" }));
    ASSERT_TRUE(fixture.exporter.exportSpreadsheet(kHistoryProfile, target));
    EXPECT_THAT(fixture.messages.messages(),
        ElementsAre(shown(kSpreadsheetDone, "Vantelo", MessageIcon::Information)));
    EXPECT_EQ(fixture.folder.entries(), (std::vector<std::string> { "out", "sv.xml" }));

    const std::optional<nlohmann::json> book = readWorkbook(target);
    ASSERT_TRUE(book);
    ASSERT_EQ((*book)["sheets"].size(), 1U);
    const nlohmann::json& sheet = (*book)["sheets"][0];
    EXPECT_EQ(sheet["name"], kHistorySheet);
    const nlohmann::json& rows = sheet["rows"];
    ASSERT_EQ(rows.size(), historyEntries().size() + 1);
    EXPECT_THAT(rowValues(rows[0]),
        ElementsAre("Directory", "URL", "Title", "Description", "Keywords", "Date_Submitted", "Listing_Page",
            "Link_Followed"));
    const std::vector<SendingProfile::SubmissionEntry> entries = historyEntries();
    for (std::size_t index = 0; index < entries.size(); ++index) {
        const SendingProfile::SubmissionEntry& entry = entries[index];
        const bool isListed = entry.friendlyName == listed;
        EXPECT_THAT(rowValues(rows[index + 1]),
            ElementsAre(entry.friendlyName, entry.url, entry.title, entry.description, entry.keywords,
                entry.datetime, isListed ? "http://dir.example/entry" : "", isListed ? "no" : ""));
    }
}

TEST(SubmissionHistoryExportTest, AFailedWorkbookLeavesNoTargetAndGivesTheLibrarysReason)
{
    ExportFixture fixture;
    const auto target = fixture.folder.write("history.xlsx", "an older file");
    // Longer than a cell may hold.
    const std::vector<SendingProfile::SubmissionEntry> entries { { "Big", "u", std::string(40000, 't'), "",
        "", "" } };
    EXPECT_TRUE(writeSubmissionWorkbook(target, "Sheet", entries).has_value());
    EXPECT_EQ(fixture.folder.read("history.xlsx"), "an older file")
        << "the writer alone never touches the target";

    fixture.profiles.AddSubmission(kHistoryProfile, "Big", "u", std::string(40000, 't'), "", "", "");
    EXPECT_FALSE(fixture.exporter.exportSpreadsheet(kHistoryProfile, target));
    EXPECT_FALSE(fixture.folder.exists("history.xlsx"));
    ASSERT_EQ(fixture.messages.messages().size(), 1U);
    EXPECT_THAT(fixture.messages.messages()[0].text, StartsWith(kSpreadsheetFailed));
    EXPECT_GT(fixture.messages.messages()[0].text.size(), std::string(kSpreadsheetFailed).size());
    EXPECT_EQ(fixture.messages.messages()[0].icon, MessageIcon::Error);
    EXPECT_EQ(fixture.folder.entries(), (std::vector<std::string> { "sv.xml" }))
        << "no temporary file is left";
}

TEST(SubmissionHistoryExportTest, AWorkbookInAMissingFolderFailsWithAMessage)
{
    ExportFixture fixture;
    EXPECT_FALSE(
        fixture.exporter.exportSpreadsheet(kHistoryProfile, fixture.folder.path("missing/history.xlsx")));
    ASSERT_EQ(fixture.messages.messages().size(), 1U);
    EXPECT_THAT(fixture.messages.messages()[0].text, StartsWith(kSpreadsheetFailed));
    EXPECT_FALSE(fixture.folder.exists("missing"));
}

TEST(SubmissionHistoryExportTest, TheXmlReportNamesTheStyleSheetAndGetsACopyBesideIt)
{
    ExportFixture fixture;
    const auto styleSheet = fixture.folder.write("program/submission.xsl", "<shipped/>");
    const auto target = fixture.folder.path("reports/history.xml");
    std::filesystem::create_directories(target.parent_path());
    ASSERT_TRUE(fixture.exporter.exportXml(kHistoryProfile, target, styleSheet));
    EXPECT_THAT(
        fixture.messages.messages(), ElementsAre(shown(kXmlDone, "Vantelo", MessageIcon::Information)));
    const std::string report = fixture.folder.read("reports/history.xml");
    EXPECT_THAT(report, HasSubstr("<?xml-stylesheet type=\"text/xsl\" href=\"submission.xsl\"?>"));
    EXPECT_THAT(report, HasSubstr("<name>My site.com v2</name>"));
    EXPECT_EQ(fixture.folder.read("reports/submission.xsl"), "<shipped/>");
}

TEST(SubmissionHistoryExportTest, AStyleSheetAlreadyBesideTheReportIsKept)
{
    ExportFixture fixture;
    const auto styleSheet = fixture.folder.write("program/submission.xsl", "<shipped/>");
    fixture.folder.write("reports/submission.xsl", "<mine/>");
    ASSERT_TRUE(
        fixture.exporter.exportXml(kHistoryProfile, fixture.folder.path("reports/history.xml"), styleSheet));
    EXPECT_EQ(fixture.folder.read("reports/submission.xsl"), "<mine/>");
    EXPECT_EQ(fixture.messages.messages().size(), 1U);
}

TEST(SubmissionHistoryExportTest, AMissingStyleSheetIsSaidAfterTheReportIsWritten)
{
    ExportFixture fixture;
    ASSERT_TRUE(fixture.exporter.exportXml(
        kHistoryProfile, fixture.folder.path("history.xml"), fixture.folder.path("nowhere/submission.xsl")));
    EXPECT_TRUE(fixture.folder.exists("history.xml"));
    ASSERT_EQ(fixture.messages.messages().size(), 2U);
    EXPECT_EQ(fixture.messages.messages()[0].text, kXmlDone);
    EXPECT_THAT(fixture.messages.messages()[1].text, HasSubstr("submission.xsl could not be placed"));
    EXPECT_EQ(fixture.messages.messages()[1].icon, MessageIcon::Warning);
}

TEST(SubmissionHistoryExportTest, AnUnknownProfileGivesTheExportFailure)
{
    ExportFixture fixture;
    EXPECT_FALSE(
        fixture.exporter.exportXml("Nobody", fixture.folder.path("history.xml"), shippedStyleSheet()));
    EXPECT_FALSE(fixture.folder.exists("history.xml"));
    EXPECT_EQ(fixture.messages.messages().back(),
        shown("An error occurred while exporting the current profile", "Vantelo", MessageIcon::Error));
}

TEST(SubmissionHistoryExportTest, TheStyleSheetOfTheDataFolderComesBeforeTheShippedOne)
{
    TempFolder folder;
    const auto shipped = folder.write("bin/submission.xsl", "shipped");
    EXPECT_EQ(SubmissionHistoryExport::findStyleSheet(folder.path("data"), folder.path("bin")), shipped);
    const auto own = folder.write("data/submission.xsl", "own");
    EXPECT_EQ(SubmissionHistoryExport::findStyleSheet(folder.path("data"), folder.path("bin")), own);
    const auto installed = folder.write("share/vantelo/submission.xsl", "installed");
    std::filesystem::remove(shipped);
    EXPECT_EQ(
        SubmissionHistoryExport::findStyleSheet(folder.path("elsewhere"), folder.path("bin")), installed);
}

} // namespace
