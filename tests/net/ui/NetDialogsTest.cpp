#include "net/ui/CDirectoryReportDlg.h"
#include "net/ui/CUpdateAvailableDlg.h"

#include "GuiTestSupport.h"
#include "support/NamedChild.h"

#include <QCheckBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBrowser>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

TEST(CDirectoryReportDlgTest, CollectsTheCommentAndTheTickedProblems)
{
    CDirectoryReportDlg dialog;
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Report Broken Directory"));
    dialog.show();
    EXPECT_EQ(dialog.focusWidget(), child<QPlainTextEdit>(dialog, "commentEdit"));
    EXPECT_EQ(dialog.form().reason(), 0);
    EXPECT_EQ(dialog.form().comment, "");

    QTest::keyClicks(child<QPlainTextEdit>(dialog, "commentEdit"), QStringLiteral("Asks for money"));
    child<QCheckBox>(dialog, "paidOnlyBox")->setChecked(true);
    child<QCheckBox>(dialog, "serverDownBox")->setChecked(true);
    const BrokenReportForm form = dialog.form();
    EXPECT_EQ(form.comment, "Asks for money");
    EXPECT_TRUE(form.paidOnly);
    EXPECT_TRUE(form.serverDown);
    EXPECT_FALSE(form.wrongCategory);
    EXPECT_EQ(form.reason(), 6);
}

TEST(CDirectoryReportDlgTest, SendGivesTheFormAndCancelGivesNothing)
{
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<CDirectoryReportDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        child<QCheckBox>(*dialog, "wrongCategoryBox")->setChecked(true);
        child<QPushButton>(*dialog, "sendButton")->click();
    });
    const std::optional<BrokenReportForm> sent = CDirectoryReportDlg::ask(nullptr);
    ASSERT_TRUE(sent.has_value());
    EXPECT_EQ(sent->reason(), 1);

    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<CDirectoryReportDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        child<QPushButton>(*dialog, "cancelButton")->click();
    });
    EXPECT_FALSE(CDirectoryReportDlg::ask(nullptr).has_value());
}

TEST(CUpdateAvailableDlgTest, ShowsTheBuiltInNoticeWithTheLoginLink)
{
    CUpdateAvailableDlg dialog(QStringLiteral("http://www.vantelo.example/customers/login.php?a=1&b=2"));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Vantelo Update Available"));
    EXPECT_EQ(child<QTextBrowser>(dialog, "noticeView")->toPlainText().trimmed(),
        QStringLiteral("An update is available for the Vantelo version you're currently using. To get the "
                       "details and the latest version please login with your customer id here."));
    EXPECT_TRUE(
        child<QTextBrowser>(dialog, "noticeView")
            ->toHtml()
            .contains(QStringLiteral("href=\"http://www.vantelo.example/customers/login.php?a=1&amp;b=2\"")));
    EXPECT_TRUE(child<QTextBrowser>(dialog, "noticeView")->openExternalLinks());
    EXPECT_EQ(child<QTextBrowser>(dialog, "noticeView")->contextMenuPolicy(), Qt::NoContextMenu);

    dialog.show();
    auto* close = dialog.findChild<QPushButton*>();
    ASSERT_NE(close, nullptr);
    EXPECT_EQ(close->text(), QStringLiteral("Close"));
    close->click();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

} // namespace
