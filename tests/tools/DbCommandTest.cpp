#include "CliRun.h"
#include "Commands.h"
#include "directories/Scrambling.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

namespace {

CliRun runDb(std::vector<std::string> arguments)
{
    arguments.insert(arguments.begin(), "db");
    return runCli(arguments);
}

const std::string kMain =
    "<?xml version=\"1.0\"?>\n<rf><latestrevision no=\"9\"/>"
    "<directory name=\"Main Dir\" submiturl=\"http://www.same.example/add\" pr=\"4\" revision=\"9\" "
    "onsubmit=\"Thanks\" category=\"A,B\" rating=\"56\" linktype=\"dofollow\" pricing=\"free\">"
    "<item name=\"TITLE\" index=\"0\" value=\"#title#\" type=\"edit\"/></directory>"
    "<directory name=\"Odd\"><item name=\"x\" index=\"1\" value=\"v\" type=\"radio\"/></directory></rf>";
const std::string kCustom = "<?xml version=\"1.0\"?><customdirs><directory name=\"Mine\" "
                            "submiturl=\"http://same.example/\" pr=\"2\" rating=\"40\" unlisted=\"true\"/>"
                            "</customdirs>";

TEST(DbCommandTest, ListPrintsRevisionThenRecordsForEveryForm)
{
    TempFolder folder;
    const std::string expected =
        "{\"latestrevision\":9,\"directories\":["
        "{\"name\":\"Main Dir\",\"revision\":9,\"pr\":4,\"submiturl\":\"http://www.same.example/add\","
        "\"category\":\"A,B\",\"onsubmit\":\"Thanks\",\"rating\":56,\"linktype\":\"dofollow\","
        "\"pricing\":\"free\",\"unlisted\":false,\"items\":[{\"name\":\"TITLE\",\"type\":\"edit\","
        "\"index\":0,"
        "\"value\":\"#title#\"}]},"
        "{\"name\":\"Odd\",\"revision\":0,\"pr\":0,\"submiturl\":\"\",\"category\":\"\",\"onsubmit\":\"\","
        "\"rating\":null,\"linktype\":null,\"pricing\":null,\"unlisted\":false,\"items\":[{\"name\":\"x\","
        "\"type\":\"edit\",\"index\":1,\"value\":\"v\"}]}]}";
    const auto compact = [](const CliRun& run) { return nlohmann::ordered_json::parse(run.out).dump(); };

    const CliRun plain = runDb({ "list", "--json", folder.write("plain.xml", kMain).string() });
    EXPECT_EQ(plain.code, 0);
    EXPECT_EQ(compact(plain), expected);
    EXPECT_EQ(plain.err, "vantelo-cli: Odd: Unsupported control type\n");

    const CliRun scrambled =
        runDb({ "list", "--json", folder.write("dirdata.xml", scrambleDatabase(kMain)).string() });
    EXPECT_EQ(compact(scrambled), expected);
    const CliRun forced = runDb({ "list", "--scrambled", "--json", folder.path("dirdata.xml").string() });
    EXPECT_EQ(compact(forced), expected);

    // Without --json: a line per directory.
    EXPECT_EQ(runDb({ "list", folder.path("dirdata.xml").string() }).out,
        "latest revision 9\nMain Dir: http://www.same.example/add (PageRank 4, revision 9, 1 form item)\n"
        "Odd: (no submit URL) (PageRank 0, revision 0, 1 form item)\n");

    const CliRun custom = runDb({ "list", "--json", folder.write("customdirdata.xml", kCustom).string() });
    const nlohmann::json customJson = nlohmann::json::parse(custom.out);
    EXPECT_EQ(customJson["latestrevision"], 1);
    EXPECT_EQ(customJson["directories"][0]["name"], "Mine");
}

TEST(DbCommandTest, ScrambleAndUnscrambleAreInverse)
{
    TempFolder folder;
    folder.write("in.xml", kMain);
    ASSERT_EQ(runDb({ "scramble", folder.path("in.xml").string(), folder.path("s.xml").string() }).code, 0);
    EXPECT_EQ(folder.read("s.xml"), scrambleDatabase(kMain));
    ASSERT_EQ(runDb({ "unscramble", folder.path("s.xml").string(), folder.path("u.xml").string() }).code, 0);
    EXPECT_EQ(folder.read("u.xml"), "<?xml version=\"1.0\"?>\r\n" + kMain.substr(kMain.find("<rf>")));
}

TEST(DbCommandTest, MergePrintsTheMergedMainStore)
{
    TempFolder folder;
    const CliRun run = runDb({ "merge", "--json", folder.write("main.xml", scrambleDatabase(kMain)).string(),
        folder.write("custom.xml", kCustom).string() });
    EXPECT_EQ(run.code, 0);
    const nlohmann::json merged = nlohmann::json::parse(run.out)["directories"];
    ASSERT_EQ(merged.size(), 2u);
    EXPECT_EQ(merged[0]["name"], "Mine");
    EXPECT_EQ(merged[0]["pr"], 2);
    // The list's facts and mark of a custom directory survive the merge.
    EXPECT_EQ(merged[0]["rating"], 40);
    EXPECT_EQ(merged[0]["unlisted"], true);
    EXPECT_EQ(merged[1]["name"], "Odd");
}

TEST(DbCommandTest, WrongArgumentsExitWithTwo)
{
    TempFolder folder;
    EXPECT_EQ(runDb({ "list" }).code, 2);
    EXPECT_EQ(runDb({ "list", "--plain", "--scrambled", "x" }).code, 2);
    EXPECT_EQ(runDb({ "list", "--bogus", "x" }).code, 2);
    EXPECT_EQ(runDb({ "frobnicate" }).code, 2);
    EXPECT_FALSE(folder.exists("o"));
}

} // namespace
