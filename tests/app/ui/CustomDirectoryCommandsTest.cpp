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
#include "support/NamedChild.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <filesystem>
#include <optional>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Not;

namespace {

// Keeps a file readable but impossible to replace while it lives: its folder
// loses write permission, or for root, who ignores that, the file is made
// immutable (where the file system can).
class ReplaceBlocker {
public:
    explicit ReplaceBlocker(std::filesystem::path file)
        : m_file(std::move(file))
    {
        namespace fs = std::filesystem;
        if (::geteuid() != 0) {
            fs::permissions(m_file.parent_path(),
                fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                fs::perm_options::remove);
            m_blocked = true;
        } else {
            m_blocked = setImmutable(true);
        }
    }
    ~ReplaceBlocker()
    {
        if (::geteuid() != 0)
            std::filesystem::permissions(m_file.parent_path(), std::filesystem::perms::owner_write,
                std::filesystem::perm_options::add);
        else if (m_blocked)
            setImmutable(false);
    }
    ReplaceBlocker(const ReplaceBlocker&) = delete;
    ReplaceBlocker& operator=(const ReplaceBlocker&) = delete;

    bool blocked() const { return m_blocked; }

private:
    bool setImmutable(bool on) const
    {
        const int fd = ::open(m_file.c_str(), O_RDONLY);
        if (fd < 0)
            return false;
        int flags = 0;
        bool done = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
        if (done) {
            flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
            done = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
        }
        ::close(fd);
        return done;
    }

    std::filesystem::path m_file;
    bool m_blocked = false;
};

// One directory of the vendor's database and two of the user's own.
class CustomDirectoryCommandsTest : public ::testing::Test {
protected:
    CQuenlarDlg& start()
    {
        m_fixture.writeDatabase(directoryElement("Vendor", 5, "about:blank#vendor", R"(category="News")"));
        m_fixture.writeCustomDatabase(directoryElement("Mine", 2, "about:blank#mine", R"(category="Custom")")
            + directoryElement("Yours", 1, "about:blank#yours", R"(category="Custom")"));
        m_fixture.writeProfiles(profileElement("Site"), "Site");
        // The manager is driven by m_manage; "Edit Directory" by m_edit once a test
        // sets it, else as for the user.
        m_fixture.seams.customManager = { [this](CCustomDirListManager& manager) { m_manage(manager); },
            [this](CCustomDirListManager& manager, const std::string& name) {
                return m_edit ? m_edit(manager, name) : manager.editDirectory(name);
            } };
        return m_fixture.start();
    }

    // Runs "Manage Custom Directory List" with the manager driven by `use` instead of the user.
    void manage(CQuenlarDlg& window, std::function<void(CCustomDirListManager&)> use)
    {
        m_manage = std::move(use);
        window.menus().manageCustomDirectories->trigger();
    }

    // Removes a directory in the manager as the user does, answering its question with Yes.
    void removeInManager(CCustomDirListManager& manager, const char* name)
    {
        const QList<QListWidgetItem*> found =
            child<QListWidget>(manager, "directoryList")->findItems(QLatin1String(name), Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1);
        child<QListWidget>(manager, "directoryList")->setCurrentItem(found.front());
        m_fixture.messages.answerNext(MessageAnswer::Yes);
        child<QPushButton>(manager, "removeButton")->click();
    }

    MainWindowFixture m_fixture;
    std::function<void(CCustomDirListManager&)> m_manage;
    std::function<bool(CCustomDirListManager&, const std::string& name)> m_edit;
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
    std::optional<ReplaceBlocker> blocker(std::in_place, file);
    if (!blocker->blocked())
        GTEST_SKIP() << "files cannot be kept from being replaced here";
    manage(window, [&](CCustomDirListManager& manager) { removeInManager(manager, "Mine"); });
    ASSERT_THAT(m_fixture.folder.read("customdirdata.xml"), HasSubstr("\"Mine\""));
    EXPECT_FALSE(m_fixture.messages.messages().back().question);
    EXPECT_EQ(m_fixture.messages.messages().back().icon, MessageIcon::Error)
        << "the failed save was not reported";
    // The file still holds the directory; reading it again would bring it back.
    EXPECT_THAT(m_fixture.rowTexts(), ElementsAre("Vendor[pr5] [not sent]", "Yours[pr1] [not sent]"));

    blocker.reset();
    window.menus().saveAll->trigger();
    const std::string saved = m_fixture.folder.read("customdirdata.xml");
    EXPECT_THAT(saved, HasSubstr("\"Yours\""));
    EXPECT_THAT(saved, Not(HasSubstr("\"Mine\"")));
}

TEST_F(CustomDirectoryCommandsTest, EditDirectoryOpensTheWizardOnTheRowsDirectory)
{
    CQuenlarDlg& window = start();
    const std::string before = m_fixture.folder.read("customdirdata.xml");
    DirectoryListView* list = child<DirectoryPanel>(window, "directoryPanel")->list();
    list->selectRow(2);
    whenModal<CDirectoryEditDialog>([](CDirectoryEditDialog& wizard) {
        EXPECT_EQ(child<QLineEdit>(wizard, "nameEdit")->text(), QStringLiteral("Yours"));
        EXPECT_EQ(child<QLineEdit>(wizard, "addressEdit")->text(), QStringLiteral("about:blank#yours"));
        wizard.reject();
    });
    window.directoryList().contextMenuForSelection()->entry(QStringLiteral("Edit Directory"))->trigger();
    EXPECT_EQ(m_fixture.folder.read("customdirdata.xml"), before);

    // A change made in the wizard reaches the file and the list's categories.
    std::string edited;
    m_edit = [&](CCustomDirListManager& manager, const std::string& name) {
        edited = name;
        EXPECT_EQ(manager.parentWidget(), &window);
        for (DirectoryStore* store : { &window.state().customDirectories(), &window.state().directories() })
            store->SetCategory(name, "Custom,Weather");
        return true;
    };
    list->selectRow(2);
    window.directoryList().contextMenuForSelection()->entry(QStringLiteral("Edit Directory"))->trigger();
    EXPECT_EQ(edited, "Yours");
    EXPECT_THAT(m_fixture.folder.read("customdirdata.xml"), HasSubstr("category=\"Custom,Weather\""));
    window.directoryList().setCategoryFilter("Weather");
    EXPECT_THAT(m_fixture.rowTexts(), ElementsAre("Yours[pr1] [not sent]"));
}

} // namespace
