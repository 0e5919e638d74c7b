#include "CliRun.h"
#include "Commands.h"
#include "directories/Scrambling.h"
#include "support/TempFolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <sys/stat.h>

using ::testing::HasSubstr;
using ::testing::Not;

namespace {

CliRun runProfiles(std::vector<std::string> arguments)
{
    arguments.insert(arguments.begin(), "profiles");
    return runCli(arguments);
}

const std::string kProfiles =
    "<?xml version=\"1.0\"?><profiles><activeProfile>Second</activeProfile>"
    "<profile><name>First</name></profile>"
    "<profile><name>Second</name><url>http://s.example/</url><email>e</email><fname>f</fname><lname>l</lname>"
    "<username>u</username><password>p</password><address>a</address><city>c</city><zip>z</zip>"
    "<province>pr</province><title>T</title>"
    "<submittedto approved=\"yes\"><friendlyname>Dir A</friendlyname><url>http://a.example/</url>"
    "<title>T</title><description>D</description><keywords>K</keywords><datetime>01 May 2020</datetime>"
    "</submittedto>"
    "<submittedto><friendlyname>Dir B</friendlyname><datetime>02 May 2020</datetime></submittedto>"
    "</profile></profiles>";

const std::string kSvDat =
    "1\nImported\n1\nImported\nhttp://i.example/\nt\nd\nc\ns\nk\ne\nf\nl\nu\np\n1\nMain Dir\n";

TEST(ProfilesCommandTest, ListMarksTheActiveProfileFromTheFileOrTheDataFolder)
{
    TempFolder folder;
    const CliRun run = runProfiles({ "list", folder.write("sv.xml", kProfiles).string() });
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(run.out, "  First\n* Second\n");
    const CliRun json = runProfiles({ "list", "--json", "--data-dir", folder.path().string() });
    EXPECT_EQ(nlohmann::json::parse(json.out),
        nlohmann::json::parse(R"({"active": "Second", "profiles": ["First", "Second"]})"));
}

TEST(ProfilesCommandTest, ShowPrintsTheProfileAndItsHistoryWithApprovals)
{
    TempFolder folder;
    const CliRun run =
        runProfiles({ "show", "--json", folder.write("sv.xml", kProfiles).string(), "Second" });
    ASSERT_EQ(run.code, 0) << run.err;
    const nlohmann::json json = nlohmann::json::parse(run.out);
    EXPECT_EQ(json["url"], "http://s.example/");
    // Passwords stay hidden unless asked for.
    EXPECT_EQ(json["password"], nullptr);
    EXPECT_EQ(nlohmann::json::parse(runProfiles(
                  { "show", "--json", "--show-passwords", folder.path("sv.xml").string(), "Second" })
                                        .out)["password"],
        "p");
    EXPECT_EQ(json["titles"], nlohmann::json::array({ "T" }));
    ASSERT_EQ(json["submissions"].size(), 2u);
    EXPECT_EQ(json["submissions"][0],
        nlohmann::json({ { "friendlyname", "Dir A" }, { "url", "http://a.example/" }, { "title", "T" },
            { "description", "D" }, { "keywords", "K" }, { "datetime", "01 May 2020" },
            { "approved", true } }));
    EXPECT_EQ(json["submissions"][1]["approved"], false);

    const CliRun missing = runProfiles({ "show", folder.path("sv.xml").string(), "Third" });
    EXPECT_EQ(missing.code, 1);
    EXPECT_THAT(missing.err, HasSubstr("no profile named \"Third\""));

    // The text form, from the data folder's sv.xml.
    const CliRun text = runProfiles({ "show", "--data-dir", folder.path().string(), "Second" });
    EXPECT_EQ(text.code, 0) << text.err;
    EXPECT_THAT(text.out, HasSubstr("Name: Second\nURL: http://s.example/\n"));
    EXPECT_THAT(text.out, HasSubstr("User name: u\nPassword: ********\n"));
    EXPECT_THAT(text.out, HasSubstr("Submissions: 2\n  01 May 2020  Dir A <http://a.example/>  approved\n"));
    EXPECT_THAT(text.out, Not(HasSubstr(": p\n")));
}

TEST(ProfilesCommandTest, ImportDatSavesForTheOwnerAndPrintsTheCount)
{
    TempFolder folder;
    const std::string dirdata = "<?xml version=\"1.0\"?>\r\n<rf><directory name=\"Main Dir\" "
                                "submiturl=\"http://main.example/add\"/></rf>";
    folder.write("dirdata.xml", scrambleDatabase(dirdata));
    const std::string svxml = folder.path("sv.xml").string();
    const CliRun run = runProfiles({ "import-dat", svxml, folder.write("sv.dat", kSvDat).string(),
        "--dirdata", folder.path("dirdata.xml").string() });
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out, "1 profile imported into " + svxml + "\n");
    struct stat status { };
    ::stat(svxml.c_str(), &status);
    EXPECT_EQ(status.st_mode & 0777, 0600u);

    EXPECT_EQ(runProfiles({ "list", svxml }).out, "* Imported\n");
    const nlohmann::json json =
        nlohmann::json::parse(runProfiles({ "show", "--json", svxml, "Imported" }).out);
    EXPECT_EQ(json["submissions"][0]["url"], "http://main.example/add");
    EXPECT_EQ(json["submissions"][0]["datetime"], "unknown");

    // Without --replace an existing profile is skipped, and the file is left as
    // it was; with it, it is imported again.
    const std::string before = folder.read("sv.xml");
    EXPECT_THAT(runProfiles({ "import-dat", svxml, folder.path("sv.dat").string() }).out,
        HasSubstr("0 profiles imported"));
    EXPECT_EQ(folder.read("sv.xml"), before);
    const CliRun again = runProfiles({ "import-dat", "--json", "--data-dir", folder.path().string(),
        folder.path("sv.dat").string(), "--replace" });
    EXPECT_EQ(nlohmann::json::parse(again.out)["imported"], 1);
}

TEST(ProfilesCommandTest, UnreadableFilesExitWithOneAndChangeNothing)
{
    TempFolder folder;
    const CliRun noDat =
        runProfiles({ "import-dat", folder.path("sv.xml").string(), folder.path("none.dat").string() });
    EXPECT_EQ(noDat.code, 1);
    EXPECT_THAT(noDat.err, HasSubstr("cannot read " + folder.path("none.dat").string()));
    EXPECT_FALSE(folder.exists("sv.xml"));

    folder.write("broken.xml", "<profiles><profile>");
    EXPECT_EQ(runProfiles({ "import-dat", folder.path("broken.xml").string(),
                              folder.write("sv.dat", kSvDat).string() })
                  .code,
        1);
    EXPECT_EQ(folder.read("broken.xml"), "<profiles><profile>");
    EXPECT_EQ(runProfiles({ "list", folder.path("broken.xml").string() }).code, 1);
    EXPECT_EQ(runProfiles({ "list", folder.path("missing.xml").string() }).code, 1);
    EXPECT_EQ(runProfiles({ "show", folder.path("broken.xml").string(), "A" }).code, 1);
    EXPECT_EQ(runProfiles({ "rename" }).code, 2);
    EXPECT_EQ(runProfiles({}).code, 2);
    EXPECT_FALSE(folder.exists("broken.xml.unreadable"));
}

} // namespace
