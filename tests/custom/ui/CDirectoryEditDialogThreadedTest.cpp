#include "custom/ui/CDirectoryEditDialog.h"

#include "CustomDialogTesting.h"
#include "custom/ui/ProfileFieldList.h"
#include "filling/web/FillingWebPage.h"
#include "filling/web/WebTestPages.h"
#include "stats/PageRank.h"
#include "support/NamedChild.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>

#include <filesystem>
#include <fstream>
#include <sstream>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::UnorderedElementsAre;

namespace {

// A submission form with a field the presets fill, fields the user may fill,
// and a link to a second form page.
const std::string kFormPage = R"(<!DOCTYPE html><html><body>
<form action="/thanks" method="post">
  <input name="email"> <input name="untouched" value="as loaded"> <input name="title">
  <input type="checkbox" name="agree"> <input type="submit" value="Send">
</form>
<a id="more" href="/second">More</a>
</body></html>)";
const std::string kSecondPage =
    R"(<!DOCTYPE html><html><body><form><textarea name="story"></textarea></form></body></html>)";

// The German test site's submission form.
std::string germanFormPage()
{
    std::ifstream file(std::filesystem::path(VANTELO_SOURCE_DIR) / "tests/custom/sites/german/eintragen.php");
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

std::string itemText(const DirectoryItem& entry)
{
    return entry.name + "/" + std::string(controlTypeText(entry.type)) + "/" + std::to_string(entry.index)
        + "=" + entry.value;
}

// A directory site and its PageRank service on one loopback server, and a
// wizard shown over it.
class CDirectoryEditDialogThreaded : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_server.serve("/add", 200, kFormPage, "text/html");
        m_server.serve("/second", 200, kSecondPage, "text/html");
        m_server.serve("/eintragen.php", 200, germanFormPage(), "text/html; charset=utf-8");
        m_server.serve("/search", 200, "Rank_1:1:5");
        m_server.closeConnectionsAfterEachAnswer();
        m_server.start();
    }

    void show(DirectoryWizardModel model)
    {
        m_wizard = std::make_unique<CDirectoryEditDialog>(std::move(model), pageRankAt(m_server), m_messages);
        m_wizard->show();
    }

    void show(DirectoryWizardModel model, CDirectoryEditDialog::PageRankRequest askPageRank)
    {
        m_wizard =
            std::make_unique<CDirectoryEditDialog>(std::move(model), std::move(askPageRank), m_messages);
        m_wizard->show();
    }

    // The targets of the PageRank queries the server saw.
    std::vector<std::string> pageRankQueries() const
    {
        std::vector<std::string> targets;
        for (const SeenRequest& request : m_server.requests()) {
            if (request.target.starts_with("/search"))
                targets.push_back(request.target);
        }
        return targets;
    }

    // Enters a name and the form's address and waits until the page is loaded and armed.
    bool openForm(const std::string& name = "Dir", const std::string& path = "/add")
    {
        child<QLineEdit>(*m_wizard, "nameEdit")->setText(QString::fromStdString(name));
        child<QLineEdit>(*m_wizard, "addressEdit")->setText(QString::fromStdString(m_server.url(path)));
        child<QPushButton>(*m_wizard, "nextButton")->click();
        return m_wizard->step() == CDirectoryEditDialog::kBrowserStep
            && waitUntil([&] { return m_wizard->model().mapping().armed(); }, 30000);
    }

    QString fieldValue(const char* name)
    {
        return evaluate(*child<FillingWebPage>(*m_wizard, "webPage"),
            QStringLiteral("document.getElementsByName('%1')[0].value").arg(QLatin1String(name)))
            .toString();
    }

    // Goes to the summary and waits for the PageRank answer.
    bool finishBrowsing()
    {
        child<QPushButton>(*m_wizard, "nextButton")->click();
        return waitUntil([&] { return child<QPushButton>(*m_wizard, "nextButton")->isEnabled(); }, 30000);
    }

    std::vector<std::string> learned() const
    {
        std::vector<std::string> items;
        for (const DirectoryItem& entry : m_wizard->model().mapping().items())
            items.push_back(itemText(entry));
        return items;
    }

    LoopbackServer m_server;
    RecordingMessageBox m_messages;
    std::unique_ptr<CDirectoryEditDialog> m_wizard;
};

