#include "custom/ui/CImportDirectoriesDlg.h"

#include "../TestSites.h"
#include "CustomDialogTesting.h"
#include "GuiTestSupport.h"
#include "directories/DirectoryStore.h"
#include "stats/Gate.h"
#include "support/NamedChild.h"
#include "support/TempFolder.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

// Two empty stores, a list file of three directories of which one is known,
// and a PageRank service that answers once let through.
class CImportDirectoriesDlgThreaded : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_server.handle("/search",
            [this, opened = m_gate.opened()](const httplib::Request&, httplib::Response& response) {
                ++m_asked;
                opened.wait();
                response.set_content("Rank_1:1:6", "text/plain");
            });
        m_server.start();
        m_list =
            m_folder
                .write("list.csv", "First,http://first.com/\nhttp://known.com/x\n\"Third\",www.third.org\n")
                .string();
        m_dialog =
            std::make_unique<CImportDirectoriesDlg>(m_custom, m_main, std::set<std::string> { "", "News" },
                std::map<std::string, std::string> { { "Known", "http://known.com/" } }, pageRankAt(m_server),
                m_messages, [this](QWidget*) {
                    ++m_browsed;
                    return m_browseAnswer;
                });
        m_dialog->show();
    }

    void import(const std::string& file)
    {
        child<QLineEdit>(*m_dialog, "fileEdit")->setText(QString::fromStdString(file));
        child<QPushButton>(*m_dialog, "importButton")->click();
    }

    QString status() const { return child<QLabel>(*m_dialog, "statusLine")->text(); }

    std::atomic<int> m_asked { 0 };
    LoopbackServer m_server;
    // After the server, so that it opens first should a test end early.
    Gate m_gate;
    TempFolder m_folder;
    std::string m_list;
    // What "Browse..." answers, and how often it was asked.
    QString m_browseAnswer;
    int m_browsed = 0;
    RecordingMessageBox m_messages;
    DirectoryStore m_custom { m_messages, "customdirs" };
    DirectoryStore m_main { m_messages };
    std::unique_ptr<CImportDirectoriesDlg> m_dialog;
};

