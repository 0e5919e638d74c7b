#include "TessalyDlgFixture.h"

#include "checker/ui/CTessalyApp.h"
#include "support/NamedChild.h"

#include <QAction>
#include <QCheckBox>
#include <QProgressBar>
#include <QTest>

namespace {

using CTessalyDlgTest = TessalyDlgFixture;

TEST_F(CTessalyDlgTest, StartsIdleAndAsksForADatabase)
{
    EXPECT_EQ(m_dialog->windowTitle(), QStringLiteral("Vantelo List Checker v1.0"));
    EXPECT_FALSE(m_dialog->windowIcon().availableSizes().isEmpty());
    EXPECT_EQ(child<QCheckBox>(*m_dialog, "pageRankBox")->text(), QStringLiteral("Update Google PR"));
    EXPECT_EQ(child<QCheckBox>(*m_dialog, "brokenLinksBox")->text(),
        QStringLiteral("Check for broken links (server down or 404)"));
    EXPECT_TRUE(child<QCheckBox>(*m_dialog, "pageRankBox")->isChecked());
    EXPECT_TRUE(child<QCheckBox>(*m_dialog, "brokenLinksBox")->isChecked());
    EXPECT_FALSE(child<QPushButton>(*m_dialog, "reviewButton")->isEnabled());
    EXPECT_FALSE(child<QPushButton>(*m_dialog, "stopButton")->isEnabled());
    EXPECT_TRUE(child<QProgressBar>(*m_dialog, "progressBar")->isHidden());
    EXPECT_TRUE(child<QPlainTextEdit>(*m_dialog, "logView")->isReadOnly());

    child<QPushButton>(*m_dialog, "startButton")->click();
    EXPECT_EQ(m_messages.messages(),
        std::vector<RecordedMessage> { shown("Please load a directory list before starting the check",
            "Vantelo List Checker", MessageIcon::Warning) });
    EXPECT_TRUE(child<QPushButton>(*m_dialog, "startButton")->isEnabled());
    EXPECT_FALSE(child<QPushButton>(*m_dialog, "stopButton")->isEnabled());
}

TEST_F(CTessalyDlgTest, CommandLineFileIsLoadedAndLocksLoad)
{
    EXPECT_FALSE(m_dialog->openFromCommandLine(m_folder.path("missing.xml")));
    EXPECT_EQ(m_messages.texts().size(), 1u);
    EXPECT_TRUE(child<QPushButton>(*m_dialog, "loadButton")->isEnabled());
    m_openAnswer = QString::fromStdString(write({ { "A", "u" } }).string());
    child<QPushButton>(*m_dialog, "loadButton")->click();
    EXPECT_EQ(child<QLabel>(*m_dialog, "loadStatus")->text(),
        QStringLiteral("Loaded 1 directories (enabled+disabled)"));

    ASSERT_TRUE(m_dialog->openFromCommandLine(write({ { "A", "u" }, { "B", "u", "-", "false" } })));
    EXPECT_EQ(child<QLabel>(*m_dialog, "loadStatus")->text(),
        QStringLiteral("Loaded 2 directories (enabled+disabled)"));
    EXPECT_EQ(m_dialog->windowTitle(), QStringLiteral("Vantelo List Checker v1.0 - custom.xml"));
    EXPECT_FALSE(child<QPushButton>(*m_dialog, "loadButton")->isEnabled());

    const CTessalyApp::Arguments arguments = CTessalyApp::readArguments(
        { "--data-dir", "/srv/data", "<open>/opt/My", "Sites/customdirdata.xml</open>" });
    EXPECT_EQ(arguments.dataDir, "/srv/data");
    EXPECT_EQ(arguments.openFile, "/opt/My Sites/customdirdata.xml");
}

TEST_F(CTessalyDlgTest, EnterAndEscapeNeverCloseTheWindow)
{
    m_dialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(m_dialog.get()));
    for (QWidget* target : std::initializer_list<QWidget*> { m_dialog.get(),
             child<QPushButton>(*m_dialog, "closeButton"), child<QPushButton>(*m_dialog, "startButton") }) {
        target->setFocus();
        for (const Qt::Key key : { Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter })
            QTest::keyClick(target, key);
    }
    EXPECT_TRUE(m_dialog->isVisible());
    // Enter pressed no button either: Start would have asked for a database.
    EXPECT_TRUE(m_messages.empty());

    const QList<QAction*> actions = m_dialog->actions();
    ASSERT_EQ(actions.size(), 1);
    EXPECT_EQ(actions.front()->text(), QStringLiteral("&About Vantelo List Checker..."));
    actions.front()->trigger();
    EXPECT_EQ(m_messages.messages(),
        std::vector<RecordedMessage> { shown(
            "Vantelo List Checker Version 1.0", "About Vantelo List Checker", MessageIcon::Information) });

    // Nothing unsaved: Close closes without asking.
    child<QPushButton>(*m_dialog, "closeButton")->click();
    EXPECT_FALSE(m_dialog->isVisible());
    EXPECT_EQ(m_messages.messages().size(), 1u);
}

} // namespace