TEST_F(CDirectoryEditDialogThreaded, LearnsThePresetsOfALoadedPageAndSavesWithThePageRank)
{
    show(DirectoryWizardModel({ { "Old", "http://old.com/" } }, { "", "News", "Arts" }));
    EXPECT_EQ(child<QLabel>(*m_wizard, "stepLabel")->text(), QStringLiteral("Step 1 of 3"));
    EXPECT_FALSE(child<QPushButton>(*m_wizard, "addAnotherButton")->isVisible());
    ASSERT_TRUE(openForm());
    EXPECT_EQ(child<QLabel>(*m_wizard, "stepLabel")->text(), QStringLiteral("Step 2 of 3"));
    EXPECT_EQ(fieldValue("email"), QStringLiteral("#email#"));
    EXPECT_EQ(fieldValue("untouched"), QStringLiteral("as loaded"));

    ASSERT_TRUE(finishBrowsing());
    EXPECT_THAT(learned(), ElementsAre("email/edit/0=#email#"));
    EXPECT_EQ(child<QPushButton>(*m_wizard, "nextButton")->text(), QStringLiteral("Save and Close"));
    EXPECT_THAT(child<QLabel>(*m_wizard, "summaryLabel")->text().toStdString(),
        HasSubstr("Directory Address:\t" + m_server.url("/add") + "\nDirectory PR:\t\t5"));
    // The site root's PageRank, as the bulk import and the list checker ask it.
    EXPECT_THAT(pageRankQueries(), ElementsAre(pageRankQueryPath(m_server.url(""))));
    EXPECT_TRUE(child<QPushButton>(*m_wizard, "addAnotherButton")->isEnabled());
    EXPECT_EQ(child<QComboBox>(*m_wizard, "categoryBox")->count(), 2);

    child<QComboBox>(*m_wizard, "categoryBox")->setEditText(QStringLiteral("News"));
    child<QPushButton>(*m_wizard, "addCategoryButton")->click();
    child<QPushButton>(*m_wizard, "addCategoryButton")->click();
    child<QComboBox>(*m_wizard, "categoryBox")->setEditText(QStringLiteral("Sport"));
    child<QPushButton>(*m_wizard, "addCategoryButton")->click();
    EXPECT_EQ(child<QListWidget>(*m_wizard, "categoryList")->count(), 2);
    child<QPushButton>(*m_wizard, "addAnotherButton")->click();
    EXPECT_EQ(m_wizard->result(), QDialog::Accepted);
    EXPECT_TRUE(m_wizard->model().addAnother());
    EXPECT_THAT(m_wizard->model().selectedCategories(), ElementsAre("News", "Sport"));
    EXPECT_EQ(m_wizard->model().pageRank(), 5);
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(CDirectoryEditDialogThreaded, LearnsWhatTheUserFilledInBeforeLeavingAPage)
{
    show(DirectoryWizardModel({}, {}));
    ASSERT_TRUE(openForm());
    evaluate(*child<FillingWebPage>(*m_wizard, "webPage"),
        QStringLiteral("document.getElementsByName('title')[0].value = 'My title';"
                       "document.getElementsByName('agree')[0].checked = true;"
                       "document.getElementById('more').click()"));
    // The second page loads and is armed in its turn; the first page's fields are kept.
    ASSERT_TRUE(waitUntil(
        [&] {
            return child<FillingWebPage>(*m_wizard, "webPage")->url().path() == QStringLiteral("/second")
                && m_wizard->model().mapping().armed();
        },
        30000));
    evaluate(*child<FillingWebPage>(*m_wizard, "webPage"),
        QStringLiteral("document.getElementsByName('story')[0].value = '#desc#'"));
    child<QPushButton>(*m_wizard, "defaultPageButton")->click();
    EXPECT_EQ(child<QLineEdit>(*m_wizard, "addressEdit")->text().toStdString(), m_server.url("/second"));
    EXPECT_EQ(m_wizard->model().address(), m_server.url("/second"));
    ASSERT_TRUE(finishBrowsing());
    EXPECT_THAT(learned(),
        ElementsAre(
            "agree/checkbox/0=true", "email/edit/0=#email#", "title/edit/0=My title", "story/edit/0=#desc#"));
}

TEST_F(CDirectoryEditDialogThreaded, EditingKeepsTheNameAndItemsOfFieldsThePageNoLongerHas)
{
    const DirectoryRecord directory { "Mine", 0, 2, m_server.url("/add"), "Custom,News", "",
        { { "gone", ControlType::Edit, 0, "#url#" }, { "title", ControlType::Edit, 0, "#title#" } }, {} };
    show(DirectoryWizardModel::forEditing({ { "Mine", m_server.url("/add") } }, {}, directory));
    EXPECT_FALSE(child<QLineEdit>(*m_wizard, "nameEdit")->isEnabled());
    ASSERT_TRUE(openForm("ignored"));
    EXPECT_EQ(fieldValue("title"), QStringLiteral("#title#"));
    ASSERT_TRUE(finishBrowsing());
    EXPECT_THAT(learned(), ElementsAre("gone/edit/0=#url#", "email/edit/0=#email#", "title/edit/0=#title#"));
    EXPECT_FALSE(child<QPushButton>(*m_wizard, "addAnotherButton")->isEnabled());
    EXPECT_EQ(m_wizard->model().name(), "Mine");
    EXPECT_THAT(m_wizard->model().selectedCategories(), ElementsAre("Custom", "News"));
    child<QPushButton>(*m_wizard, "nextButton")->click();
    EXPECT_EQ(m_wizard->result(), QDialog::Accepted);
}

TEST_F(CDirectoryEditDialogThreaded, APageRankRequestThatCannotStartLetsTheWizardSave)
{
    int asked = 0;
    show(DirectoryWizardModel({}, {}), [&](const std::string&, std::shared_ptr<CSEOData::IResultSink>) {
        ++asked;
        return -1;
    });
    ASSERT_TRUE(openForm());
    child<QPushButton>(*m_wizard, "nextButton")->click();
    ASSERT_TRUE(waitUntil([&] { return m_wizard->step() == CDirectoryEditDialog::kSummaryStep; }, 30000));
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(child<QPushButton>(*m_wizard, "nextButton")->isEnabled());
    EXPECT_TRUE(child<QPushButton>(*m_wizard, "addAnotherButton")->isEnabled());
    EXPECT_THAT(
        child<QLabel>(*m_wizard, "summaryLabel")->text().toStdString(), HasSubstr("Directory PR:\t\t0"));
    child<QPushButton>(*m_wizard, "nextButton")->click();
    EXPECT_EQ(m_wizard->result(), QDialog::Accepted);
    EXPECT_EQ(m_wizard->model().pageRank(), 0);
}

TEST_F(CDirectoryEditDialogThreaded, TypingTheAddressProposesTheNameAndFailedChecksStay)
{
    show(DirectoryWizardModel({}, {}));
    QTest::keyClicks(child<QLineEdit>(*m_wizard, "addressEdit"), QStringLiteral("www.freedir.com/add"));
    EXPECT_EQ(child<QLineEdit>(*m_wizard, "nameEdit")->text(), QStringLiteral("Freedir"));
    child<QLineEdit>(*m_wizard, "addressEdit")->setText(QStringLiteral("nodot"));
    child<QPushButton>(*m_wizard, "nextButton")->click();
    EXPECT_EQ(m_wizard->step(), CDirectoryEditDialog::kNameStep);
    EXPECT_EQ(m_messages.texts(),
        std::vector<std::string> { "Please enter a valid URL address (should begin with http://)" });
    EXPECT_EQ(m_wizard->focusWidget(), child<QLineEdit>(*m_wizard, "addressEdit"));

    // The profile fields carry their placeholders as plain text.
    ProfileFieldList* fields = child<ProfileFieldList>(*m_wizard, "fieldList");
    ASSERT_EQ(fields->count(), 14);
    EXPECT_EQ(fields->item(3)->text(), QStringLiteral("URL (Site Address)"));
    const std::unique_ptr<QMimeData> dragged(fields->model()->mimeData({ fields->model()->index(0, 0) }));
    ASSERT_TRUE(dragged);
    EXPECT_EQ(dragged->text(), QStringLiteral("#fname# #lname#"));
}

TEST_F(CDirectoryEditDialogThreaded, LearnThisPageFillsTheRecognisedFormForTheUserToCorrect)
{
    show(DirectoryWizardModel({}, {}));
    ASSERT_TRUE(openForm("Bergland", "/eintragen.php"));
    auto* learn = child<QPushButton>(*m_wizard, "learnPageButton");
    auto* status = child<QLabel>(*m_wizard, "learnStatus");
    ASSERT_TRUE(learn->isEnabled());
    learn->click();
    ASSERT_TRUE(waitUntil([&] { return !status->text().isEmpty() && learn->isEnabled(); }, 30000));
    EXPECT_EQ(status->text(),
        QStringLiteral(
            "Vantelo filled in 9 fields of the form. Check them, correct what is wrong and press Next."));
    EXPECT_EQ(fieldValue("titel"), QStringLiteral("#title#"));
    EXPECT_EQ(fieldValue("adresse"), QStringLiteral("#url#"));
    // The user corrects the recogniser: no keywords here, and the name goes in one field.
    evaluate(*child<FillingWebPage>(*m_wizard, "webPage"),
        QStringLiteral("document.getElementsByName('suchbegriffe')[0].value = '';"
                       "document.getElementsByName('nachname')[0].value = '#fname# #lname#';"));
    ASSERT_TRUE(finishBrowsing());
    EXPECT_THAT(learned(),
        UnorderedElementsAre("titel/edit/0=#title#", "adresse/edit/0=#url#", "beschreibung/edit/0=#desc#",
            "vorname/edit/0=#fname#", "nachname/edit/0=#fname# #lname#", "email/edit/0=#email#",
            "agb/checkbox/0=true", "rubrik/select/0="));
}

TEST_F(CDirectoryEditDialogThreaded, LearnThisPageSaysWhenThePageHoldsNoSubmissionForm)
{
    show(DirectoryWizardModel({}, {}));
    ASSERT_TRUE(openForm());
    child<QPushButton>(*m_wizard, "learnPageButton")->click();
    auto* status = child<QLabel>(*m_wizard, "learnStatus");
    ASSERT_TRUE(waitUntil([&] { return !status->text().isEmpty(); }, 30000));
    EXPECT_THAT(status->text().toStdString(), HasSubstr("recognises no submission form on this page"));
    ASSERT_TRUE(finishBrowsing());
    EXPECT_THAT(learned(), ElementsAre("email/edit/0=#email#"));
}

} // namespace
