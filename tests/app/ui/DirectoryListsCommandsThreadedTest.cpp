// The followed directory lists in the window: Settings > Directory Lists and
// Tools > Update Lists against a list served on loopback.

#include "MainWindowTesting.h"

#include "app/MainWindowState.h"
#include "app/ui/MainMenus.h"
#include "custom/FollowedLists.h"
#include "custom/ui/CDirectoryListsDlg.h"
#include "directories/DirectoryStore.h"
#include "profiles/ui/ProfileDialogTesting.h"
#include "support/NamedChild.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::HasSubstr;

namespace {

TEST(DirectoryListsCommandsThreaded, AListAddedInTheDialogIsUpdatedIntoTheWindowsList)
{
    LoopbackServer server;
    server.serve("/list.csv", 200,
        "name,url,dr,pricing\nAlpha,alpha.example,30,Free\nMine,mine.example,44,\n", "text/csv");
    server.start();
    const std::string url = server.url("/list.csv");
    MainWindowFixture fixture;
    fixture.writeDatabase(directoryElement("Vendor", 5, "about:blank#vendor"));
    fixture.writeCustomDatabase(directoryElement("Mine", 2, "http://mine.example/", R"(category="Custom")"));
    fixture.writeProfiles(profileElement("Site"), "Site");
    std::vector<std::string> shown;
    fixture.seams.directoryLists.manage = [&](CDirectoryListsDlg& dialog) {
        auto* list = child<QListWidget>(dialog, "listList");
        // The suggested list is added by its button and fetched by nothing.
        child<QPushButton>(dialog, "suggestButton")->click();
        EXPECT_FALSE(child<QPushButton>(dialog, "suggestButton")->isEnabled());
        EXPECT_EQ(list->item(0)->text().toStdString(),
            std::string(FollowedLists::kSuggestedUrl) + " (not read yet)");
        list->setCurrentRow(0);
        fixture.messages.answerNext(MessageAnswer::Yes);
        child<QPushButton>(dialog, "removeButton")->click();
        child<QLineEdit>(dialog, "urlEdit")->setText(QStringLiteral("not a list address"));
        child<QPushButton>(dialog, "addButton")->click();
        child<QLineEdit>(dialog, "urlEdit")->setText(QString::fromStdString(url));
        child<QPushButton>(dialog, "addButton")->click();
        child<QPushButton>(dialog, "updateButton")->click();
        shown.push_back(list->item(0)->text().toStdString());
    };
    CQuenlarDlg& window = fixture.start();
    window.menus().directoryLists->trigger();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_THAT(shown.front(), HasSubstr(url + " (updated "));
    EXPECT_THAT(shown.front(), HasSubstr(", 2 directories)"));
    EXPECT_EQ(server.requests().size(), 1u);

    const std::vector<std::string> texts = fixture.messages.texts();
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[1], CDirectoryListsDlg::kNotAnAddress);
    EXPECT_EQ(texts[2],
        "Directory lists updated:\n" + url + ": 1 added, 1 updated, 0 no longer listed, 0 unchanged");
    const DirectoryRecord* alpha = window.state().directories().find("Alpha");
    ASSERT_NE(alpha, nullptr);
    EXPECT_EQ(alpha->listFacts, (DirectoryListFacts { 30, "", "free", false }));
    EXPECT_THAT(fixture.folder.read("customdirdata.xml"), HasSubstr("rating=\"44\""));

    // Tools > Update Lists again: the same list, nothing new.
    window.menus().updateLists->trigger();
    EXPECT_EQ(fixture.messages.texts().back(),
        "Directory lists updated:\n" + url + ": 0 added, 0 updated, 0 no longer listed, 2 unchanged");
}

} // namespace
