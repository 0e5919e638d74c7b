#include "CliRun.h"
#include "net/LoopbackServer.h"
#include "support/TempFolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <iostream>
#include <sstream>

namespace {

const std::string kOldDatabase = "old database";
const std::string kNewDatabase = "new database";

// A data folder whose settings point the vendor host at a loopback server.
class UpdateCommandTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_server.start();
        m_folder.write("dirdata.xml", kOldDatabase);
        m_folder.write("customdirdata.xml", "<customdirs/>");
        m_folder.write("data/settings.xml",
            "<?xml version=\"1.0\"?><settings><autosave>false</autosave>"
            "<dirlistversion>5</dirlistversion><vendorhost>"
                + m_server.host() + "</vendorhost></settings>");
    }

    void publish(const std::string& version, const std::string& database)
    {
        m_server.serve("/customers/autocheck/dirdata.xml.version.txt", 200, version);
        m_server.serve("/customers/autocheck/dirdata.xml", 200, database);
    }

    CliRun update() { return runCli({ "update", "--data-dir", m_folder.path().string() }); }

    LoopbackServer m_server;
    TempFolder m_folder;
};

TEST_F(UpdateCommandTest, NewerDatabaseIsInstalledAndItsVersionSaved)
{
    publish("9\n", kNewDatabase);
    const CliRun run = update();
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(run.err, "vantelo-cli: Your directory list was successfully updated\n");
    EXPECT_EQ(m_folder.read("dirdata.xml"), kNewDatabase);
    EXPECT_EQ(m_folder.read("customdirdata.xml"), "<customdirs/>");
    EXPECT_EQ(m_folder.read("data/settings.xml"),
        "<?xml version=\"1.0\"?><settings><autosave>false</autosave><dirlistversion>9</dirlistversion>"
        "<vendorhost>"
            + m_server.host() + "</vendorhost></settings>");
}

TEST_F(UpdateCommandTest, SameVersionIsUpToDate)
{
    publish("5", kNewDatabase);
    const CliRun run = update();
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(run.err, "vantelo-cli: You already have the latest directory list. No update is necessary\n");
    EXPECT_EQ(m_folder.read("dirdata.xml"), kOldDatabase);
}

TEST_F(UpdateCommandTest, ErrorPageKeepsTheDatabaseAndTheVersion)
{
    publish("9", "<html><body>Internal error</body></html>");
    const std::string settings = m_folder.read("data/settings.xml");
    const CliRun run = update();
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.err,
        "vantelo-cli: There was a problem downloading the newest update. Please try again later.\n"
        "vantelo-cli: no usable answer from "
            + m_server.host() + "; " + m_folder.path("dirdata.xml").string() + " is as it was\n");
    EXPECT_EQ(m_folder.read("dirdata.xml"), kOldDatabase);
    EXPECT_EQ(m_folder.read("data/settings.xml"), settings);
}

TEST_F(UpdateCommandTest, UnreadableSettingsStopBeforeAnyRequest)
{
    publish("9", kNewDatabase);
    m_folder.write("data/settings.xml", "<settings><broken");
    const CliRun run = update();
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(run.err.find("cannot read"), std::string::npos);
    EXPECT_TRUE(m_server.requests().empty());
    EXPECT_EQ(m_folder.read("data/settings.xml"), "<settings><broken");
    EXPECT_EQ(runCli({ "update", "extra" }).code, 2);
}

TEST(ReciprocalCommandTest, TestReadsThePasswordFromStdinOrTheEnvironmentAndPrintsTheWizardsMessage)
{
    LoopbackServer server;
    server.serve("/interact.php", 200, "0");
    server.start();
    const std::string url = server.url("/interact.php");
    const auto withInput = [](const std::string& input, const std::vector<std::string>& words) {
        std::istringstream in(input);
        std::streambuf* old = std::cin.rdbuf(in.rdbuf());
        const CliRun run = runCli(words);
        std::cin.rdbuf(old);
        return run;
    };
    const CliRun passed = withInput("pw & more\r\n", { "reciprocal", "test", url });
    EXPECT_EQ(passed.code, 0);
    EXPECT_EQ(passed.err, "vantelo-cli: Reciprocal script is properly configured\n");
    EXPECT_EQ(server.requests().back().body, "test=1&password=pw%20%26%20more");

    server.serve("/interact.php", 200, "3");
    ::setenv("VANTELO_RECIPROCAL_PASSWORD", "from env", 1);
    const CliRun refused = withInput("", { "reciprocal", "test", url });
    ::unsetenv("VANTELO_RECIPROCAL_PASSWORD");
    EXPECT_EQ(refused.code, 1);
    EXPECT_EQ(refused.err.rfind("vantelo-cli: Invalid password.", 0), 0u);
    EXPECT_EQ(server.requests().back().body, "test=1&password=from%20env");

    const std::size_t asked = server.requests().size();
    EXPECT_EQ(withInput("", { "reciprocal", "test", url }).code, 1);
    const CliRun onTheLine = withInput("pw\n", { "reciprocal", "test", url, "pw" });
    EXPECT_EQ(onTheLine.code, 2);
    EXPECT_THAT(onTheLine.err, ::testing::HasSubstr("not taken on the command line"));
    EXPECT_EQ(server.requests().size(), asked);
    EXPECT_EQ(runCli({ "reciprocal", "add", "x", "y" }).code, 2);
}

} // namespace
