#include "CliRun.h"
#include "Commands.h"
#include "directories/Scrambling.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace {

CliRun runCli(const std::vector<std::string>& arguments)
{
    return runCliCommand(runDbCommand, arguments);
}

const std::string kMain =
    "<?xml version=\"1.0\"?>\n<rf><latestrevision no=\"9\"/>"
    "<directory name=\"Main Dir\" submiturl=\"http://www.same.example/add\" pr=\"4\" revision=\"9\" "
    "onsubmit=\"Thanks\" category=\"A,B\">"
    "<item name=\"TITLE\" index=\"0\" value=\"#title#\" type=\"edit\"/></directory>"
    "<directory name=\"Odd\"><item name=\"x\" index=\"1\" value=\"v\" type=\"radio\"/></directory></rf>";
const std::string kCustom = "<?xml version=\"1.0\"?><customdirs><directory name=\"Mine\" "
                            "submiturl=\"http://same.example/\" pr=\"2\"/></customdirs>";

TEST(DbCommandTest, ListPrintsRevisionThenRecordsForEveryForm)
{
    TempFolder folder;
    const std::string expected =
        "{\"latestrevision\":9}\n"
        "{\"name\":\"Main Dir\",\"revision\":9,\"pr\":4,\"submiturl\":\"http://www.same.example/add\","
        "\"category\":\"A,B\",\"onsubmit\":\"Thanks\",\"items\":[{\"name\":\"TITLE\",\"type\":\"edit\","
        "\"index\":0,"
        "\"value\":\"#title#\"}]}\n"
        "{\"name\":\"Odd\",\"revision\":0,\"pr\":0,\"submiturl\":\"\",\"category\":\"\",\"onsubmit\":\"\","
        "\"items\":[{\"name\":\"x\",\"type\":\"edit\",\"index\":1,\"value\":\"v\"}]}\n";

    const CliRun plain = runCli({ "list", folder.write("plain.xml", kMain).string() });
    EXPECT_EQ(plain.code, 0);
    EXPECT_EQ(plain.out, expected);
    EXPECT_EQ(plain.err, "Odd: Unsupported control type\n");

    const CliRun scrambled =
        runCli({ "list", folder.write("dirdata.xml", scrambleDatabase(kMain)).string() });
    EXPECT_EQ(scrambled.out, expected);
    const CliRun forced = runCli({ "list", "--scrambled", folder.path("dirdata.xml").string() });
    EXPECT_EQ(forced.out, expected);

    const CliRun custom = runCli({ "list", folder.write("customdirdata.xml", kCustom).string() });
    EXPECT_EQ(custom.out.substr(0, custom.out.find('\n')), "{\"latestrevision\":1}");
    EXPECT_NE(custom.out.find("\"name\":\"Mine\""), std::string::npos);
}

TEST(DbCommandTest, ScrambleAndUnscrambleAreInverse)
{
    TempFolder folder;
    folder.write("in.xml", kMain);
    ASSERT_EQ(runCli({ "scramble", folder.path("in.xml").string(), folder.path("s.xml").string() }).code, 0);
    EXPECT_EQ(folder.read("s.xml"), scrambleDatabase(kMain));
    ASSERT_EQ(runCli({ "unscramble", folder.path("s.xml").string(), folder.path("u.xml").string() }).code, 0);
    EXPECT_EQ(folder.read("u.xml"), "<?xml version=\"1.0\"?>\r\n" + kMain.substr(kMain.find("<rf>")));
}

TEST(DbCommandTest, MergePrintsTheMergedMainStore)
{
    TempFolder folder;
    const CliRun run = runCli({ "merge", folder.write("main.xml", scrambleDatabase(kMain)).string(),
        folder.write("custom.xml", kCustom).string() });
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(run.out.find("Main Dir"), std::string::npos);
    EXPECT_NE(run.out.find("{\"name\":\"Mine\",\"revision\":0,\"pr\":2"), std::string::npos);
}

TEST(DbCommandTest, WrongArgumentsAndUnreadableFilesExitWithTwo)
{
    TempFolder folder;
    EXPECT_EQ(runCli({ "list", folder.path("missing.xml").string() }).code, 2);
    EXPECT_EQ(runCli({ "list" }).code, 2);
    EXPECT_EQ(runCli({ "list", "--plain", "--scrambled", "x" }).code, 2);
    EXPECT_EQ(runCli({ "list", "--bogus", "x" }).code, 2);
    EXPECT_EQ(runCli({ "scramble", folder.path("missing.xml").string(), folder.path("o").string() }).code, 2);
    EXPECT_EQ(runCli({ "frobnicate" }).code, 2);
    EXPECT_FALSE(folder.exists("o"));
}

} // namespace
