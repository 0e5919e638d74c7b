#include "CliRun.h"
#include "directories/Scrambling.h"
#include "net/LoopbackServer.h"
#include "support/TempFolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>

using ::testing::HasSubstr;
using ::testing::Not;
using ::testing::StartsWith;

namespace {

const std::string kPlainDatabase = "<?xml version=\"1.0\"?>\r\n<rf><directory name=\"Main Dir\" "
                                   "submiturl=\"http://main.example/add\"/></rf>";
// As a data folder holds them once the first start has moved the passwords out
// (a clear-text one would be moved, and the file rewritten, by any command).
const std::string kProfiles = "<?xml version=\"1.0\"?><profiles><activeProfile>Shop</activeProfile><profile>"
                              "<name>Shop</name><url>http://shop.example/</url><password></password>"
                              "<serpphrase>blue shoes</serpphrase></profile></profiles>";
// Nine bytes that are neither XML nor an sv.dat.
const std::string kGarbage = "\x8f\x02z\xff\x10q\x9d\x01\x7f";

// Every file of a folder with its bytes, to tell that a command changed nothing.
std::map<std::string, std::string> contentsOf(const std::filesystem::path& root)
{
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
        if (!entry.is_regular_file())
            continue;
        const std::string name = std::filesystem::relative(entry.path(), root).string();
        std::ifstream in(entry.path(), std::ios::binary);
        files[name] = std::string(std::istreambuf_iterator<char>(in), {});
    }
    return files;
}

// A data folder whose every server refuses connections, with a database in
// both forms, a profile file and a file of garbage.
class CliConventionsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const std::string silent = "127.0.0.1:" + std::to_string(refusedPort());
        std::string hosts;
        for (const char* key : { "pagerankhost", "alexahost", "googlehost", "yahoosehost", "yahoohost" })
            hosts += std::string("<") + key + ">" + silent + "</" + key + ">";
        m_silentHost = silent;
        m_folder.write("data/settings.xml", "<?xml version=\"1.0\"?><settings>" + hosts + "</settings>");
        m_folder.write("dirdata.xml", scrambleDatabase(kPlainDatabase));
        m_folder.write("plain.xml", kPlainDatabase);
        m_folder.write("sv.xml", kProfiles);
        m_folder.write("garbage.dat", kGarbage);
        m_folder.write("--odd.xml", kPlainDatabase);
    }

    std::string path(const char* name) const { return m_folder.path(name).string(); }

    // Runs a command line on the data folder, each "@name" standing for the path of a file in it.
    CliRun run(std::vector<std::string> words) const
    {
        for (std::string& word : words)
            if (word.starts_with("@"))
                word = m_folder.path(word.substr(1)).string();
        return runCli(words);
    }

    TempFolder m_folder;
    std::string m_silentHost;
};

// A case of the command line: what is printed where, and the files left as they were.
struct Case {
    std::vector<std::string> words;
    int code;
    std::string out; // a part of standard output; "" for none at all
    std::string err; // a part of standard error; "" for none at all
};

