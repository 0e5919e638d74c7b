// The main window's commands on the user's own directories: the custom
// directory list manager and "Edit Directory" of the list's context menu.

#include "MainWindowTesting.h"

#include "app/MainWindowState.h"
#include "app/ui/CustomDirectoryCommands.h"
#include "app/ui/DirectoryContextMenu.h"
#include "app/ui/DirectoryListController.h"
#include "app/ui/DirectoryListView.h"
#include "app/ui/DirectoryPanel.h"
#include "app/ui/MainMenus.h"
#include "custom/ui/CCustomDirListManager.h"
#include "custom/ui/CDirectoryEditDialog.h"
#include "directories/DirectoryStore.h"
#include "profiles/ui/ProfileDialogTesting.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <filesystem>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Not;

namespace {

// One directory of the vendor's database and two of the user's own.
class CustomDirectoryCommandsTest : public ::testing::Test {
protected:
    CQuenlarDlg& start()
    {
        m_fixture.writeDatabase(directoryElement("Vendor", 5, "about:blank#vendor", R"(category="News")"));
        m_fixture.writeCustomDatabase(directoryElement("Mine", 2, "about:blank#mine", R"(category="Custom")")
            + directoryElement("Yours", 1, "about:blank#yours", R"(category="Custom")"));
        m_fixture.writeProfiles(profileElement("Site"), "Site");
        return m_fixture.start();
    }

    // Runs "Manage Custom Directory List" with the manager driven by `use` instead of the user.
    void manage(CQuenlarDlg& window, std::function<void(CCustomDirListManager&)> use)
    {
        window.customDirectoryCommands().setManagerUse({ std::move(use), {} });
        window.menus().manageCustomDirectories->trigger();
    }

    // Removes a directory in the manager as the user does, answering its question with Yes.
    void removeInManager(CCustomDirListManager& manager, const char* name)
    {
        const QList<QListWidgetItem*> found =
            manager.directoryList()->findItems(QLatin1String(name), Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1);
        manager.directoryList()->setCurrentItem(found.front());
        m_fixture.messages.answerNext(MessageAnswer::Yes);
        manager.removeButton()->click();
    }

    MainWindowFixture m_fixture;
};

TEST_F(CustomDirectoryCommandsTest, TheManagersChangesAreSavedAndTheListIsReadAgain)
{
    CQuenlarDlg& window = start();
    ASSERT_THAT(m_fixture.rowTexts(),
        ElementsAre("Vendor[pr5] [not sent]", "Mine[pr2] [not sent]", "Yours[pr1] [not sent]"));
    manage(window, [&](CCustomDirListManager& manager) {
        EXPECT_EQ(manager.parentWidget(), &window);
        removeInManager(manager, "Mine");
        // The databases are read again after the manager: a main database changed meanwhile shows.
        m_fixture.writeDatabase(directoryElement("Vendor", 5, "about:blank#vendor", R"(category="News")")
            + directoryElement("Fresh", 4, "about:blank#fresh", R"(category="News")"));
    });
    EXPECT_THAT(m_fixture.rowTexts(),
        ElementsAre("Vendor[pr5] [not sent]", "Fresh[pr4] [not sent]", "Yours[pr1] [not sent]"));
    const std::string saved = m_fixture.folder.read("customdirdata.xml");
    EXPECT_THAT(saved, Not(HasSubstr("\"Mine\"")));
    EXPECT_THAT(saved, HasSubstr("\"Yours\""));
}

TEST_F(CustomDirectoryCommandsTest, AManagersChangeThatCannotBeSavedStaysForTheNextSave)
{
    CQuenlarDlg& window = start();
    const std::filesystem::path file = m_fixture.folder.path("customdirdata.xml");
    manage(window, [&](CCustomDirListManager& manager) {
        removeInManager(manager, "Mine");
        // Nothing can be written where the file was (a folder that is not empty).
        std::filesystem::remove(file);
        std::filesystem::create_directories(file / "in the way");
    });
    ASSERT_FALSE(m_fixture.messages.empty());
    EXPECT_FALSE(m_fixture.messages.messages().back().question);
    EXPECT_EQ(m_fixture.messages.messages().back().icon, MessageIcon::Error)
        << "the failed save was not reported";
    EXPECT_THAT(m_fixture.rowTexts(), ElementsAre("Vendor[pr5] [not sent]", "Yours[pr1] [not sent]"));

    std::filesystem::remove_all(file);
    window.menus().saveAll->trigger();
    const std::string saved = m_fixture.folder.read("customdirdata.xml");
    EXPECT_THAT(saved, HasSubstr("\"Yours\""));
    EXPECT_THAT(saved, Not(HasSubstr("\"Mine\"")));
}

TEST_F(CustomDirectoryCommandsTest, EditDirectoryOpensTheWizardOnTheRowsDirectory)
{
    CQuenlarDlg& window = start();
    const std::string before = m_fixture.folder.read("customdirdata.xml");
    DirectoryListView* list = window.directoryPanel().list();
    list->selectRow(2);
    whenModal<CDirectoryEditDialog>([](CDirectoryEditDialog& wizard) {
        EXPECT_EQ(wizard.nameEdit()->text(), QStringLiteral("Yours"));
        EXPECT_EQ(wizard.addressEdit()->text(), QStringLiteral("about:blank#yours"));
        wizard.reject();
    });
    window.directoryList().contextMenuForSelection()->entry(QStringLiteral("Edit Directory"))->trigger();
    EXPECT_EQ(m_fixture.folder.read("customdirdata.xml"), before);

    // A change made in the wizard reaches the file and the list's categories.
    std::string edited;
    window.customDirectoryCommands().setManagerUse(
        { {}, [&](CCustomDirListManager& manager, const std::string& name) {
             edited = name;
             EXPECT_EQ(manager.parentWidget(), &window);
             for (DirectoryStore* store :
                 { &window.state().customDirectories(), &window.state().directories() })
                 store->SetCategory(name, "Custom,Weather");
             return true;
         } });
    list->selectRow(2);
    window.directoryList().contextMenuForSelection()->entry(QStringLiteral("Edit Directory"))->trigger();
    EXPECT_EQ(edited, "Yours");
    EXPECT_THAT(m_fixture.folder.read("customdirdata.xml"), HasSubstr("category=\"Custom,Weather\""));
    window.directoryList().setCategoryFilter("Weather");
    EXPECT_THAT(m_fixture.rowTexts(), ElementsAre("Yours[pr1] [not sent]"));
}

} // namespace
