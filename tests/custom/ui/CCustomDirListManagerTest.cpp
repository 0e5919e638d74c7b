#include "custom/ui/CCustomDirListManager.h"

#include "CustomDialogTesting.h"
#include "GuiTestSupport.h"
#include "common/DataFolder.h"
#include "custom/ui/CAddReciprocalDlg.h"
#include "custom/ui/CDirectoryEditDialog.h"
#include "custom/ui/CImportDirectoriesDlg.h"
#include "directories/DirectoryStore.h"
#include "profiles/ui/ProfileDialogTesting.h"
#include "support/NamedChild.h"
#include "support/TempFolder.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ElementsAre;
using ::testing::HasSubstr;

namespace {

// Two custom directories, merged into a main store that has one of its own,
// and the manager over both.
class CCustomDirListManagerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_server.start();
        for (const char* name : { "Alpha", "Beta" }) {
            m_custom.AddDirectory(name);
            m_custom.SetSubmitUrl(
                name, "http://" + QString::fromLatin1(name).toLower().toStdString() + ".com/add");
            m_custom.SetCategory(name, "Custom,News,");
        }
        m_main.MergeLoadedCustom(m_custom);
        m_main.AddDirectory("Vendor");
        m_manager = std::make_unique<CCustomDirListManager>(
            m_main, m_custom, DataFolder(m_folder.path()), pageRankAt(m_server), m_messages);
        m_manager->show();
    }

    std::vector<std::string> listed() const
    {
        std::vector<std::string> names;
        for (int row = 0; row < child<QListWidget>(*m_manager, "directoryList")->count(); ++row)
            names.push_back(child<QListWidget>(*m_manager, "directoryList")->item(row)->text().toStdString());
        return names;
    }

    LoopbackServer m_server;
    TempFolder m_folder;
    RecordingMessageBox m_messages;
    DirectoryStore m_custom { m_messages, "customdirs" };
    DirectoryStore m_main { m_messages };
    std::unique_ptr<CCustomDirListManager> m_manager;
};

TEST_F(CCustomDirListManagerTest, EditOpensTheWizardOnTheDirectory)
{
    EXPECT_EQ(m_manager->windowTitle(), QStringLiteral("Custom Directory List Manager"));
    EXPECT_THAT(listed(), ElementsAre("Alpha", "Beta"));
    child<QListWidget>(*m_manager, "directoryList")->setCurrentRow(1);
    whenModal<CDirectoryEditDialog>([](CDirectoryEditDialog& wizard) {
        EXPECT_EQ(child<QLineEdit>(wizard, "nameEdit")->text(), QStringLiteral("Beta"));
        EXPECT_FALSE(child<QLineEdit>(wizard, "nameEdit")->isEnabled());
        EXPECT_EQ(child<QLineEdit>(wizard, "addressEdit")->text(), QStringLiteral("http://beta.com/add"));
        wizard.reject();
    });
    child<QPushButton>(*m_manager, "editButton")->click();
    // By name, as the main window asks; a name that is no custom directory opens nothing.
    EXPECT_FALSE(m_manager->editDirectory("Vendor"));
    EXPECT_FALSE(m_folder.exists("customdirdata.xml"));
}

// The import's PageRank checks run on a worker.
class CCustomDirListManagerThreaded : public CCustomDirListManagerTest { };

TEST_F(CCustomDirListManagerThreaded, ImportAddsTheFileAndSaves)
{
    const std::string list =
        m_folder.write("list.txt", "http://alpha.com/other\nGamma,http://gamma.com\n").string();
    whenModal<CImportDirectoriesDlg>([list](CImportDirectoriesDlg& import) {
        child<QLineEdit>(import, "fileEdit")->setText(QString::fromStdString(list));
        child<QPushButton>(import, "cancelButton")->click();
    });
    child<QPushButton>(*m_manager, "importButton")->click();
    EXPECT_THAT(listed(), ElementsAre("Alpha", "Beta"));

    whenModal<CImportDirectoriesDlg>([list](CImportDirectoriesDlg& import) {
        child<QLineEdit>(import, "fileEdit")->setText(QString::fromStdString(list));
        child<QPushButton>(import, "importButton")->click();
        waitUntil(
            [&] { return child<QPushButton>(import, "cancelButton")->text() == QStringLiteral("Close"); },
            30000);
        child<QPushButton>(import, "cancelButton")->click();
    });
    child<QPushButton>(*m_manager, "importButton")->click();
    EXPECT_THAT(listed(), ElementsAre("Alpha", "Beta", "Gamma"));
    EXPECT_EQ(m_main.GetCategory("Gamma"), "Custom");
    EXPECT_THAT(m_folder.read("customdirdata.xml"), HasSubstr("name=\"Gamma\""));
}

TEST(CAddReciprocalDlgTest, GivesTheCodeAsTyped)
{
    const std::string code = "<a href=\"http://example.com/\">Example</a>\n";
    whenModal<CAddReciprocalDlg>([code](CAddReciprocalDlg& dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Add Reciprocal"));
        child<QPlainTextEdit>(dialog, "codeEdit")->setPlainText(QString::fromStdString(code));
        child<QPushButton>(dialog, "okButton")->click();
    });
    EXPECT_EQ(CAddReciprocalDlg::askCode(nullptr), code);
    whenModal<CAddReciprocalDlg>(
        [](CAddReciprocalDlg& dialog) { child<QPushButton>(dialog, "cancelButton")->click(); });
    EXPECT_EQ(CAddReciprocalDlg::askCode(nullptr), std::nullopt);
}

} // namespace