TEST_F(CliConventionsTest, FailuresSayWhatWentWrongExitWithOneAndChangeNoFile)
{
    const std::string dataDir = m_folder.path().string();
    const std::vector<Case> cases {
        { { "db", "list", "--plain", "@dirdata.xml" }, 1, "",
            path("dirdata.xml") + " is a scrambled database, not a plain one" },
        { { "db", "list", "--scrambled", "@plain.xml" }, 1, "",
            path("plain.xml") + " is a plain database, not a scrambled one" },
        { { "db", "list", "@garbage.dat" }, 1, "", path("garbage.dat") + " is no directory database" },
        { { "db", "list", "@sv.xml" }, 1, "", "its root element is <profiles>" },
        { { "db", "list", "@missing.xml" }, 1, "", "cannot read " + path("missing.xml") },
        { { "db", "merge", "@dirdata.xml", "@garbage.dat" }, 1, "", path("garbage.dat") },
        { { "db", "unscramble", "@plain.xml", "@out.xml" }, 1, "",
            "is a plain database, not a scrambled one" },
        { { "db", "scramble", "@dirdata.xml", "@out.xml" }, 1, "",
            "is a scrambled database, not a plain one" },
        { { "db", "scramble", "@missing.xml", "@out.xml" }, 1, "", "cannot read " + path("missing.xml") },
        { { "profiles", "import-dat", "@sv.xml", "@garbage.dat" }, 1, "",
            path("garbage.dat") + " is no sv.dat" },
        { { "profiles", "list", "@missing.xml" }, 1, "", "no profile file " + path("missing.xml") },
        { { "profiles", "show", "--data-dir", dataDir, "Nobody" }, 1, "", "no profile named \"Nobody\"" },
        { { "pagerank", "--data-dir", dataDir, "http://shop.example/" }, 1, "pagerank n/a\n",
            "no usable answer from " + m_silentHost },
        { { "stats", "--data-dir", dataDir, "googlelinks", "http://shop.example/" }, 1, "n/a\n",
            "no usable answer from " + m_silentHost },
        { { "stats", "--data-dir", dataDir, "--json", "pagerank", "http://shop.example/" }, 1,
            "\"value\": null", "no usable answer from " + m_silentHost },
        { { "snapshot", "--data-dir", dataDir, "--profile", "Shop", "--general", "@report.html" }, 1, "",
            "no report written: no server answered" },
        { { "update", "--data-dir", dataDir }, 1, "", "no update server is configured" },
        { { "import-directories", "--data-dir", dataDir, "@missing.txt" }, 1, "",
            "cannot read " + path("missing.txt") },
        { { "history", "export", "--data-dir", dataDir, "--profile", "Nobody", "@out.xml" }, 1, "",
            "no profile named \"Nobody\"" },
        { { "data-folder", "--data-dir", path("garbage.dat") + "/inside" }, 1, "",
            "cannot create the data folder" },
    };
    for (const Case& c : cases) {
        const auto before = contentsOf(m_folder.path());
        const CliRun result = run(c.words);
        const std::string line = testing::PrintToString(c.words);
        EXPECT_EQ(result.code, c.code) << line << "\n" << result.err;
        if (c.out.empty())
            EXPECT_EQ(result.out, "") << line;
        else
            EXPECT_THAT(result.out, HasSubstr(c.out)) << line;
        // One message per line, each after the program's name; nothing of the windows.
        EXPECT_THAT(result.err, StartsWith("vantelo-cli: ")) << line;
        EXPECT_THAT(result.err, HasSubstr(c.err)) << line;
        for (const char* windowText : { "Press the Close button", "contact support", "Status: idle",
                 "successfully saved", "Vantelo starts without them", "GetLatestDirectoryRevision" })
            EXPECT_THAT(result.err, Not(HasSubstr(windowText))) << line;
        EXPECT_EQ(contentsOf(m_folder.path()), before) << line;
    }
}

TEST_F(CliConventionsTest, WrongArgumentsExitWithTwoAndPointToTheHelp)
{
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases {
        { {}, "a command is needed" },
        { { "frobnicate" }, "unknown command frobnicate" },
        { { "--frobnicate" }, "unknown option --frobnicate" },
        { { "db" }, "db needs a command: list, scramble, unscramble, merge" },
        { { "db", "frobnicate" }, "unknown db command frobnicate" },
        { { "db", "list" }, "missing argument" },
        { { "db", "list", "@plain.xml", "@sv.xml" }, "too many arguments" },
        { { "db", "list", "--plain", "--scrambled", "@plain.xml" },
            "--plain and --scrambled exclude each other" },
        { { "db", "list", "--plain=yes", "@plain.xml" }, "--plain takes no value" },
        { { "db", "scramble", "--json", "@plain.xml", "@out.xml" }, "unknown option --json" },
        { { "profiles", "list", "--data-dir" }, "--data-dir needs a value" },
        { { "stats", "nine", "http://shop.example/" }, "unknown kind nine" },
        { { "snapshot", "--profile", "Shop", "--entire", "@report.html" },
            "--entire and --resume go with --approval" },
        { { "history", "export", "--profile", "Shop", "@out.csv" }, "the output must end in .xlsx or .xml" },
        { { "help", "frobnicate" }, "no command named frobnicate" },
    };
    const auto before = contentsOf(m_folder.path());
    for (const auto& [words, message] : cases) {
        const CliRun result = run(words);
        EXPECT_EQ(result.code, 2) << testing::PrintToString(words);
        EXPECT_EQ(result.out, "") << testing::PrintToString(words);
        EXPECT_THAT(result.err, StartsWith("vantelo-cli: " + message)) << testing::PrintToString(words);
        EXPECT_THAT(result.err, HasSubstr("Try 'vantelo-cli ")) << testing::PrintToString(words);
    }
    EXPECT_EQ(contentsOf(m_folder.path()), before);
}

