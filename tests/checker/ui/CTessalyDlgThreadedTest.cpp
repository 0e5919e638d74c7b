#include "TessalyDlgFixture.h"

#include "GuiTestSupport.h"
#include "stats/Gate.h"
#include "stats/StatisticsFakes.h"
#include "support/NamedChild.h"

#include <QCheckBox>
#include <QProgressBar>

#include <gmock/gmock.h>

namespace {

using CTessalyDlgThreaded = TessalyDlgFixture;

const RecordedMessage kUnsavedQuestion { "You currently have unsaved data. By quitting the program you will "
                                         "lose any updates you made to the directory "
                                         "list. Press OK to quit or Cancel to get back to the program.",
    "Vantelo List Checker", MessageIcon::Information, true, MessageButtons::OkCancel };

bool runEnded(const CTessalyDlg& dialog)
{
    return waitUntil([&] { return child<QPushButton>(dialog, "startButton")->isEnabled(); }, 30000);
}

TEST_F(CTessalyDlgThreaded, RunLogsEachDirectoryAndTheSummaryThenSavesTheReview)
{
    m_server.answerPageRank(m_server.url(""), "Rank_1:1:3");
    const std::filesystem::path file =
        write({ { "Up", m_server.url("/up") }, { "Dead", m_server.url("/dead"), "3" } });
    ASSERT_TRUE(m_dialog->openFromCommandLine(file));
    m_dialog->show();
    child<QPushButton>(*m_dialog, "startButton")->click();
    EXPECT_FALSE(child<QCheckBox>(*m_dialog, "pageRankBox")->isEnabled());
    EXPECT_FALSE(child<QCheckBox>(*m_dialog, "brokenLinksBox")->isEnabled());
    EXPECT_FALSE(child<QPushButton>(*m_dialog, "reviewButton")->isEnabled());
    EXPECT_TRUE(child<QPushButton>(*m_dialog, "stopButton")->isEnabled());
    EXPECT_TRUE(child<QProgressBar>(*m_dialog, "progressBar")->isVisible());
    ASSERT_TRUE(runEnded(*m_dialog));

    const QString up = QString::fromStdString(m_server.url("/up"));
    const QString dead = QString::fromStdString(m_server.url("/dead"));
    EXPECT_EQ(logText(),
        QStringLiteral("PR updated for ") + up + QStringLiteral(" from 0 to 3\nNo PR update needed for ")
            + dead + QStringLiteral(" (PR 3)\nBroken site: ") + dead
            + QStringLiteral(
                " added to recheck queue\n"
                "Check finished.\n\tUpdated PR for 1 directories\n\tDisabled 1 directories\n"
                "Moving up: 1 directories\nMoving down: 0 directories\nDown to 0: 0 directories\n"
                "Down to -1: 0 directories\nUp vector: 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, \n"
                "Down vector: 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, "));
    EXPECT_TRUE(child<QProgressBar>(*m_dialog, "progressBar")->isHidden());
    EXPECT_FALSE(child<QPushButton>(*m_dialog, "stopButton")->isEnabled());
    EXPECT_TRUE(child<QPushButton>(*m_dialog, "reviewButton")->isEnabled());
    EXPECT_FALSE(child<QPushButton>(*m_dialog, "loadButton")->isEnabled());
    EXPECT_TRUE(m_dialog->hasUnsavedChanges());

    // Unsaved changes: Close asks, and Cancel keeps the window open.
    child<QPushButton>(*m_dialog, "closeButton")->click();
    EXPECT_EQ(m_messages.messages(), std::vector<RecordedMessage> { kUnsavedQuestion });
    EXPECT_TRUE(m_dialog->isVisible());

    // Opened from the command line: saved back there without a file dialog.
    child<QPushButton>(*m_dialog, "reviewButton")->click();
    EXPECT_EQ(m_reviewedFromCommandLine, true);
    EXPECT_TRUE(m_offered.isEmpty());
    EXPECT_EQ(child<QLabel>(*m_dialog, "saveStatus")->text(),
        QStringLiteral("Successfully saved directory database"));
    EXPECT_FALSE(m_dialog->hasUnsavedChanges());
    EXPECT_EQ(m_folder.read("custom.xml"),
        databaseOf({ { "Up", m_server.url("/up"), "3" }, { "Dead", m_server.url("/dead"), "3", "false" } }));
    child<QPushButton>(*m_dialog, "closeButton")->click();
    EXPECT_FALSE(m_dialog->isVisible());
}

TEST_F(CTessalyDlgThreaded, ClosingDuringARunAsksAndLeavesTheWorkerBehind)
{
    Gate gate;
    m_server.holdUntil(gate.opened());
    ASSERT_TRUE(m_dialog->openFromCommandLine(write({ { "Held", m_server.url("/held") } })));
    m_dialog->show();
    child<QPushButton>(*m_dialog, "startButton")->click();
    ASSERT_TRUE(waitUntil([&] { return !m_server.pagesRequested().empty(); }));
    m_messages.answerNext(MessageAnswer::Ok);
    m_dialog->close();
    EXPECT_FALSE(m_dialog->isVisible());
    EXPECT_EQ(m_messages.messages(), std::vector<RecordedMessage> { kUnsavedQuestion });
    EXPECT_TRUE(m_dialog->isRunBusy());

    gate.open();
    ASSERT_TRUE(waitUntil([&] { return !m_dialog->isRunBusy(); }));
    QTest::qWait(50);
    // Nothing of the run reached the closed window.
    EXPECT_TRUE(logText().isEmpty());
    EXPECT_FALSE(child<QPushButton>(*m_dialog, "startButton")->isEnabled());
}

} // namespace

namespace {

TEST(CTessalyDlgOpenPageRankThreaded, TheListCheckersWindowLogsTheChangesOpenPageRankGave)
{
    OpenPageRankFake openPageRank;
    openPageRank.setRank("up.example", 6);
    TempFolder folder;
    RecordingMessageBox messages;
    CTessalyDlg::Seams seams;
    seams.pause = std::chrono::milliseconds(60000);
    CTessalyDlg dialog(openPageRank.hosts(), messages, seams);
    const std::filesystem::path file = folder.write("custom.xml",
        databaseOf(
            { { "Up", "http://www.up.example/submit.php", "2" }, { "Gone", "http://gone.example/", "3" } }));
    ASSERT_TRUE(dialog.openFromCommandLine(file));
    dialog.show();
    child<QCheckBox>(dialog, "brokenLinksBox")->setChecked(false);
    child<QPushButton>(dialog, "startButton")->click();
    // The toolbar's pause would hold the run for a minute; Open PageRank has none.
    ASSERT_TRUE(waitUntil([&] { return child<QPushButton>(dialog, "startButton")->isEnabled(); }, 30000));
    const QString log = child<QPlainTextEdit>(dialog, "logView")->toPlainText();
    EXPECT_THAT(log.toStdString(),
        testing::HasSubstr("PR updated for http://www.up.example/submit.php from 2 to 6\n"));
    EXPECT_THAT(log.toStdString(),
        testing::HasSubstr(
            "Failed to retrieve PR for http://gone.example/. The existing value will be used: 3\n"));
    EXPECT_EQ(openPageRank.batches().size(), 1u);
}

} // namespace
