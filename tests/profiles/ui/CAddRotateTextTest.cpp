#include "profiles/ui/CAddRotateText.h"

#include "ProfileDialogTesting.h"
#include "support/NamedChild.h"
#include "support/RecordingMessageBox.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace SendingProfile;
using ::testing::ElementsAre;

namespace {

TEST(CAddRotateTextTest, CountsAsTheTextChangesAndRefusesAnEmptyText)
{
    RecordingMessageBox messages;
    CAddRotateText editor(messages);
    editor.show();
    EXPECT_EQ(editor.windowTitle().toStdString(), "Add new...");
    EXPECT_EQ(child<QLabel>(editor, "counterLabel")->text().toStdString(), "0 characters, 0 words");
    EXPECT_EQ(editor.focusWidget(), child<QPlainTextEdit>(editor, "textEdit"));

    child<QPushButton>(editor, "okButton")->click();
    EXPECT_TRUE(editor.isVisible());
    EXPECT_THAT(messages.messages(),
        ElementsAre(
            shown("Please enter a text or cancel the operation", "Vantelo", MessageIcon::Information)));

    QTest::keyClicks(child<QPlainTextEdit>(editor, "textEdit"), QStringLiteral("a"));
    EXPECT_EQ(child<QLabel>(editor, "counterLabel")->text().toStdString(), "1 characters, 1 word ");
    QTest::keyClicks(child<QPlainTextEdit>(editor, "textEdit"), QStringLiteral(" b"));
    EXPECT_EQ(child<QLabel>(editor, "counterLabel")->text().toStdString(), "3 characters, 2 words");
    // Enter confirms instead of breaking the line.
    QTest::keyClick(child<QPlainTextEdit>(editor, "textEdit"), Qt::Key_Return);
    EXPECT_FALSE(editor.isVisible());
    EXPECT_EQ(editor.result(), QDialog::Accepted);
    EXPECT_EQ(editor.text(), "a b");
}

TEST(CAddRotateTextTest, EditShowsTheCaptionAndTextAndCancelGivesNothing)
{
    RecordingMessageBox messages;
    whenModal<CAddRotateText>([](CAddRotateText& editor) {
        EXPECT_EQ(editor.windowTitle().toStdString(), "Edit Keywords...");
        EXPECT_EQ(child<QLabel>(editor, "counterLabel")->text().toStdString(), "8 characters, 2 words");
        QTest::keyClicks(child<QPlainTextEdit>(editor, "textEdit"), QStringLiteral(";three"));
        child<QPushButton>(editor, "okButton")->click();
    });
    EXPECT_EQ(CAddRotateText::edit(messages, nullptr, QStringLiteral("Edit Keywords..."), "one, two"),
        std::optional<std::string>("one, two;three"));

    whenModal<CAddRotateText>(
        [](CAddRotateText& editor) { child<QPushButton>(editor, "cancelButton")->click(); });
    EXPECT_EQ(CAddRotateText::edit(messages, nullptr, QStringLiteral("Add Title..."), ""), std::nullopt);
    EXPECT_TRUE(messages.empty());
}

} // namespace