// Every command answers --help and "help COMMAND" with the same text: its
// synopsis, its options, the environment when it reads the data folder and the
// exit codes; and it refuses an option it does not know.
TEST_F(CliConventionsTest, EveryCommandExplainsItselfAndRefusesUnknownOptions)
{
    for (const CliCommand& command : cliCommands()) {
        std::vector<std::string> words;
        std::istringstream name(command.name);
        for (std::string word; name >> word;)
            words.push_back(word);
        std::vector<std::string> asked = words;
        asked.push_back("--help");
        const CliRun help = runCli(asked);
        EXPECT_EQ(help.code, 0) << command.name;
        EXPECT_EQ(help.err, "") << command.name;
        EXPECT_THAT(help.out, StartsWith("Usage: vantelo-cli " + command.name)) << command.name;
        EXPECT_THAT(help.out, HasSubstr(command.summary)) << command.name;
        for (const CliOption& option : command.options)
            EXPECT_THAT(help.out, HasSubstr("  " + option.name)) << command.name;
        EXPECT_THAT(help.out, HasSubstr("Exit status:\n  0  success\n  1  the job failed")) << command.name;
        const bool dataFolder = command.traits & CliCommand::kDataFolder;
        EXPECT_EQ(help.out.find("VANTELO_DATA_DIR") != std::string::npos, dataFolder) << command.name;
        EXPECT_EQ(help.out.find("--json") != std::string::npos, (command.traits & CliCommand::kJson) != 0)
            << command.name;

        std::vector<std::string> helpCommand { "help" };
        helpCommand.insert(helpCommand.end(), words.begin(), words.end());
        EXPECT_EQ(runCli(helpCommand).out, help.out) << command.name;

        words.push_back("--bogus");
        const CliRun unknown = runCli(words);
        EXPECT_EQ(unknown.code, 2) << command.name;
        EXPECT_THAT(unknown.err, StartsWith("vantelo-cli: unknown option --bogus")) << command.name;
        EXPECT_THAT(unknown.err, HasSubstr("Try 'vantelo-cli " + command.name + " --help'")) << command.name;
    }
    for (const char* group : { "db", "profiles", "history", "reciprocal", "tranco" }) {
        const CliRun help = runCli({ group, "--help" });
        EXPECT_EQ(help.code, 0) << group;
        EXPECT_THAT(help.out, StartsWith(std::string("Usage: vantelo-cli ") + group + " COMMAND")) << group;
        EXPECT_EQ(runCli({ "help", group }).out, help.out) << group;
    }
    const CliRun main = runCli({ "help" });
    EXPECT_EQ(main.out, runCli({ "--help" }).out);
    for (const CliCommand& command : cliCommands())
        EXPECT_THAT(main.out, HasSubstr("\n  " + command.synopsis().substr(12) + "\n")) << command.name;
    EXPECT_THAT(runCli({ "--version" }).out, StartsWith("vantelo-cli "));
}

TEST_F(CliConventionsTest, DataFolderIsAbsoluteAndComesFromTheLineOrTheEnvironment)
{
    const std::string inner = m_folder.path().string() + "/made/../fresh/";
    CliRun result = run({ "data-folder", "--data-dir", inner });
    EXPECT_EQ(result.code, 0) << result.err;
    EXPECT_EQ(result.out, m_folder.path("fresh").string() + "\n");
    EXPECT_TRUE(std::filesystem::is_directory(m_folder.path("fresh")));
    result = run({ "data-folder", "--json", "--data-dir", inner });
    EXPECT_EQ(nlohmann::json::parse(result.out)["datafolder"], m_folder.path("fresh").string());

    // A relative folder is printed as the absolute one it names; "--" ends the
    // options, so that a file may start with a dash.
    const std::filesystem::path here = std::filesystem::current_path();
    std::filesystem::current_path(m_folder.path());
    result = run({ "data-folder", "--data-dir", "relative" });
    const CliRun dashed = run({ "db", "list", "--", "--odd.xml" });
    const CliRun unknown = run({ "db", "list", "--odd.xml" });
    std::filesystem::current_path(here);
    EXPECT_EQ(result.out, m_folder.path("relative").string() + "\n");
    EXPECT_EQ(dashed.code, 0) << dashed.err;
    EXPECT_THAT(dashed.out, HasSubstr("Main Dir: http://main.example/add"));
    EXPECT_EQ(unknown.code, 2);

    // VANTELO_DATA_DIR stands in for --data-dir, which wins over it.
    ::setenv("VANTELO_DATA_DIR", m_folder.path().string().c_str(), 1);
    const CliRun listed = run({ "profiles", "list" });
    const CliRun other = run({ "data-folder", "--data-dir", inner });
    ::unsetenv("VANTELO_DATA_DIR");
    EXPECT_EQ(listed.code, 0) << listed.err;
    EXPECT_EQ(listed.out, "* Shop\n");
    EXPECT_EQ(other.out, m_folder.path("fresh").string() + "\n");

    // A command that writes into a data folder makes it first, as data-folder does.
    m_folder.write("list.txt", "http://new.example/\n");
    const CliRun imported =
        run({ "import-directories", "--data-dir", path("new") + "/data", "--skip-pr", "@list.txt" });
    EXPECT_EQ(imported.code, 0) << imported.err;
    // Nothing of the import dialog's texts ("Please wait while retrieving the PR") under --skip-pr.
    EXPECT_EQ(imported.err, "");
    EXPECT_TRUE(std::filesystem::is_regular_file(m_folder.path("new/data/customdirdata.xml")));
}

} // namespace
