#include "CliRun.h"
#include "Commands.h"
#include "history/ExternalTools.h"
#include "history/HistoryTestData.h"
#include "support/TempFolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::HasSubstr;

namespace {

CliRun runHistory(std::vector<std::string> arguments)
{
    arguments.insert(arguments.begin(), "history");
    return runCli(arguments);
}

struct DataFolderWithHistory {
    TempFolder folder;

    DataFolderWithHistory() { folder.write("data/sv.xml", historyProfilesText()); }

    CliRun exportTo(const std::string& output, const std::string& profile = kHistoryProfile) const
    {
        return runHistory({ "export", "--data-dir", folder.path("data").string(), "--profile", profile,
            folder.path(output).string() });
    }
};

TEST(HistoryCommandTest, AnXlsxNameWritesTheWorkbook)
{
    DataFolderWithHistory data;
    const CliRun run = data.exportTo("history.xlsx");
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(data.folder.read("history.xlsx").substr(0, 2), "PK");
    if (!canReadWorkbooks())
        GTEST_SKIP() << "python3 with openpyxl is not installed (scripts/install-deps)";
    const std::optional<nlohmann::json> book = readWorkbook(data.folder.path("history.xlsx"));
    ASSERT_TRUE(book);
    EXPECT_EQ((*book)["sheets"][0]["name"], kHistorySheet);
    EXPECT_EQ((*book)["sheets"][0]["rows"].size(), historyEntries().size() + 1);
}

TEST(HistoryCommandTest, AnXmlNameWritesTheReportAndPlacesTheStyleSheetOnce)
{
    DataFolderWithHistory data;
    data.folder.write("data/submission.xsl", "<from-data-folder/>");
    EXPECT_EQ(data.exportTo("out/history.xml").code, 1) << "the folder of the output must exist";
    std::filesystem::create_directories(data.folder.path("out"));
    const CliRun run = data.exportTo("out/history.XML");
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_THAT(data.folder.read("out/history.XML"), HasSubstr("href=\"submission.xsl\""));
    EXPECT_EQ(data.folder.read("out/submission.xsl"), "<from-data-folder/>");

    data.folder.write("data/submission.xsl", "<changed/>");
    EXPECT_EQ(data.exportTo("out/again.xml").code, 0);
    EXPECT_EQ(data.folder.read("out/submission.xsl"), "<from-data-folder/>");
}

TEST(HistoryCommandTest, WrongArgumentsAndUnknownProfilesFail)
{
    DataFolderWithHistory data;
    EXPECT_EQ(data.exportTo("history.csv").code, 2);
    EXPECT_EQ(runHistory({ "export", "--data-dir", data.folder.path("data").string(), "x.xml" }).code, 2);
    EXPECT_EQ(runHistory({ "import" }).code, 2);
    const CliRun unknown = data.exportTo("history.xml", "Nobody");
    EXPECT_EQ(unknown.code, 1);
    EXPECT_THAT(unknown.err, HasSubstr("no profile named \"Nobody\""));
    EXPECT_FALSE(data.folder.exists("history.xml"));
}

} // namespace
