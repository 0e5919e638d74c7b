#include "net/DirectoryUpdate.h"

#include "LoopbackServer.h"
#include "RecordingWaitDialog.h"
#include "common/HostConfiguration.h"
#include "common/SettingsStore.h"
#include "support/RecordingMessageBox.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace {

const std::string kOldDatabase = "old scrambled database";
const std::string kNewDatabase = std::string("new scrambled database \x01\x02", 25);
const std::string kCustom =
    "<?xml version=\"1.0\"?>\r\n<customdirs><directory name=\"Mine\"/></customdirs>\r\n";
const std::string kVersionPath = "/customers/autocheck/dirdata.xml.version.txt";
const std::string kDatabasePath = "/customers/autocheck/dirdata.xml";

const RecordedMessage kUpdated =
    shown("Your directory list was successfully updated", "Vantelo", MessageIcon::Information);
const RecordedMessage kUpToDate = shown("You already have the latest directory list. No update is necessary",
    "Vantelo", MessageIcon::Information);
const RecordedMessage kDownloadFailed =
    shown("There was a problem downloading the newest update. Please try again later.", "Vantelo",
        MessageIcon::Information);

// The main window's side: the installed version and the reloads it was asked for.
struct FakeList : DirectoryUpdate::IDirectoryList {
    int version = 0;
    int reloads = 0;
    int installedVersion() const override { return version; }
    void setInstalledVersion(int newVersion) override { version = newVersion; }
    void reloadDirectories() override { ++reloads; }
};

class DirectoryUpdateTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_folder.write("dirdata.xml", kOldDatabase);
        m_folder.write("customdirdata.xml", kCustom);
        publish("125\r\n", 200, kNewDatabase);
        m_server.start();
        SettingsStore settings(m_messages);
        settings.SetSetting("vendorhost", m_server.host());
        m_hosts = HostConfiguration(settings);
    }

    void publish(const std::string& version, int databaseStatus, const std::string& database)
    {
        m_server.serve(kVersionPath, 200, version);
        m_server.serve(kDatabasePath, databaseStatus, database, "application/octet-stream");
    }

    DirectoryUpdate update()
    {
        return DirectoryUpdate(m_messages, m_wait, m_list, m_hosts, m_folder.path("dirdata.xml"));
    }

    void expectNothingChanged(int version)
    {
        EXPECT_EQ(m_folder.read("dirdata.xml"), kOldDatabase);
        EXPECT_EQ(m_list.version, version);
        EXPECT_EQ(m_list.reloads, 0);
    }

    TempFolder m_folder;
    LoopbackServer m_server;
    HostConfiguration m_hosts;
    RecordingMessageBox m_messages;
    RecordingWaitDialog m_wait;
    FakeList m_list;
};

TEST_F(DirectoryUpdateTest, WithoutAVendorHostNothingIsAskedAndTheUserIsToldWhy)
{
    const HostConfiguration unconfigured;
    DirectoryUpdate update(m_messages, m_wait, m_list, unconfigured, m_folder.path("dirdata.xml"));
    EXPECT_EQ(update.UpdateDirectoryList(), DirectoryUpdate::Outcome::NoServer);
    EXPECT_EQ(update.PromptDirectoryUpdate(126), DirectoryUpdate::Outcome::NoServer);
    const RecordedMessage noServer =
        shown("No update server is configured. Name one (host or host:port) with the key \"vendorhost\" in "
              "data/settings.xml.",
            "Vantelo", MessageIcon::Information);
    EXPECT_EQ(m_messages.messages(), (std::vector { noServer, noServer }));
    EXPECT_TRUE(m_wait.requests().empty());
    expectNothingChanged(0);
}

TEST_F(DirectoryUpdateTest, NewerVersionIsDownloadedAndInstalled)
{
    EXPECT_EQ(update().UpdateDirectoryList(), DirectoryUpdate::Outcome::Updated);
    EXPECT_EQ(m_messages.messages(), std::vector { kUpdated });
    EXPECT_EQ(m_folder.read("dirdata.xml"), kNewDatabase);
    EXPECT_EQ(m_folder.read("customdirdata.xml"), kCustom);
    EXPECT_EQ(m_list.version, 125);
    EXPECT_EQ(m_list.reloads, 1);

    ASSERT_EQ(m_wait.requests().size(), 2u);
    EXPECT_EQ(m_wait.requests()[0].url, m_server.url(kVersionPath));
    EXPECT_EQ(m_wait.requests()[0].message, "Checking for update...");
    EXPECT_FALSE(m_wait.requests()[0].toFile);
    EXPECT_EQ(m_wait.requests()[1].url, m_server.url(kDatabasePath));
    EXPECT_EQ(m_wait.requests()[1].message, "Downloading update...");
    EXPECT_TRUE(m_wait.requests()[1].toFile);
    // The temporary download is gone.
    EXPECT_FALSE(std::filesystem::exists(m_wait.requests()[1].outputFile));
}

