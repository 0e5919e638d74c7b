#include "profiles/ui/CProfileConfigurator.h"
#include "profiles/ui/AlternativeListEditor.h"
#include "profiles/ui/CAddRotateText.h"
#include "profiles/ui/CProfileConfigStep1.h"
#include "profiles/ui/CProfileConfigStep2.h"
#include "profiles/ui/CProfileConfigStep3.h"
#include "profiles/ui/CProfileConfigStep4.h"
#include "profiles/ui/CProfileConfigStep5.h"

#include "../ProfileTestFiles.h"
#include "ProfileDialogTesting.h"
#include "support/NamedChild.h"
#include "support/ScriptedFileDialog.h"
#include "support/TempFolder.h"
#include "widgets/CStaticHelp.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTreeWidget>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace SendingProfile;
using ::testing::ElementsAre;

namespace {

void next(CProfileConfigurator& wizard)
{
    wizard.button(QWizard::NextButton)->click();
}

void back(CProfileConfigurator& wizard)
{
    wizard.button(QWizard::BackButton)->click();
}

// Adds a row through the list's "add" button and the editor it opens.
void addRow(AlternativeListEditor* list, const char* text)
{
    whenModal<CAddRotateText>([text](CAddRotateText& editor) {
        child<QPlainTextEdit>(editor, "textEdit")->setPlainText(QString::fromUtf8(text));
        child<QPushButton>(editor, "okButton")->click();
    });
    list->addButton()->click();
}

std::vector<std::string> rowTexts(const QTreeWidget* rows, int column)
{
    std::vector<std::string> texts;
    for (int row = 0; row < rows->topLevelItemCount(); ++row)
        texts.push_back(rows->topLevelItem(row)->text(column).toStdString());
    return texts;
}

std::vector<std::string> listTexts(const QListWidget* list)
{
    std::vector<std::string> texts;
    for (int row = 0; row < list->count(); ++row)
        texts.push_back(list->item(row)->text().toStdString());
    return texts;
}

struct NewWizard {
    RecordingMessageBox messages;
    AnsweringWaitDialog wait;
    CProfileConfigurator wizard { ProfileWizardModel::newProfile(messages, { "Taken" }), messages, wait };
};

TEST(CProfileConfiguratorTest, NewProfileGoesThroughTheChecksOfEachPage)
{
    NewWizard run;
    CProfileConfigurator& wizard = run.wizard;
    wizard.show();
    EXPECT_EQ(wizard.currentId(), CProfileConfigurator::kNamePage);
    EXPECT_EQ(wizard.windowTitle().toStdString(), "Profile Configuration - Step 1 of 4");
    EXPECT_FALSE(wizard.button(QWizard::BackButton)->isEnabled());
    EXPECT_FALSE(wizard.button(QWizard::HelpButton)->isVisible());

    next(wizard);
    child<QLineEdit>(wizard, "nameEdit")->setText(QStringLiteral("Taken"));
    next(wizard);
    EXPECT_EQ(wizard.currentId(), CProfileConfigurator::kNamePage);
    EXPECT_EQ(wizard.focusWidget(), child<QLineEdit>(wizard, "nameEdit"));
    child<QLineEdit>(wizard, "nameEdit")->setText(QStringLiteral("Widgets"));
    next(wizard);

    CProfileConfigStep2& site = *child<CProfileConfigStep2>(wizard, "sitePage");
    EXPECT_EQ(wizard.windowTitle().toStdString(), "Profile Configuration - Step 2 of 4");
    next(wizard);
    EXPECT_EQ(wizard.focusWidget(), child<QLineEdit>(site, "urlEdit"));
    child<QLineEdit>(site, "urlEdit")->setText(QStringLiteral("http://widgets.example/"));
    child<QLineEdit>(site, "categoriesEdit")->setText(QStringLiteral("Shopping,Business"));
    next(wizard);
    EXPECT_EQ(wizard.focusWidget(), child<AlternativeListEditor>(site, "titleList")->addButton());
    addRow(child<AlternativeListEditor>(site, "titleList"), "Blue Widgets");
    addRow(child<AlternativeListEditor>(site, "titleList"), "Widget Shop");
    next(wizard);
    EXPECT_EQ(wizard.focusWidget(), child<AlternativeListEditor>(site, "descriptionList")->addButton());
    addRow(child<AlternativeListEditor>(site, "descriptionList"), "Widgets of every colour.");
    next(wizard);
    EXPECT_EQ(wizard.focusWidget(), child<AlternativeListEditor>(site, "keywordList")->addButton());
    addRow(child<AlternativeListEditor>(site, "keywordList"), "widgets, blue widgets");
    EXPECT_THAT(rowTexts(child<AlternativeListEditor>(site, "keywordList")->rows(), 1), ElementsAre("21/3"));
    EXPECT_EQ(wizard.currentId(), CProfileConfigurator::kSitePage);
    next(wizard);

    EXPECT_EQ(wizard.windowTitle().toStdString(), "Profile configuration - step 3 of 4");
    next(wizard);
    EXPECT_EQ(wizard.windowTitle().toStdString(), "Profile Configuration - Step 4 of 4");
    child<QLineEdit>(wizard, "firstNameEdit")->setText(QStringLiteral("Ann"));
    next(wizard);
    EXPECT_EQ(wizard.currentId(), CProfileConfigurator::kContactPage);
    run.messages.answerNext(MessageAnswer::Yes);
    next(wizard);
    EXPECT_EQ(wizard.currentId(), CProfileConfigurator::kProductPage);
    EXPECT_EQ(wizard.windowTitle().toStdString(), "Product and company");
    child<QLineEdit>(wizard, "foundedEdit")->setText(QStringLiteral("15"));
    next(wizard);
    EXPECT_EQ(wizard.focusWidget(), child<QLineEdit>(wizard, "foundedEdit"));
    child<QLineEdit>(wizard, "foundedEdit")->clear();
    next(wizard);
    EXPECT_EQ(wizard.currentId(), CProfileConfigurator::kPhrasesPage);
    EXPECT_EQ(wizard.windowTitle().toStdString(), "Profile Configuration - Step 4 of 4");

    // Seven refused pages and two questions; their texts are checked with the page rules.
    EXPECT_EQ(run.messages.messages().size(), 9u);
}

TEST(CProfileConfiguratorTest, NewProfileTakesItsTitlesAsPhrasesOnceAndMapsEveryField)
{
    NewWizard run;
    CProfileConfigurator& wizard = run.wizard;
    wizard.show();
    child<QLineEdit>(wizard, "nameEdit")->setText(QStringLiteral("Widgets"));
    next(wizard);
    CProfileConfigStep2& site = *child<CProfileConfigStep2>(wizard, "sitePage");
    child<QLineEdit>(site, "urlEdit")->setText(QStringLiteral("http://widgets.example/"));
    child<QLineEdit>(site, "categoriesEdit")->setText(QStringLiteral("Shopping"));
    addRow(child<AlternativeListEditor>(site, "titleList"), "Blue Widgets");
    addRow(child<AlternativeListEditor>(site, "titleList"), "Widget Shop");
    addRow(child<AlternativeListEditor>(site, "descriptionList"), "Widgets.");
    addRow(child<AlternativeListEditor>(site, "keywordList"), "widgets");
    next(wizard);
    child<QRadioButton>(wizard, "automaticButton")->setChecked(true);
    child<QLineEdit>(wizard, "configEdit")->setText(QStringLiteral("http://widgets.example/interact.php"));
    child<QLineEdit>(wizard, "scriptPasswordEdit")->setText(QStringLiteral("secret"));
    next(wizard);
    const std::pair<const char*, const char*> contact[] = { { "firstNameEdit", "Ann" },
        { "lastNameEdit", "Lee" }, { "emailEdit", "ann@widgets.example" }, { "userNameEdit", "ann" },
        { "passwordEdit", "pw" }, { "addressEdit", "1 Road" }, { "cityEdit", "Town" }, { "zipEdit", "12345" },
        { "provinceEdit", "XY" } };
    for (const auto& [field, text] : contact)
        child<QLineEdit>(*child<CProfileConfigStep4>(wizard, "contactPage"), field)
            ->setText(QString::fromUtf8(text));
    next(wizard);
    TempFolder folder;
    ScriptedFileDialog files;
    files.answers = { ChosenFile { folder.write("logo.png", "png") },
        ChosenFile { folder.write("a.png", "png") }, ChosenFile { folder.write("b.png", "png") } };
    wizard.setFileDialog(files);
    const std::pair<const char*, const char*> product[] = { { "taglineEdit", "Widgets, fast" },
        { "companyEdit", "Widget Co" }, { "phoneEdit", "+1 555" }, { "twitterEdit", "@widgets" },
        { "linkedinEdit", "https://linkedin.com/company/w" }, { "githubEdit", "https://github.com/w" },
        { "facebookEdit", "https://facebook.com/w" }, { "foundedEdit", "2015" }, { "tagsEdit", "a, b" } };
    for (const auto& [field, text] : product)
        child<QLineEdit>(wizard, field)->setText(QString::fromUtf8(text));
    child<QComboBox>(wizard, "countryCombo")->setCurrentText(QStringLiteral("Canada"));
    child<QComboBox>(wizard, "pricingCombo")->setCurrentText(QStringLiteral("open source"));
    child<QPushButton>(wizard, "logoBrowseButton")->click();
    for (int shot = 0; shot < 2; ++shot)
        child<QPushButton>(wizard, "addScreenshotButton")->click();
    next(wizard);

    CProfileConfigStep5& phrases = *child<CProfileConfigStep5>(wizard, "phrasesPage");
    EXPECT_THAT(
        listTexts(child<QListWidget>(phrases, "phraseList")), ElementsAre("Blue Widgets", "Widget Shop"));
    // Back to the site page and forward again adds nothing.
    for (int page = 0; page < 4; ++page)
        back(wizard);
    EXPECT_EQ(wizard.currentId(), CProfileConfigurator::kSitePage);
    EXPECT_TRUE(wizard.button(QWizard::BackButton)->isEnabled());
    for (int page = 0; page < 4; ++page)
        next(wizard);
    EXPECT_EQ(child<QListWidget>(phrases, "phraseList")->count(), 2);

    child<QLineEdit>(phrases, "phraseEdit")->setText(QStringLiteral("BLUE WIDGETS"));
    child<QPushButton>(phrases, "addPhraseButton")->click();
    // Enter in a filled phrase field adds the phrase rather than finishing.
    child<QLineEdit>(phrases, "phraseEdit")->setText(QStringLiteral("cheap widgets"));
    QTest::keyClick(child<QLineEdit>(phrases, "phraseEdit"), Qt::Key_Return);
    EXPECT_EQ(listTexts(child<QListWidget>(phrases, "phraseList")).back(), "cheap widgets");
    EXPECT_EQ(child<QListWidget>(phrases, "phraseList")->count(), 3);
    child<QListWidget>(phrases, "phraseList")->setCurrentRow(0);
    child<QPushButton>(phrases, "removePhraseButton")->click();
    EXPECT_EQ(child<QListWidget>(phrases, "phraseList")->currentRow(), 0);
    ASSERT_TRUE(wizard.isVisible());
    QTest::keyClick(child<QLineEdit>(phrases, "phraseEdit"), Qt::Key_Return);
    EXPECT_EQ(wizard.result(), QDialog::Accepted);

    SiteProfile expected;
    expected.name = "Widgets";
    expected.url = "http://widgets.example/";
    expected.categories = expected.subcategories = "Shopping";
    expected.titles = { "Blue Widgets", "Widget Shop" };
    expected.descriptions = { "Widgets." };
    expected.keywords = { "widgets" };
    expected.serpPhrases = { "Widget Shop", "cheap widgets" };
    expected.reciprocalMethod = kReciprocalAutomatic;
    expected.reciprocalConfig = "http://widgets.example/interact.php";
    expected.reciprocalPassword = "secret";
    expected.fname = "Ann";
    expected.lname = "Lee";
    expected.email = "ann@widgets.example";
    expected.username = "ann";
    expected.password = "pw";
    expected.address = "1 Road";
    expected.city = "Town";
    expected.zip = "12345";
    expected.province = "XY";
    expected.tagline = "Widgets, fast";
    expected.company = "Widget Co";
    expected.phone = "+1 555";
    expected.country = "Canada";
    expected.logo = folder.path("logo.png").string();
    expected.screenshots = { folder.path("a.png").string(), folder.path("b.png").string() };
    expected.twitter = "@widgets";
    expected.linkedin = "https://linkedin.com/company/w";
    expected.github = "https://github.com/w";
    expected.facebook = "https://facebook.com/w";
    expected.pricing = "open source";
    expected.founded = "2015";
    expected.tags = "a, b";
    EXPECT_EQ(wizard.model().profile(), expected);
    EXPECT_TRUE(run.messages.empty());
}

TEST(CProfileConfiguratorTest, EditingStartsOnTheSitePageWithItsListsFilled)
{
    RecordingMessageBox messages;
    AnsweringWaitDialog wait;
    CProfileConfigurator wizard(
        ProfileWizardModel::existingProfile(messages, sampleProfile("Shop")), messages, wait);
    wizard.show();
    EXPECT_EQ(wizard.currentId(), CProfileConfigurator::kSitePage);
    EXPECT_FALSE(wizard.button(QWizard::BackButton)->isEnabled());
    CProfileConfigStep2& site = *child<CProfileConfigStep2>(wizard, "sitePage");
    EXPECT_EQ(child<QLineEdit>(site, "urlEdit")->text().toStdString(), "http://www.example.com/?a=1&b=2");
    QTreeWidget* titles = child<AlternativeListEditor>(site, "titleList")->rows();
    EXPECT_EQ(titles->headerItem()->text(0).toStdString(), "Text");
    EXPECT_EQ(titles->headerItem()->text(1).toStdString(), "Chars/Words");
    EXPECT_THAT(rowTexts(titles, 0), ElementsAre("Example Café", "Example \"Quoted\""));
    EXPECT_THAT(rowTexts(titles, 1), ElementsAre("12/2", "16/2"));

    // Without a selection "edit" and "remove" do nothing.
    child<AlternativeListEditor>(site, "titleList")->editButton()->click();
    child<AlternativeListEditor>(site, "titleList")->removeButton()->click();
    EXPECT_EQ(titles->topLevelItemCount(), 2);

    titles->setCurrentItem(titles->topLevelItem(0));
    whenModal<CAddRotateText>([](CAddRotateText& editor) {
        EXPECT_EQ(editor.windowTitle().toStdString(), "Edit Title...");
        EXPECT_EQ(editor.text(), "Example Café");
        child<QPlainTextEdit>(editor, "textEdit")->setPlainText(QStringLiteral("Café"));
        child<QPushButton>(editor, "okButton")->click();
    });
    child<AlternativeListEditor>(site, "titleList")->editButton()->click();
    EXPECT_THAT(rowTexts(titles, 1), ElementsAre("4/1", "16/2"));
    child<AlternativeListEditor>(site, "titleList")->removeButton()->click();
    EXPECT_THAT(rowTexts(titles, 0), ElementsAre("Example \"Quoted\""));
    EXPECT_EQ(titles->currentItem(), titles->topLevelItem(0));

    for (int page = 0; page < 4; ++page)
        next(wizard);
    EXPECT_THAT(
        listTexts(child<QListWidget>(wizard, "phraseList")), ElementsAre("web design", "o'neil & <sons>"));
    wizard.button(QWizard::FinishButton)->click();
    EXPECT_EQ(wizard.result(), QDialog::Accepted);
    EXPECT_THAT(wizard.model().profile().titles, ElementsAre("Example \"Quoted\""));
    EXPECT_TRUE(messages.empty());
}

TEST(CProfileConfiguratorTest, ReciprocalMethodSwitchesTheFieldsAndTestsTheScript)
{
    RecordingMessageBox messages;
    AnsweringWaitDialog wait("0");
    SiteProfile profile = sampleProfile("Shop");
    profile.reciprocalPassword = "p&w";
    CProfileConfigurator wizard(ProfileWizardModel::existingProfile(messages, profile), messages, wait);
    wizard.show();
    next(wizard);
    CProfileConfigStep3& reciprocal = *child<CProfileConfigStep3>(wizard, "reciprocalPage");
    EXPECT_TRUE(child<QRadioButton>(reciprocal, "automaticButton")->isChecked());
    const auto enabled = [&] {
        return std::vector<bool> { child<QLineEdit>(reciprocal, "reciprocalEdit")->isEnabled(),
            child<QLineEdit>(reciprocal, "configEdit")->isEnabled(),
            child<QLineEdit>(reciprocal, "scriptPasswordEdit")->isEnabled(),
            child<QPushButton>(reciprocal, "testButton")->isEnabled() };
    };
    EXPECT_EQ(enabled(), (std::vector<bool> { false, true, true, true }));

    child<QPushButton>(reciprocal, "testButton")->click();
    EXPECT_THAT(wait.urls(), ElementsAre("http://www.example.com/interact.php"));
    EXPECT_THAT(wait.forms(), ElementsAre("test=1&password=p%26w"));
    EXPECT_THAT(messages.messages(),
        ElementsAre(shown("Reciprocal script is properly configured", "Vantelo", MessageIcon::Information)));

    // An http address would carry the password unencrypted: the page says so while it is typed.
    auto* warning = reciprocal.findChild<QLabel*>(QStringLiteral("insecureAddressWarning"));
    ASSERT_NE(warning, nullptr);
    EXPECT_FALSE(warning->isHidden());
    EXPECT_EQ(warning->text(),
        QStringLiteral("This address starts with http://, so the script's password would cross the network "
                       "unencrypted. Use https:// if your web site offers it."));
    child<QLineEdit>(reciprocal, "configEdit")
        ->setText(QStringLiteral("https://www.example.com/interact.php"));
    EXPECT_TRUE(warning->isHidden());
    child<QLineEdit>(reciprocal, "configEdit")
        ->setText(QStringLiteral("HTTP://www.example.com/interact.php"));
    EXPECT_FALSE(warning->isHidden());

    child<QRadioButton>(reciprocal, "manualButton")->click();
    EXPECT_EQ(enabled(), (std::vector<bool> { true, false, false, false }));
    EXPECT_TRUE(warning->isHidden());
    next(wizard);
    EXPECT_EQ(wizard.model().fields().reciprocalMethod, kReciprocalManual);
    EXPECT_EQ(wizard.model().fields().reciprocalConfig, "HTTP://www.example.com/interact.php");
}

TEST(CProfileConfiguratorTest, HelpIconsExplainTheCategoryAndReciprocalFields)
{
    NewWizard run;
    const std::pair<CStaticHelp*, const char*> icons[] = {
        { child<CStaticHelp>(run.wizard, "categoriesHelp"),
            "Please enter one or more main category names separated by commas in the order of preference. "
            "This field can be left blank if you don't have any main category preferences." },
        { child<CStaticHelp>(run.wizard, "subcategoriesHelp"),
            "Please enter one or more category names separated by commas in the order of preference. This "
            "field cannot be left blank if you want to take advantage of category autocompletion." },
        { child<CStaticHelp>(run.wizard, "manualHelp"),
            "Use this option if you don't plan to use reciprocal submissions for this profile or if you will "
            "manually add the reciprocal links to your page. In this case enter below the internet address "
            "where you will place the links." },
        { child<CStaticHelp>(run.wizard, "automaticHelp"),
            "Use this option if you want to use the Vantelo automatic reciprocal feature. This way you will "
            "be able to add the correct reciprocal link to your site with a single click for any directory "
            "you choose. Before being able to use this you must upload and configure the PHP script shipped "
            "with Vantelo to your server. Please consult the user manual for more details." },
        { child<CStaticHelp>(run.wizard, "passwordHelp"),
            "Please enter the password you choosed for the reciprocal script authentication." },
        { child<CStaticHelp>(run.wizard, "configHelp"),
            "Enter the full internet address (usually http://.../interact.php) where you uploaded the "
            "reciprocal management script provided with Vantelo. This must be the address of the "
            "interact.php file." },
    };
    for (const auto& [icon, text] : icons)
        EXPECT_EQ(icon->helpText().toStdString(), text);
}

} // namespace
