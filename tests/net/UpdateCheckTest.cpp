#include "net/UpdateCheck.h"

#include "LoopbackServer.h"
#include "common/HostConfiguration.h"
#include "common/SettingsStore.h"
#include "support/RecordingMessageBox.h"

#include <gtest/gtest.h>

namespace {

// The main window's side, recording the notices in the order they were posted.
struct FakeWindow : IUpdateNoticeWindow {
    int installed = 0;
    int questions = 0;
    std::vector<std::string> posted;

    int installedDirectoryListVersion() override
    {
        ++questions;
        return installed;
    }
    void postDirectoryListAvailable(int version) override
    {
        posted.push_back("list " + std::to_string(version));
    }
    void postProgramUpdateAvailable() override { posted.push_back("program"); }
};

class UpdateCheckTest : public ::testing::Test {
protected:
    void SetUp() override { m_server.start(); }

    std::vector<std::string> check(
        const std::string& listVersion, const std::string& programVersion, int installed)
    {
        m_server.serve("/customers/autocheck/dirdata.xml.version.txt", 200, listVersion);
        m_server.serve("/customers/autocheck/latest.version.txt", 200, programVersion);
        RecordingMessageBox messages;
        SettingsStore settings(messages);
        settings.SetSetting("vendorhost", m_server.host());
        FakeWindow window;
        window.installed = installed;
        EXPECT_EQ(CheckForUpdates(window, HostConfiguration(settings)), 0);
        EXPECT_EQ(window.questions, 1);
        return window.posted;
    }

    LoopbackServer m_server;
};

TEST_F(UpdateCheckTest, DatabaseNoticeComesBeforeTheProgramNotice)
{
    EXPECT_EQ(check("126\n", "3011", 125), (std::vector<std::string> { "list 126", "program" }));
}

TEST_F(UpdateCheckTest, OnlyStrictlyNewerNumbersAreNoticed)
{
    EXPECT_EQ(check("125", "3010", 125), std::vector<std::string> {});
    EXPECT_EQ(check("124", "3009 beta", 125), std::vector<std::string> {});
    EXPECT_EQ(check("125", "3011", 125), std::vector<std::string> { "program" });
    EXPECT_EQ(check("not found", "", 0), std::vector<std::string> {});
}

TEST(UpdateCheckFailureTest, WithoutAVendorHostNothingIsAsked)
{
    FakeWindow window;
    window.installed = -1;
    EXPECT_EQ(CheckForUpdates(window, HostConfiguration()), 0);
    EXPECT_EQ(window.questions, 0);
    EXPECT_TRUE(window.posted.empty());
}

TEST(UpdateCheckFailureTest, UnreachableServerPostsNothing)
{
    RecordingMessageBox messages;
    SettingsStore settings(messages);
    settings.SetSetting("vendorhost", "127.0.0.1:" + std::to_string(refusedPort()));
    FakeWindow window;
    EXPECT_EQ(CheckForUpdates(window, HostConfiguration(settings)), 0);
    EXPECT_TRUE(window.posted.empty());
    EXPECT_TRUE(messages.empty());
}

} // namespace
