#include "browser/ui/FindBar.h"
#include "browser/ui/JavaScriptDialog.h"
#include "browser/ui/PageNotice.h"
#include "browser/ui/SignInDialog.h"
#include "support/NamedChild.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

TEST(BrowserDialogsTest, APromptShowsThePagesTextAsTextAndGivesBackTheAnswer)
{
    PageDialog asked;
    asked.kind = PageDialog::Kind::Prompt;
    asked.caption = "directory.example says";
    asked.text = "<b>Your name?</b>";
    asked.defaultValue = "guest";
    asked.offerPrevent = true;
    JavaScriptDialog dialog(asked);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("directory.example says"));
    QLabel* text = child<QLabel>(dialog, "pageText");
    EXPECT_EQ(text->text(), QStringLiteral("<b>Your name?</b>"));
    EXPECT_EQ(text->textFormat(), Qt::PlainText);
    EXPECT_EQ(child<QLineEdit>(dialog, "promptEdit")->text(), QStringLiteral("guest"));
    EXPECT_EQ(child<QCheckBox>(dialog, "preventBox")->text(), QString::fromLatin1(kPreventMoreDialogs));
    child<QLineEdit>(dialog, "promptEdit")->setText(QStringLiteral("Jo"));
    child<QCheckBox>(dialog, "preventBox")->setChecked(true);
    dialog.accept();
    const PageDialogAnswer answer = dialog.answer();
    EXPECT_TRUE(answer.accepted);
    EXPECT_EQ(answer.value, "Jo");
    EXPECT_TRUE(answer.prevent);

    JavaScriptDialog cancelled(asked);
    cancelled.reject();
    EXPECT_FALSE(cancelled.answer().accepted);
    EXPECT_EQ(cancelled.answer().value, "");
}

TEST(BrowserDialogsTest, AnAlertHasOnlyOkAndNoOfferUnlessTheGuardMakesOne)
{
    PageDialog asked;
    asked.caption = "This page says";
    asked.text = "Saved.";
    JavaScriptDialog alert(asked);
    EXPECT_EQ(alert.findChildren<QCheckBox*>().size(), 0);
    EXPECT_EQ(alert.findChildren<QLineEdit*>().size(), 0);
    EXPECT_EQ(child<QDialogButtonBox>(alert, "buttons")->buttons().size(), 1);
    // Escape closes an alert, which is the same as OK.
    alert.reject();
    EXPECT_TRUE(alert.answer().accepted);

    asked.kind = PageDialog::Kind::Confirm;
    JavaScriptDialog confirm(asked);
    EXPECT_EQ(child<QDialogButtonBox>(confirm, "buttons")->buttons().size(), 2);
}

TEST(BrowserDialogsTest, SignInOffersTheProfilesUserNameAndRemembersOnlyWhenTicked)
{
    SignInDialog dialog({ "http://127.0.0.1:8080", "Members <area>", "jo" });
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Sign in"));
    EXPECT_EQ(child<QLineEdit>(dialog, "userNameEdit")->text(), QStringLiteral("jo"));
    EXPECT_EQ(child<QLineEdit>(dialog, "passwordEdit")->echoMode(), QLineEdit::Password);
    EXPECT_TRUE(
        child<QLabel>(dialog, "signInText")->text().contains(QStringLiteral("http://127.0.0.1:8080")));
    EXPECT_TRUE(child<QLabel>(dialog, "signInText")->text().contains(QStringLiteral("\"Members <area>\"")));
    EXPECT_EQ(child<QLabel>(dialog, "signInText")->textFormat(), Qt::PlainText);
    EXPECT_FALSE(child<QCheckBox>(dialog, "rememberBox")->isChecked());
    child<QLineEdit>(dialog, "passwordEdit")->setText(QStringLiteral("pw"));
    SignInAnswer answer = dialog.answer();
    EXPECT_EQ(answer.userName, "jo");
    EXPECT_EQ(answer.password, "pw");
    EXPECT_FALSE(answer.remember);
    child<QCheckBox>(dialog, "rememberBox")->setChecked(true);
    EXPECT_TRUE(dialog.answer().remember);
}

TEST(BrowserDialogsTest, TheFindBarFindsOnEnterGoesBackOnShiftEnterAndClosesOnEscape)
{
    FindBar bar;
    QSignalSpy finds(&bar, &FindBar::findRequested);
    QSignalSpy closes(&bar, &FindBar::closed);
    bar.open();
    EXPECT_TRUE(bar.isVisible());
    QLineEdit* text = child<QLineEdit>(bar, "findEdit");
    // Typing finds once, when it pauses, so that no search overtakes another.
    QTest::keyClicks(text, QStringLiteral("ab"));
    EXPECT_EQ(finds.size(), 0);
    ASSERT_TRUE(finds.wait(2000));
    ASSERT_EQ(finds.size(), 1);
    EXPECT_EQ(finds.at(0).at(0).toString(), QStringLiteral("ab"));
    EXPECT_FALSE(finds.at(0).at(1).toBool());
    QTest::keyClick(text, Qt::Key_Return);
    QTest::keyClick(text, Qt::Key_Return, Qt::ShiftModifier);
    ASSERT_EQ(finds.size(), 3);
    EXPECT_FALSE(finds.at(1).at(1).toBool());
    EXPECT_TRUE(finds.at(2).at(1).toBool());
    bar.showResult(2, 5);
    EXPECT_EQ(child<QLabel>(bar, "findResult")->text(), QStringLiteral("2 of 5"));
    bar.showResult(0, 0);
    EXPECT_EQ(child<QLabel>(bar, "findResult")->text(), QStringLiteral("No matches"));
    QTest::keyClick(text, Qt::Key_Escape);
    EXPECT_FALSE(bar.isVisible());
    EXPECT_EQ(closes.size(), 1);
    // Opened again, the last text is there and selected, ready to be typed over.
    bar.open();
    EXPECT_EQ(text->selectedText(), QStringLiteral("ab"));
}

TEST(BrowserDialogsTest, APageNoticeMakesItsFirstChoiceTheDefault)
{
    PageNotice notice;
    int chosen = 0;
    notice.present(QStringLiteral("Title"), QStringLiteral("<i>text</i>"),
        { { QStringLiteral("Go back"), QStringLiteral("first"), [&] { chosen = 1; } },
            { QStringLiteral("Proceed anyway"), QStringLiteral("second"), [&] { chosen = 2; } } });
    EXPECT_EQ(notice.text(), QStringLiteral("<i>text</i>"));
    EXPECT_TRUE(child<QPushButton>(notice, "first")->isDefault());
    EXPECT_FALSE(child<QPushButton>(notice, "second")->isDefault());
    child<QPushButton>(notice, "second")->click();
    EXPECT_EQ(chosen, 2);
    // Presented again, the old buttons are gone.
    notice.present(QStringLiteral("Other"), QStringLiteral("text"),
        { { QStringLiteral("Reload"), QStringLiteral("reload"), [&] { chosen = 3; } } });
    EXPECT_EQ(notice.findChildren<QPushButton*>().size(), 1);
    child<QPushButton>(notice, "reload")->click();
    EXPECT_EQ(chosen, 3);
}

} // namespace