TEST_F(CImportDirectoriesDlgThreaded, BrowseFillsInTheChosenFileAndCancellingKeepsIt)
{
    // Should the system's open dialog show instead, it is closed, and the test fails rather than waits.
    QTimer guard;
    QObject::connect(&guard, &QTimer::timeout, [] {
        if (auto* opened = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
            opened->reject();
    });
    guard.start(0);
    auto* file = child<QLineEdit>(*m_dialog, "fileEdit");
    m_browseAnswer = QString::fromStdString(m_list);
    child<QPushButton>(*m_dialog, "browseButton")->click();
    EXPECT_EQ(file->text().toStdString(), m_list);
    m_browseAnswer.clear();
    child<QPushButton>(*m_dialog, "browseButton")->click();
    EXPECT_EQ(file->text().toStdString(), m_list);
    EXPECT_EQ(m_browsed, 2);
}

TEST_F(CImportDirectoriesDlgThreaded, ImportsWithThePageRankAndShowsTheProgress)
{
    EXPECT_EQ(child<QListWidget>(*m_dialog, "categoryList")->count(), 1);
    child<QComboBox>(*m_dialog, "categoryBox")->setEditText(QStringLiteral("News"));
    child<QPushButton>(*m_dialog, "addCategoryButton")->click();
    m_gate.open();
    import(m_list);
    EXPECT_EQ(status(),
        QStringLiteral("Found 2 new directories from a total of 3. Please wait while retrieving the PR "
                       "for the new directories..."));
    EXPECT_TRUE(child<QProgressBar>(*m_dialog, "progressBar")->isVisible());
    EXPECT_EQ(child<QProgressBar>(*m_dialog, "progressBar")->maximum(), 2);
    EXPECT_FALSE(child<QPushButton>(*m_dialog, "importButton")->isEnabled());
    EXPECT_EQ(child<QPushButton>(*m_dialog, "cancelButton")->text(), QStringLiteral("Skip PR check"));

    ASSERT_TRUE(waitUntil(
        [&] { return child<QPushButton>(*m_dialog, "cancelButton")->text() == QStringLiteral("Close"); },
        30000));
    EXPECT_EQ(status(),
        QStringLiteral("2 directories were successfully added to your custom directory list. Press the "
                       "Close button to continue"));
    EXPECT_EQ(child<QProgressBar>(*m_dialog, "progressBar")->value(), 2);
    for (const DirectoryStore* store : { &m_custom, &m_main }) {
        ASSERT_NE(store->find("Third"), nullptr);
        EXPECT_EQ(*store->find("Third"),
            (DirectoryRecord { "Third", 0, 6, "https://www.third.org", "Custom,News", "", {}, {} }));
    }
    EXPECT_EQ(m_dialog->added(), 2u);
    child<QPushButton>(*m_dialog, "cancelButton")->click();
    EXPECT_EQ(m_dialog->result(), QDialog::Accepted);
    EXPECT_FALSE(m_dialog->isVisible());
}

TEST_F(CImportDirectoriesDlgThreaded, SkippingAndClosingAddEveryDirectory)
{
    import(m_list);
    ASSERT_TRUE(waitUntil([&] { return m_asked == 1; }, 30000));
    // Escape skips the PageRank of the rest, as the button does now; the window stays.
    m_dialog->reject();
    EXPECT_TRUE(m_dialog->isVisible());
    m_gate.open();
    ASSERT_TRUE(waitUntil(
        [&] { return child<QPushButton>(*m_dialog, "cancelButton")->text() == QStringLiteral("Close"); },
        30000));
    EXPECT_EQ(m_asked, 1);
    EXPECT_EQ(m_custom.GetPR("First"), 6);
    EXPECT_EQ(m_main.GetPR("Third"), 0);
    EXPECT_NE(m_main.find("Third"), nullptr);
}

TEST_F(CImportDirectoriesDlgThreaded, AWindowClosedMidRunLeavesNothingBehind)
{
    import(m_list);
    ASSERT_TRUE(waitUntil([&] { return m_asked == 1; }, 30000));
    m_dialog.reset();
    // Both directories are in, and the late answer reaches neither the window nor the stores.
    EXPECT_EQ(m_custom.records().size(), 2u);
    m_gate.open();
    QTest::qWait(300);
    EXPECT_EQ(m_custom.GetPR("First"), 0);
    EXPECT_EQ(m_asked, 1);
}

TEST_F(CImportDirectoriesDlgThreaded, ShowsWhatTheFileHoldsBeforeStoringAnything)
{
    m_gate.open();
    m_custom.AddDirectory("Known");
    m_custom.SetSubmitUrl("Known", "http://known.com/");
    child<QLineEdit>(*m_dialog, "fileEdit")
        ->setText(QString::fromStdString(m_folder
                                             .write("list.csv",
                                                 "Name,URL,Link Type,Category\n"
                                                 "Alpha,alpha.example,dofollow,\xE2\xAD\x90 Tools\n"
                                                 "Known again,known.com,nofollow,\n"
                                                 "Broken,not an address,,\n")
                                             .string()));
    EXPECT_EQ(child<QPlainTextEdit>(*m_dialog, "previewText")->toPlainText().toStdString(),
        "Read as a table of comma-separated columns with a header row.\n"
        "Columns: name (\"Name\"), address (\"URL\"), link type (\"Link Type\"), category (\"Category\").\n"
        "3 rows: 1 new directory, 1 known already (1 gets the list's rating, link type or pricing), 1 "
        "skipped.\n"
        "Skipped:\n  line 4: no web address");
    EXPECT_TRUE(m_custom.find("Alpha") == nullptr);
    child<QPushButton>(*m_dialog, "importButton")->click();
    ASSERT_TRUE(waitUntil(
        [&] { return child<QPushButton>(*m_dialog, "cancelButton")->text() == QStringLiteral("Close"); },
        30000));
    EXPECT_EQ(m_custom.find("Alpha")->category, "Custom,Tools");
    EXPECT_EQ(m_custom.find("Alpha")->listFacts.linkType, "dofollow");
    EXPECT_EQ(m_custom.find("Known")->listFacts.linkType, "nofollow");
}

TEST_F(CImportDirectoriesDlgThreaded, AFileWithoutNewDirectoriesOnlyCloses)
{
    const std::string empty = m_folder.write("empty.txt", "").string();
    child<QPushButton>(*m_dialog, "importButton")->click();
    EXPECT_EQ(m_messages.texts(), std::vector<std::string> { "Please choose a file to import from" });
    import(empty);
    EXPECT_EQ(status(),
        QStringLiteral("Found 0 new directories from a total of 0. Press the Close button to continue."));
    EXPECT_FALSE(child<QPushButton>(*m_dialog, "importButton")->isEnabled());
    EXPECT_FALSE(child<QProgressBar>(*m_dialog, "progressBar")->isVisible());
    EXPECT_EQ(child<QPushButton>(*m_dialog, "cancelButton")->text(), QStringLiteral("Close"));
    child<QPushButton>(*m_dialog, "cancelButton")->click();
    EXPECT_FALSE(m_dialog->isVisible());
}

// A site whose home page sends a space every tenth of a second, for ever.
void serveTrickle(LoopbackServer& server)
{
    server.handle("/", [](const httplib::Request&, httplib::Response& response) {
        response.set_chunked_content_provider("text/html", [](std::size_t, httplib::DataSink& sink) {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            return sink.write(" ", 1);
        });
    });
    server.start();
}

TEST_F(CImportDirectoriesDlgThreaded, LearningFindsEachSubmissionPageAndSumsUp)
{
    LoopbackServer menu;
    serveTestSite(menu, "menu");
    LoopbackServer none;
    serveTestSite(none, "none");
    m_gate.open();
    auto* learn = child<QCheckBox>(*m_dialog, "learnCheck");
    EXPECT_EQ(learn->text(), QStringLiteral("Find each directory's submission page and learn its form"));
    EXPECT_FALSE(learn->isChecked());
    learn->setChecked(true);
    import(m_folder.write("sites.txt", "Menu," + menu.url("/") + "\nNone," + none.url("/") + "\n").string());
    EXPECT_FALSE(learn->isEnabled());
    ASSERT_TRUE(waitUntil(
        [&] { return child<QPushButton>(*m_dialog, "cancelButton")->text() == QStringLiteral("Close"); },
        30000));
    EXPECT_EQ(status(),
        QStringLiteral("Learned 1 of 2 directories; 1 without a submission form. Press the Close button to "
                       "continue"));
    EXPECT_EQ(child<QProgressBar>(*m_dialog, "progressBar")->value(), 2);
    const TestSite& site = testSites().front();
    ASSERT_EQ(site.name, "menu");
    for (const DirectoryStore* store : { &m_custom, &m_main }) {
        ASSERT_NE(store->find("Menu"), nullptr);
        EXPECT_EQ(store->find("Menu")->submitUrl, menu.url(site.submitPath));
        EXPECT_EQ(store->find("Menu")->items, site.items);
        EXPECT_EQ(store->find("Menu")->pr, 6);
        // A directory without a form keeps its address and stays without items.
        ASSERT_NE(store->find("None"), nullptr);
        EXPECT_EQ(store->find("None")->submitUrl, none.url("/"));
        EXPECT_TRUE(store->find("None")->items.empty());
    }
    EXPECT_EQ(m_dialog->learned(), (LearningSummary { 2, 2, 1, 1, 0 }));
}

TEST_F(CImportDirectoriesDlgThreaded, CancellingTheLearningKeepsWhatWasLearned)
{
    LoopbackServer menu;
    serveTestSite(menu, "menu");
    LoopbackServer slow;
    serveTrickle(slow);
    LoopbackServer slower;
    serveTrickle(slower);
    DiscoveryLimits limits;
    limits.page.total = std::chrono::seconds(60);
    m_dialog->setLearningLimits(limits);
    m_gate.open();
    child<QCheckBox>(*m_dialog, "learnCheck")->setChecked(true);
    import(m_folder
               .write("sites.txt",
                   "Menu," + menu.url("/") + "\nSlow," + slow.url("/") + "\nSlower," + slower.url("/") + "\n")
               .string());
    auto* cancel = child<QPushButton>(*m_dialog, "cancelButton");
    // The PageRank phase before the learning counts on the same bar under its own button text.
    ASSERT_TRUE(waitUntil(
        [&] {
            return cancel->text() == QStringLiteral("Cancel")
                && child<QProgressBar>(*m_dialog, "progressBar")->value() == 1;
        },
        30000));
    cancel->click();
    ASSERT_TRUE(waitUntil([&] { return cancel->text() == QStringLiteral("Close"); }, 10000));
    EXPECT_EQ(status(),
        QStringLiteral("Learned 1 of 3 directories; 0 without a submission form. Press the Close button to "
                       "continue"));
    EXPECT_EQ(m_custom.find("Menu")->items, testSites().front().items);
    EXPECT_TRUE(m_custom.find("Slow")->items.empty());
    EXPECT_EQ(m_custom.find("Slower")->submitUrl, slower.url("/"));
    cancel->click();
    EXPECT_EQ(m_dialog->result(), QDialog::Accepted);
}

} // namespace
