#include "checker/CheckCommand.h"

#include "CheckerTestSupport.h"
#include "common/CommandLine.h"
#include "directories/Scrambling.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sstream>

namespace {

struct CommandRun {
    int code = -1;
    std::string out;
    std::string err;
};

// A data folder whose settings send PageRank queries to the loopback server,
// and a database in it.
class CheckCommandThreaded : public ::testing::Test {
protected:
    CheckCommandThreaded()
    {
        m_folder.write("data/settings.xml",
            "<?xml version=\"1.0\"?><settings><pagerankhost>" + m_server.host()
                + "</pagerankhost></settings>");
        m_server.answerPageRank(m_server.url(""), "Rank_1:1:3");
    }

    CommandRun run(std::vector<std::string> arguments, const std::string& pause = "0")
    {
        arguments.insert(arguments.end(), { "--pause-ms", pause, "--data-dir", m_folder.path().string() });
        std::ostringstream out;
        std::ostringstream err;
        CommandRun result;
        result.code = runCheckCommand(arguments, out, err);
        result.out = out.str();
        result.err = err.str();
        return result;
    }

    std::string write(const std::string& bytes) { return m_folder.write("custom.xml", bytes).string(); }

    CheckerServer m_server;
    TempFolder m_folder;
    const std::vector<TestDirectory> m_directories { { "Up", m_server.url("/up") },
        { "Dead", m_server.url("/dead"), "3" }, { "Fine", m_server.url("/fine"), "3" } };
};

TEST_F(CheckCommandThreaded, PrintsTheLogAndProgressAndTheSummaryAndLeavesTheFile)
{
    const std::string file = write(databaseOf(m_directories));
    const CommandRun result = run({ "--check", file, "--no-alive" });
    EXPECT_EQ(result.code, 0);
    // What was found, which the file does not hold until a flag saves it.
    EXPECT_EQ(result.out,
        "Check finished.\nPageRank changes found: 1\nBroken directories found: 0\n"
        "Moving up: 1\nMoving down: 0\nDown to 0: 0\nDown to -1: 0\n"
        "Up by 0 to 9: 0 0 0 1 0 0 0 0 0 0\nDown by 0 to 9: 0 0 0 0 0 0 0 0 0 0\n");
    for (const std::string& line :
        std::vector<std::string> { "tessaly: loaded 3 directories (enabled and disabled) from " + file + "\n",
            "PR updated for " + m_server.url("/up") + " from 0 to 3\n",
            "No PR update needed for " + m_server.url("/dead") + " (PR 3)\n",
            "tessaly: " + file
                + " is left as it was; --apply-pr and --disable-broken save what was found\n" })
        EXPECT_NE(result.err.find(line), std::string::npos) << line;
    // Standard error is no terminal here: the log without progress bars.
    EXPECT_EQ(result.err.find("Progress:"), std::string::npos);
    EXPECT_EQ(m_folder.read("custom.xml"), databaseOf(m_directories));
}

TEST_F(CheckCommandThreaded, ApplyFlagsSaveTheChosenKindsInTheFilesOwnForm)
{
    const std::string file = write(scrambleDatabase(databaseOf(m_directories, "rf")));
    CommandRun result = run({ "--check", file, "--disable-broken" });
    EXPECT_EQ(result.code, 0);
    EXPECT_NE(result.err.find("Broken site: " + m_server.url("/dead") + " added to recheck queue\n"),
        std::string::npos);
    EXPECT_NE(result.err.find("tessaly: saved " + file + ": 0 PageRank changes, 1 directories disabled\n"),
        std::string::npos);
    std::vector<TestDirectory> expected = m_directories;
    expected[1].enabled = "false";
    EXPECT_EQ(m_folder.read("custom.xml"), scrambleDatabase(databaseOf(expected, "rf")));

    result = run({ "--check", file, "--no-alive", "--apply-pr" });
    expected[0].pr = "3";
    EXPECT_EQ(m_folder.read("custom.xml"), scrambleDatabase(databaseOf(expected, "rf")));

    // Nothing found to apply: the file is left alone.
    result = run({ "--check", file, "--no-pr", "--no-alive", "--apply-pr", "--disable-broken" });
    EXPECT_EQ(result.code, 0);
    EXPECT_NE(
        result.err.find("tessaly: no changes to save; " + file + " is left as it was\n"), std::string::npos);
}

TEST_F(CheckCommandThreaded, CtrlCStopsTheRunWithTheSummarySoFar)
{
    // Ctrl+C arrives during the first PageRank query; the long pause after it
    // ends at once and the second directory is never checked.
    LoopbackServer interrupting;
    interrupting.handle("/search", [](const httplib::Request&, httplib::Response& response) {
        std::raise(SIGINT);
        response.set_content("Rank_1:1:1", "text/plain");
    });
    interrupting.start();
    m_folder.write("data/settings.xml",
        "<?xml version=\"1.0\"?><settings><pagerankhost>" + interrupting.host()
            + "</pagerankhost></settings>");
    const std::string file =
        write(databaseOf({ { "First", m_server.url("/first") }, { "Second", m_server.url("/second") } }));
    const CommandRun result = run({ "--check", file }, "3600000");
    EXPECT_EQ(result.code, 0);
    EXPECT_EQ(interrupting.requests().size(), 1u);
    EXPECT_EQ(m_server.pagesRequested(), std::vector<std::string> { "/first" });
    EXPECT_EQ(result.out.rfind("Check stopped.\nPageRank changes found: 1\n", 0), 0u);
}

TEST_F(CheckCommandThreaded, BadArgumentsAndUnreadableFiles)
{
    EXPECT_TRUE(isCheckCommand({ "--no-pr", "--check=x.xml" }));
    EXPECT_FALSE(isCheckCommand({ "<open>/x/customdirdata.xml</open>" }));
    for (const std::vector<std::string>& wrong :
        std::vector<std::vector<std::string>> { { "--check" }, { "--check", "" },
            { "--check", "x.xml", "--pause-ms", "soon" }, { "--check", "x.xml", "--pause-ms", "-1" },
            { "--check", "x.xml", "--fast" }, { "--check", "x", "y" } }) {
        std::ostringstream out;
        EXPECT_THROW(runCheckCommand(wrong, out, out), UsageError) << wrong.back();
    }
    const CommandRun missing = run({ "--check", m_folder.path("missing.xml").string() });
    EXPECT_EQ(missing.code, 1);
    EXPECT_EQ(missing.err, "tessaly: cannot read " + m_folder.path("missing.xml").string() + "\n");
    EXPECT_TRUE(missing.out.empty());

    // A file that is no directory list is not checked as an empty one.
    const std::string profiles =
        "<?xml version=\"1.0\"?><profiles><profile><name>P</name></profile></profiles>";
    const std::string file = m_folder.write("sv.xml", profiles).string();
    const CommandRun notDatabase = run({ "--check", file, "--apply-pr" });
    EXPECT_EQ(notDatabase.code, 1);
    EXPECT_EQ(
        notDatabase.err, "tessaly: " + file + " is no directory database (its root element is <profiles>)\n");
    EXPECT_TRUE(notDatabase.out.empty());
    EXPECT_EQ(m_folder.read("sv.xml"), profiles);
}

} // namespace
