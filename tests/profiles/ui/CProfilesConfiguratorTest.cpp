#include "profiles/ui/CProfilesConfigurator.h"
#include "common/IClipboard.h"
#include "profiles/DirectoryAccounts.h"
#include "profiles/ui/AccountDialog.h"
#include "profiles/ui/AlternativeListEditor.h"
#include "profiles/ui/CAddRotateText.h"
#include "profiles/ui/CProfileConfigStep1.h"
#include "profiles/ui/CProfileConfigStep2.h"
#include "profiles/ui/CProfileConfigStep4.h"
#include "profiles/ui/CProfileConfigurator.h"

#include "../ProfileTestFiles.h"
#include "ProfileDialogTesting.h"
#include "support/MemorySecretStore.h"
#include "support/NamedChild.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace SendingProfile;
using ::testing::ElementsAre;

namespace {

const RecordedMessage kRemoveQuestion { "Are you sure you want to permanently remove this profile?",
    "Vantelo", MessageIcon::Question, true, MessageButtons::YesNo };

// A store with two profiles and a manager shown over it.
struct ShownManager {
    OpenedStore opened;
    AnsweringWaitDialog wait;
    std::unique_ptr<CProfilesConfigurator> manager;

    ShownManager()
    {
        opened.store.SetProfile("Shop", sampleProfile("Shop"));
        opened.store.SetProfile("Blog", sampleProfile("Blog"));
        manager = std::make_unique<CProfilesConfigurator>(opened.store, opened.messages, wait);
        manager->show();
    }

    std::vector<std::string> listed() const
    {
        std::vector<std::string> names;
        for (int row = 0; row < child<QListWidget>(*manager, "profileList")->count(); ++row)
            names.push_back(child<QListWidget>(*manager, "profileList")->item(row)->text().toStdString());
        return names;
    }

