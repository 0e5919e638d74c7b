#include "stats/ui/CNewSnapshotDlg.h"

#include "GuiTestSupport.h"
#include "directories/DirectoryStore.h"
#include "profiles/ProfileStore.h"
#include "stats/RecordingSleeper.h"
#include "stats/SearchServices.h"
#include "support/FixedClock.h"
#include "support/NamedChild.h"
#include "support/RecordingMessageBox.h"
#include "support/TempFolder.h"
#include "widgets/CStaticHelp.h"
#include "widgets/CStaticTip.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

#include <gtest/gtest.h>

using SendingProfile::ProfileStore;
using SendingProfile::SiteProfile;

namespace {

constexpr std::time_t kToday = 1614945600;

// A profile "Shop" with phrases, the stores and services a dialog needs, and a
// file chooser that answers with a prepared path.
class CNewSnapshotDlgTest : public ::testing::Test {
protected:
    CNewSnapshotDlgTest()
    {
        m_profile.name = "Shop";
        m_profile.url = "http://www.example.com";
        m_profile.serpPhrases = { "shoes" };
        m_profiles.SetProfile("Shop", m_profile);
    }

    std::unique_ptr<CNewSnapshotDlg> dialog(const SiteProfile& profile)
    {
        return std::make_unique<CNewSnapshotDlg>(profile, m_profiles, m_directories, m_services.hosts(),
            m_messages,
            CNewSnapshotDlg::Seams { .sleeper = m_sleeper,
                .clock = std::make_shared<FixedClock>(kToday),
                .chooseFile = [this](QWidget*) {
                    ++m_chosen;
                    return m_answer;
                } });
    }

    RecordingMessageBox m_messages;
    ProfileStore m_profiles { m_messages };
    DirectoryStore m_directories { m_messages };
    SearchServices m_services;
    std::shared_ptr<RecordingSleeper> m_sleeper = std::make_shared<RecordingSleeper>();
    SiteProfile m_profile;
    TempFolder m_folder;
    QString m_answer;
    int m_chosen = 0;
};

TEST_F(CNewSnapshotDlgTest, OptionsHelpAndDefaults)
{
    const auto window = dialog(m_profile);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("New Snapshot - Shop"));
    EXPECT_EQ(child<QCheckBox>(*window, "generalBox")->text(),
        QStringLiteral("Include general search engine stats"));
    EXPECT_TRUE(child<QCheckBox>(*window, "generalBox")->isChecked());
    EXPECT_TRUE(child<QCheckBox>(*window, "serpBox")->isChecked());
    EXPECT_TRUE(child<QCheckBox>(*window, "serpBox")->isEnabled());
    EXPECT_FALSE(child<QCheckBox>(*window, "approvalBox")->isChecked());
    EXPECT_FALSE(child<QCheckBox>(*window, "entireBox")->isEnabled());
    EXPECT_FALSE(child<QSpinBox>(*window, "resumeEdit")->isEnabled());
    EXPECT_EQ(child<QSpinBox>(*window, "resumeEdit")->value(), 0);
    EXPECT_EQ(child<QLabel>(*window, "statusLine")->text(), QStringLiteral("Status: idle"));
    EXPECT_FALSE(child<QPushButton>(*window, "saveButton")->isEnabled());
    EXPECT_TRUE(child<QPushButton>(*window, "startButton")->isDefault());

    child<QCheckBox>(*window, "approvalBox")->setChecked(true);
    EXPECT_TRUE(child<QCheckBox>(*window, "entireBox")->isEnabled());
    EXPECT_TRUE(child<QSpinBox>(*window, "resumeEdit")->isEnabled());
    child<QCheckBox>(*window, "approvalBox")->setChecked(false);
    EXPECT_FALSE(child<QCheckBox>(*window, "entireBox")->isEnabled());

    QStringList help;
    for (const CStaticHelp* icon : window->findChildren<CStaticHelp*>())
        help << icon->helpText();
    ASSERT_EQ(help.size(), 5);
    EXPECT_TRUE(help[0].startsWith(QStringLiteral("Include general indicators or a site's strength")));
    EXPECT_TRUE(help[1].endsWith(
        QStringLiteral("If this box is disabled, no phrases are configured for this profile.")));
    EXPECT_EQ(help[2], QStringLiteral("Include information on the directories that link to this site"));
    EXPECT_TRUE(
        help[3].startsWith(QStringLiteral("If checked, will verify all directories from the database.")));
    EXPECT_TRUE(help[4].startsWith(QStringLiteral("Resume the check from the provided record")));

    SiteProfile withoutPhrases = m_profile;
    withoutPhrases.serpPhrases.clear();
    const auto plain = dialog(withoutPhrases);
    EXPECT_FALSE(child<QCheckBox>(*plain, "serpBox")->isChecked());
    EXPECT_FALSE(child<QCheckBox>(*plain, "serpBox")->isEnabled());
}

TEST_F(CNewSnapshotDlgTest, AllOptionsOffOffersTheBareReportAndSavesIt)
{
    m_answer = QString::fromStdString(m_folder.path("snapshot.html").string());
    const auto window = dialog(m_profile);
    window->show();
    child<QCheckBox>(*window, "generalBox")->setChecked(false);
    child<QCheckBox>(*window, "serpBox")->setChecked(false);
    child<QPushButton>(*window, "startButton")->click();
    EXPECT_FALSE(child<QPushButton>(*window, "startButton")->isEnabled());
    EXPECT_FALSE(child<QCheckBox>(*window, "generalBox")->isEnabled());
    ASSERT_TRUE(waitUntil([&] { return m_chosen == 1; }));
    EXPECT_TRUE(child<QPushButton>(*window, "saveButton")->isEnabled());
    EXPECT_EQ(m_messages.messages(),
        std::vector<RecordedMessage> {
            shown("Your snapshot was successfully saved.", "Vantelo", MessageIcon::Information) });
    const std::string report = m_folder.read("snapshot.html");
    EXPECT_EQ(report.rfind("<html><head><title>Snapshot for http://www.example.com - ", 0), 0u);
    EXPECT_EQ(report.find("justtext\">General"), std::string::npos);
    EXPECT_EQ(report.find("Search Engine Position"), std::string::npos);
    ASSERT_TRUE(waitUntil(
        [&] { return child<QLabel>(*window, "statusLine")->text() == QStringLiteral("Status: idle"); }));

    // Cancelling the save dialog saves nothing; Save asks again.
    m_answer.clear();
    child<QPushButton>(*window, "saveButton")->click();
    EXPECT_EQ(m_chosen, 2);
    EXPECT_EQ(m_messages.messages().size(), 1u);
    EXPECT_FALSE(window->approvalIncluded());
}

} // namespace
