#include "stats/ui/CNewSnapshotDlg.h"

#include "GuiTestSupport.h"
#include "directories/DirectoryStore.h"
#include "profiles/ProfileStore.h"
#include "stats/Gate.h"
#include "stats/RecordingSleeper.h"
#include "stats/SearchServices.h"
#include "stats/StatisticsFakes.h"
#include "support/FixedClock.h"
#include "support/NamedChild.h"
#include "support/RecordingMessageBox.h"
#include "support/TempFolder.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

#include <gtest/gtest.h>

#include <atomic>

using SendingProfile::ProfileStore;
using SendingProfile::SiteProfile;
using SendingProfile::SubmissionEntry;

namespace {

constexpr std::time_t kToday = 1614945600;
constexpr const char* kLink = "<a href=\"http://www.example.com/\">Example</a>";

// A profile "Shop" sent to directory A, a database that knows A and B, and a
// loopback host for both directories.
class CNewSnapshotDlgThreaded : public ::testing::Test {
protected:
    CNewSnapshotDlgThreaded()
    {
        m_directoryHost.start();
        m_profile.name = "Shop";
        m_profile.url = "http://www.example.com";
        m_profiles.SetProfile("Shop", m_profile);
        m_profiles.AddSubmission(
            "Shop", "A", m_directoryHost.url("/a/submit.php"), "T", "K", "D", "01 May 2020");
        m_directories.AddDirectory("A");
        m_directories.SetSubmitUrl("A", m_directoryHost.url("/a/submit.php"));
        m_directories.AddDirectory("B");
        m_directories.SetSubmitUrl("B", m_directoryHost.url("/b/add.php"));
    }

    std::unique_ptr<CNewSnapshotDlg> approvalDialog()
    {
        auto made = std::make_unique<CNewSnapshotDlg>(m_profile, m_profiles, m_directories,
            m_services.hosts(), m_messages,
            CNewSnapshotDlg::Seams { .sleeper = std::make_shared<RecordingSleeper>(),
                .clock = std::make_shared<FixedClock>(kToday),
                .chooseFile = [this](QWidget*) {
                    ++m_chosen;
                    return QString::fromStdString(m_folder.path("snapshot.html").string());
                } });
        child<QCheckBox>(*made, "generalBox")->setChecked(false);
        child<QCheckBox>(*made, "approvalBox")->setChecked(true);
        child<QCheckBox>(*made, "entireBox")->setChecked(true);
        return made;
    }

    std::vector<SubmissionEntry> history()
    {
        std::vector<SubmissionEntry> entries;
        m_profiles.GetSubmissionHistory("Shop", entries);
        return entries;
    }

    RecordingMessageBox m_messages;
    ProfileStore m_profiles { m_messages };
    DirectoryStore m_directories { m_messages };
    SearchServices m_services;
    LoopbackServer m_directoryHost;
    SiteProfile m_profile;
    TempFolder m_folder;
    int m_chosen = 0;
};

TEST_F(CNewSnapshotDlgThreaded, ApprovalsFoundAreRecordedAndReported)
{
    m_directoryHost.serve(R"(/[ab]/index\.php)", 200, kLink);
    const auto window = approvalDialog();
    window->show();
    child<QPushButton>(*window, "startButton")->click();
    ASSERT_TRUE(waitUntil([&] { return m_chosen == 1; }));
    ASSERT_TRUE(waitUntil(
        [&] { return child<QLabel>(*window, "statusLine")->text() == QStringLiteral("Status: idle"); }));
    EXPECT_TRUE(window->approvalIncluded());

    const auto entries = history();
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].title, "T");
    EXPECT_EQ(entries[1].friendlyName, "B");
    EXPECT_EQ(entries[1].title, "<Found by Directory Crawler module>");
    EXPECT_TRUE(m_profiles.IsApproved("Shop", "A", ""));
    EXPECT_TRUE(m_profiles.IsApproved("Shop", "B", ""));
    EXPECT_NE(m_folder.read("snapshot.html").find("Approval detected in 2 directories."), std::string::npos);
}

TEST_F(CNewSnapshotDlgThreaded, AMissingTrafficListIsDownloadedAndItsAgeShown)
{
    LoopbackServer tranco;
    tranco.serve("/top-1m.csv.zip", 200, zipOf("top-1m.csv", trancoText(50, { { 3, "example.com" } })));
    tranco.start();
    HostConfiguration hosts = m_services.hosts();
    StatisticsServices services = hosts.services();
    services.trancoUrl = tranco.url("/top-1m.csv.zip");
    hosts.setServices(services);
    CNewSnapshotDlg window(m_profile, m_profiles, m_directories, hosts, m_messages,
        CNewSnapshotDlg::Seams { .sleeper = std::make_shared<RecordingSleeper>(),
            .clock = std::make_shared<FixedClock>(std::time(nullptr)),
            .chooseFile = [this](QWidget*) {
                ++m_chosen;
                return QString::fromStdString(m_folder.path("snapshot.html").string());
            } });
    window.setTrafficList(m_folder.path("data/tranco-top-1m.csv"));
    const QLabel* age = child<QLabel>(window, "trafficListLine");
    EXPECT_EQ(age->text().toStdString(),
        "Traffic rank list (Tranco): not downloaded yet; it is downloaded when the snapshot starts");

    window.show();
    child<QPushButton>(window, "startButton")->click();
    ASSERT_TRUE(waitUntil([&] { return m_chosen == 1; }));
    EXPECT_EQ(age->text().toStdString().find("Traffic rank list (Tranco): downloaded on "), 0u);
    EXPECT_NE(age->text().toStdString().find("(today)"), std::string::npos);
    EXPECT_NE(m_folder.read("snapshot.html").find("Traffic Rank</td><td>3</td>"), std::string::npos);
}

TEST_F(CNewSnapshotDlgThreaded, WorkersFinishingAfterTheWindowIsGoneTouchNothing)
{
    Gate gate;
    std::atomic<int> asked { 0 };
    m_directoryHost.handle(R"(/[ab]/index\.php)",
        [&asked, opened = gate.opened()](const httplib::Request&, httplib::Response& response) {
            ++asked;
            opened.wait();
            response.set_content(kLink, "text/html");
        });
    auto window = approvalDialog();
    window->show();
    child<QPushButton>(*window, "startButton")->click();
    ASSERT_TRUE(waitUntil([&] { return asked == 2; }));
    const std::weak_ptr<SnapshotRun> run = window->run();
    child<QPushButton>(*window, "closeButton")->click();
    window.reset();

    gate.open();
    ASSERT_TRUE(waitUntil([&] { return run.expired(); }));
    QCoreApplication::processEvents();
    // The window closed before anything was found: nothing was recorded or offered.
    EXPECT_EQ(history().size(), 1u);
    EXPECT_FALSE(m_profiles.IsApproved("Shop", "A", ""));
    EXPECT_EQ(m_chosen, 0);
    EXPECT_TRUE(m_messages.empty());
}

} // namespace