TEST_F(DirectoryUpdateTest, InstalledVersionNotLowerMeansUpToDate)
{
    for (const int installed : { 125, 126 }) {
        SCOPED_TRACE(installed);
        m_messages.clear();
        m_list.version = installed;
        EXPECT_EQ(update().UpdateDirectoryList(), DirectoryUpdate::Outcome::UpToDate);
        EXPECT_EQ(m_messages.messages(), std::vector { kUpToDate });
        expectNothingChanged(installed);
    }
    EXPECT_EQ(m_server.requests().size(), 2u);
}

TEST_F(DirectoryUpdateTest, ErrorPageForTheVersionReadsAsZero)
{
    publish("<html><body>Not Found</body></html>", 200, kNewDatabase);
    EXPECT_EQ(update().UpdateDirectoryList(), DirectoryUpdate::Outcome::UpToDate);
    EXPECT_EQ(m_messages.messages(), std::vector { kUpToDate });
}

TEST_F(DirectoryUpdateTest, NoAnswerToTheVersionRequestChangesNothing)
{
    SettingsStore settings(m_messages);
    settings.SetSetting("vendorhost", "127.0.0.1:" + std::to_string(refusedPort()));
    const HostConfiguration deadHost(settings);
    DirectoryUpdate dead(m_messages, m_wait, m_list, deadHost, m_folder.path("dirdata.xml"));
    EXPECT_EQ(dead.UpdateDirectoryList(), DirectoryUpdate::Outcome::CheckFailed);
    EXPECT_EQ(m_messages.messages(),
        std::vector { shown("An error occurred while retrieving the new directory list. Please check your "
                            "internet connection.",
            "Vantelo", MessageIcon::Warning) });
    expectNothingChanged(0);
}

TEST_F(DirectoryUpdateTest, RefusedDownloadKeepsTheOldDatabaseAndVersion)
{
    const std::vector<std::pair<int, std::string>> refusals {
        { 200, "<HTML><BODY>Service unavailable</BODY></HTML>" }, { 200, "<html>maintenance</html>" },
        { 404, "Not Found" }, // an error status is never a database
        { 200, "" }, // nor is nothing
    };
    for (const auto& [status, body] : refusals) {
        SCOPED_TRACE(body);
        m_messages.clear();
        publish("125", status, body);
        EXPECT_EQ(update().UpdateDirectoryList(), DirectoryUpdate::Outcome::DownloadFailed);
        EXPECT_EQ(m_messages.messages(), std::vector { kDownloadFailed });
        expectNothingChanged(0);
        EXPECT_EQ(m_folder.read("customdirdata.xml"), kCustom);
    }
}

TEST_F(DirectoryUpdateTest, DownloadCutShortKeepsTheOldDatabase)
{
    LoopbackServer cutServer;
    cutServer.serve(kVersionPath, 200, "7");
    cutServer.handle(kDatabasePath, [](const httplib::Request&, httplib::Response& response) {
        // Announces 5000 bytes, sends 1000 and hangs up.
        response.set_content_provider(
            5000, "application/octet-stream", [](std::size_t offset, std::size_t, httplib::DataSink& sink) {
                return offset == 0 && sink.write(std::string(1000, 'x').data(), 1000);
            });
    });
    cutServer.start();
    SettingsStore settings(m_messages);
    settings.SetSetting("vendorhost", cutServer.host());
    const HostConfiguration hosts(settings);
    DirectoryUpdate cut(m_messages, m_wait, m_list, hosts, m_folder.path("dirdata.xml"));
    EXPECT_EQ(cut.UpdateDirectoryList(), DirectoryUpdate::Outcome::DownloadFailed);
    EXPECT_EQ(m_messages.messages(), std::vector { kDownloadFailed });
    expectNothingChanged(0);
}

TEST_F(DirectoryUpdateTest, PromptAsksFirstAndInstallsTheOfferedVersion)
{
    const RecordedMessage question {
        "A directory list update is available. Would you like to download it now?\r\nNote: your custom added "
        "directories will not be affected",
        "Vantelo", MessageIcon::Information, true, MessageButtons::YesNo
    };

    m_messages.answerNext(MessageAnswer::No);
    EXPECT_EQ(update().PromptDirectoryUpdate(130), DirectoryUpdate::Outcome::Declined);
    EXPECT_EQ(m_messages.messages(), std::vector { question });
    EXPECT_TRUE(m_server.requests().empty());

    m_messages.clear();
    m_messages.answerNext(MessageAnswer::Yes);
    EXPECT_EQ(update().PromptDirectoryUpdate(130), DirectoryUpdate::Outcome::Updated);
    EXPECT_EQ(m_messages.messages(), (std::vector { question, kUpdated }));
    EXPECT_EQ(m_list.version, 130);
    EXPECT_EQ(m_folder.read("dirdata.xml"), kNewDatabase);
    ASSERT_EQ(m_wait.requests().size(), 1u);
    EXPECT_EQ(m_wait.requests()[0].message, "Please wait...");
}

} // namespace
