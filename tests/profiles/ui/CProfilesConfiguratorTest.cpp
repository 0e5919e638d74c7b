#include "profiles/ui/CProfilesConfigurator.h"
#include "profiles/ui/AlternativeListEditor.h"
#include "profiles/ui/CAddRotateText.h"
#include "profiles/ui/CProfileConfigStep1.h"
#include "profiles/ui/CProfileConfigStep2.h"
#include "profiles/ui/CProfileConfigStep4.h"
#include "profiles/ui/CProfileConfigurator.h"

#include "../ProfileTestFiles.h"
#include "ProfileDialogTesting.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
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
        for (int row = 0; row < manager->profileList()->count(); ++row)
            names.push_back(manager->profileList()->item(row)->text().toStdString());
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
        editor.textEdit()->setPlainText(QStringLiteral("text"));
        editor.okButton()->click();
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
    manager.addButton()->click();
    EXPECT_EQ(shown.listed().size(), 2);

    whenModal<CProfileConfigurator>([](CProfileConfigurator& wizard) {
        EXPECT_EQ(wizard.currentId(), CProfileConfigurator::kNamePage);
        wizard.step1()->nameEdit()->setText(QStringLiteral("Forum"));
        wizard.next();
        wizard.step2()->urlEdit()->setText(QStringLiteral("http://forum.example/"));
        wizard.step2()->categoriesEdit()->setText(QStringLiteral("Computers"));
        for (AlternativeListEditor* list :
            { wizard.step2()->titles(), wizard.step2()->descriptions(), wizard.step2()->keywords() })
            addRow(list);
        wizard.next();
        wizard.next();
        wizard.step4()->field(CProfileConfigStep4::kFirstName)->setText(QStringLiteral("F"));
        wizard.step4()->field(CProfileConfigStep4::kLastName)->setText(QStringLiteral("L"));
        wizard.step4()->field(CProfileConfigStep4::kEmail)->setText(QStringLiteral("f@forum.example"));
        wizard.next();
        wizard.button(QWizard::FinishButton)->click();
    });
    manager.addButton()->click();
    EXPECT_THAT(shown.listed(), ElementsAre("Shop", "Blog", "Forum"));
    EXPECT_EQ(manager.profileList()->currentRow(), 2);
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
    manager.profileList()->clearSelection();
    EXPECT_FALSE(manager.editButton()->isEnabled());
    EXPECT_FALSE(manager.removeButton()->isEnabled());

    manager.profileList()->setCurrentRow(1);
    EXPECT_TRUE(manager.editButton()->isDefault());
    whenModal<CProfileConfigurator>([](CProfileConfigurator& wizard) {
        EXPECT_EQ(wizard.currentId(), CProfileConfigurator::kSitePage);
        EXPECT_FALSE(wizard.button(QWizard::BackButton)->isEnabled());
        wizard.step2()->urlEdit()->setText(QStringLiteral("http://blog.example/"));
        wizard.next();
        wizard.next();
        wizard.next();
        wizard.button(QWizard::FinishButton)->click();
    });
    // Enter opens the selected profile.
    QTest::keyClick(manager.profileList(), Qt::Key_Return);
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
    manager.profileList()->setCurrentRow(0);
    manager.removeButton()->click();
    EXPECT_THAT(shown.stored(), ElementsAre("Shop", "Blog"));

    shown.opened.messages.answerNext(MessageAnswer::Yes);
    manager.removeButton()->click();
    EXPECT_THAT(shown.opened.messages.messages(), ElementsAre(kRemoveQuestion, kRemoveQuestion));
    EXPECT_THAT(shown.stored(), ElementsAre("Blog"));
    EXPECT_THAT(shown.listed(), ElementsAre("Blog"));
    EXPECT_EQ(manager.profileList()->currentRow(), 0);

    QTest::keyClick(&manager, Qt::Key_Escape);
    EXPECT_FALSE(manager.isVisible());
}

} // namespace
