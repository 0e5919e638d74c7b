#include "CliRun.h"
#include "Commands.h"
#include "directories/DirectoryStore.h"
#include "directories/DirectoryTestFiles.h"
#include "directories/Scrambling.h"
#include "net/LoopbackServer.h"
#include "support/RecordingMessageBox.h"
#include "support/TempFolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

using ::testing::HasSubstr;

namespace {

// A data folder with one custom and one main directory, its PageRank host on loopback.
class ImportDirectoriesCommandThreaded : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_pageRank.serve("/search", 200, "Rank_1:1:3");
        m_pageRank.start();
        m_folder.write("data/settings.xml",
            "<?xml version=\"1.0\"?><settings><pagerankhost>" + m_pageRank.host()
                + "</pagerankhost></settings>");
        m_folder.write("customdirdata.xml",
            databaseText(
                "customdirs", R"(<directory name="Mine" submiturl="http://mine.com/" category="Custom"/>)"));
        m_folder.write("dirdata.xml",
            scrambleDatabase(
                databaseText("rf", R"(<directory name="Vendor" submiturl="http://www.vendor.com/add"/>)")));
    }

    CliRun run(std::vector<std::string> arguments)
    {
        arguments.insert(arguments.begin(), { "import-directories", "--data-dir", m_folder.path().string() });
        return runCli(arguments);
    }

    // The records of the custom database as saved.
    DirectoryStore::RecordMap savedCustom()
    {
        DirectoryStore store(m_messages, "customdirs");
        store.Load(m_folder.path("customdirdata.xml"), true, false);
        return store.records();
    }

    LoopbackServer m_pageRank;
    TempFolder m_folder;
    RecordingMessageBox m_messages;
};

TEST_F(ImportDirectoriesCommandThreaded, ImportsNewDirectoriesAndSavesTheCustomDatabase)
{
    const std::string list =
        m_folder.write("list.csv", "Mine,http://mine.org/\nvendor.com/other\nhttp://www.fresh.com/add.php\n")
            .string();
    const CliRun result = run({ "--category", "News", "--category", "Custom", list });
    EXPECT_EQ(result.code, 0) << result.err;
    EXPECT_EQ(result.out,
        "Found 2 new directories in " + list + " (3 lines name a directory)\nAdded 2 directories to "
            + m_folder.path("customdirdata.xml").string() + "\n");
    // Standard error is no terminal here: no progress bar.
    EXPECT_EQ(result.err, "");

    const DirectoryStore::RecordMap saved = savedCustom();
    ASSERT_EQ(saved.size(), 3u);
    EXPECT_EQ(saved.at("Mine1"),
        (DirectoryRecord { "Mine1", 0, 3, "http://mine.org/", "Custom,News", "", {}, {} }));
    EXPECT_EQ(saved.at("Fresh").submitUrl, "http://www.fresh.com/add.php");
    EXPECT_EQ(saved.at("Mine").submitUrl, "http://mine.com/");
}

TEST_F(ImportDirectoriesCommandThreaded, SkipsThePageRankAndReportsBadFiles)
{
    const std::string list = m_folder.write("list.txt", "http://new.com\n").string();
    CliRun result = run({ "--skip-pr", list });
    EXPECT_EQ(result.code, 0) << result.err;
    EXPECT_EQ(savedCustom().at("New").pr, 0);
    EXPECT_EQ(savedCustom().at("New").category, "Custom");
    EXPECT_TRUE(m_pageRank.requests().empty());

    // Nothing new: the custom database is left as it is.
    const std::string before = m_folder.read("customdirdata.xml");
    result = run({ list });
    EXPECT_EQ(result.code, 0);
    EXPECT_EQ(result.out,
        "Found 0 new directories in " + list + " (1 line names a directory)\nNothing new: "
            + m_folder.path("customdirdata.xml").string() + " is left as it was\n");
    EXPECT_EQ(m_folder.read("customdirdata.xml"), before);

    result = run({ "--json", "--skip-pr", m_folder.write("more.txt", "http://more.com\n").string() });
    EXPECT_EQ(result.code, 0) << result.err;
    const nlohmann::json json = nlohmann::json::parse(result.out);
    EXPECT_EQ(json["added"], 1);
    EXPECT_EQ(json["directories"],
        nlohmann::json::parse(R"([{"name": "More", "url": "http://more.com", "category": null, "rating": null,
            "linktype": null, "pricing": null}])"));
}

TEST_F(ImportDirectoriesCommandThreaded, ReadsAListsColumnsUpdatesKnownDirectoriesAndRefusesWhatIsNoList)
{
    const std::string list = m_folder
                                 .write("list.csv",
                                     "Name,Website,DR,Link Type,Category\n"
                                     "Mine again,mine.com,DR 40,dofollow,\n"
                                     "Fresh,fresh.example/add,55,nofollow,\"\xF0\x9F\x9A\x80 Launch, AI\"\n"
                                     "Nothing,,,,\n")
                                 .string();
    const CliRun result = run({ "--json", "--skip-pr", list });
    EXPECT_EQ(result.code, 0) << result.err;
    EXPECT_EQ(result.err, "vantelo-cli: " + list + ": line 4 skipped: no web address\n");
    const nlohmann::json json = nlohmann::json::parse(result.out);
    EXPECT_EQ(json["added"], 1);
    EXPECT_EQ(json["updated"], 1);
    const DirectoryStore::RecordMap saved = savedCustom();
    EXPECT_EQ(saved.at("Mine").listFacts, (DirectoryListFacts { 40, "dofollow", "", false }));
    EXPECT_EQ(saved.at("Mine").submitUrl, "http://mine.com/");
    EXPECT_EQ(saved.at("Fresh"),
        (DirectoryRecord { "Fresh", 0, 0, "https://fresh.example/add", "Custom,Launch,AI", "", {},
            { 55, "nofollow", "", false } }));

    const std::string before = m_folder.read("customdirdata.xml");
    const CliRun binary =
        run({ m_folder.write("list.bin", std::string("\x89PNG\r\n\x1A\n\0\0", 10)).string() });
    EXPECT_EQ(binary.code, 1);
    EXPECT_THAT(binary.err, HasSubstr("it holds binary data, not a list of directories; nothing was stored"));
    EXPECT_EQ(m_folder.read("customdirdata.xml"), before);
}

} // namespace