    std::vector<std::string> stored() const
    {
        std::vector<std::string> names;
        opened.store.GetProfileNames(names);
        return names;
    }
};

void addRow(AlternativeListEditor* list)
{
    whenModal<CAddRotateText>([](CAddRotateText& editor) {
        child<QPlainTextEdit>(editor, "textEdit")->setPlainText(QStringLiteral("text"));
        child<QPushButton>(editor, "okButton")->click();
    });
    list->addButton()->click();
}

TEST(CProfilesConfiguratorTest, AddsAProfileThroughTheWizard)
{
    ShownManager shown;
    CProfilesConfigurator& manager = *shown.manager;
    EXPECT_EQ(manager.windowTitle().toStdString(), "Profile Manager");
    EXPECT_THAT(shown.listed(), ElementsAre("Shop", "Blog"));

    whenModal<CProfileConfigurator>([](CProfileConfigurator& wizard) { wizard.reject(); });
    child<QPushButton>(manager, "addButton")->click();
    EXPECT_EQ(shown.listed().size(), 2);

    whenModal<CProfileConfigurator>([](CProfileConfigurator& wizard) {
        EXPECT_EQ(wizard.currentId(), CProfileConfigurator::kNamePage);
        child<QLineEdit>(wizard, "nameEdit")->setText(QStringLiteral("Forum"));
        wizard.next();
        child<QLineEdit>(wizard, "urlEdit")->setText(QStringLiteral("http://forum.example/"));
        child<QLineEdit>(wizard, "categoriesEdit")->setText(QStringLiteral("Computers"));
        for (AlternativeListEditor* list : { child<AlternativeListEditor>(wizard, "titleList"),
                 child<AlternativeListEditor>(wizard, "descriptionList"),
                 child<AlternativeListEditor>(wizard, "keywordList") })
            addRow(list);
        wizard.next();
        wizard.next();
        child<QLineEdit>(wizard, "firstNameEdit")->setText(QStringLiteral("F"));
        child<QLineEdit>(wizard, "lastNameEdit")->setText(QStringLiteral("L"));
        child<QLineEdit>(wizard, "emailEdit")->setText(QStringLiteral("f@forum.example"));
        wizard.next();
        wizard.next();
        wizard.button(QWizard::FinishButton)->click();
    });
    child<QPushButton>(manager, "addButton")->click();
    EXPECT_THAT(shown.listed(), ElementsAre("Shop", "Blog", "Forum"));
    EXPECT_EQ(child<QListWidget>(manager, "profileList")->currentRow(), 2);
    SiteProfile forum;
    ASSERT_TRUE(shown.opened.store.GetProfile("Forum", forum));
    EXPECT_EQ(forum.subcategories, "Computers");
    EXPECT_THAT(forum.serpPhrases, ElementsAre("text"));
    EXPECT_TRUE(shown.opened.messages.empty());
}

TEST(CProfilesConfiguratorTest, EditsTheSelectedProfileUnderItsName)
{
    ShownManager shown;
    CProfilesConfigurator& manager = *shown.manager;
    child<QListWidget>(manager, "profileList")->clearSelection();
    EXPECT_FALSE(child<QPushButton>(manager, "editButton")->isEnabled());
    EXPECT_FALSE(child<QPushButton>(manager, "removeButton")->isEnabled());

    child<QListWidget>(manager, "profileList")->setCurrentRow(1);
    EXPECT_TRUE(child<QPushButton>(manager, "editButton")->isDefault());
    whenModal<CProfileConfigurator>([](CProfileConfigurator& wizard) {
        EXPECT_EQ(wizard.currentId(), CProfileConfigurator::kSitePage);
        EXPECT_FALSE(wizard.button(QWizard::BackButton)->isEnabled());
        child<QLineEdit>(wizard, "urlEdit")->setText(QStringLiteral("http://blog.example/"));
        for (int page = 0; page < 4; ++page)
            wizard.next();
        wizard.button(QWizard::FinishButton)->click();
    });
    // Enter opens the selected profile.
    QTest::keyClick(child<QListWidget>(manager, "profileList"), Qt::Key_Return);
    SiteProfile blog;
    ASSERT_TRUE(shown.opened.store.GetProfile("Blog", blog));
    EXPECT_EQ(blog.url, "http://blog.example/");
    EXPECT_EQ(blog.titles, sampleProfile("Blog").titles);
    EXPECT_EQ(shown.listed().size(), 2);
    EXPECT_TRUE(shown.opened.messages.empty());
}

TEST(CProfilesConfiguratorTest, RemovesTheSelectedProfileAfterAsking)
{
    ShownManager shown;
    CProfilesConfigurator& manager = *shown.manager;
    child<QListWidget>(manager, "profileList")->setCurrentRow(0);
    child<QPushButton>(manager, "removeButton")->click();
    EXPECT_THAT(shown.stored(), ElementsAre("Shop", "Blog"));

    shown.opened.messages.answerNext(MessageAnswer::Yes);
    child<QPushButton>(manager, "removeButton")->click();
    EXPECT_THAT(shown.opened.messages.messages(), ElementsAre(kRemoveQuestion, kRemoveQuestion));
    EXPECT_THAT(shown.stored(), ElementsAre("Blog"));
    EXPECT_THAT(shown.listed(), ElementsAre("Blog"));
    EXPECT_EQ(child<QListWidget>(manager, "profileList")->currentRow(), 0);

    QTest::keyClick(&manager, Qt::Key_Escape);
    EXPECT_FALSE(manager.isVisible());
}

// Records what was copied.
struct CopiedText : IClipboard {
    void setText(const std::string& text) override { copied = text; }
    std::string copied;
};

// The selected profile's accounts: listed with the password hidden until
// revealed, copied, given the profile's password instead, and deleted after asking.
TEST(CProfilesConfiguratorTest, ListsTheSelectedProfilesAccountsAndChangesThem)
{
    ShownManager shown;
    MemorySecretStore secrets;
    DirectoryAccounts accounts(secrets);
    accounts.save("Shop", { "Best Dir", "jdoe", "own-pw" });
    CopiedText clipboard;
    shown.manager->showAccounts(accounts, clipboard);
    auto* table = child<QTableWidget>(*shown.manager, "accountTable");
    child<QListWidget>(*shown.manager, "profileList")->setCurrentRow(0);
    ASSERT_EQ(table->rowCount(), 1);
    EXPECT_EQ(table->item(0, 1)->text(), QStringLiteral("jdoe"));
    EXPECT_NE(table->item(0, 2)->text(), QStringLiteral("own-pw"));
    child<QPushButton>(*shown.manager, "revealButton")->click();
    EXPECT_EQ(table->item(0, 2)->text(), QStringLiteral("own-pw"));
    table->selectRow(0);
    child<QPushButton>(*shown.manager, "copyPasswordButton")->click();
    EXPECT_EQ(clipboard.copied, "own-pw");

    whenModal<AccountDialog>([](AccountDialog& dialog) {
        child<QCheckBox>(dialog, "profilePasswordBox")->setChecked(true);
        dialog.accept();
    });
    child<QPushButton>(*shown.manager, "changeAccountButton")->click();
    EXPECT_EQ(accounts.find("Shop", "Best Dir"), (DirectoryAccount { "Best Dir", "jdoe", "" }));

    shown.opened.messages.answerNext(MessageAnswer::Yes);
    table->selectRow(0);
    child<QPushButton>(*shown.manager, "deleteAccountButton")->click();
    EXPECT_TRUE(accounts.list("Shop").accounts.empty());
    EXPECT_EQ(table->rowCount(), 0);
    child<QListWidget>(*shown.manager, "profileList")->setCurrentRow(1);
    EXPECT_EQ(table->rowCount(), 0);
}

} // namespace
