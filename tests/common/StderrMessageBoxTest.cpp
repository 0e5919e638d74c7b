#include "common/StderrMessageBox.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

// The command-line tools run unattended: a question must never be taken as a
// "yes" unless the tool chose that answer. Every line carries the program's
// name, in place of the windows' captions.
TEST(StderrMessageBoxTest, PrintsEachMessageAndAnswersQuestionsWithItsFixedAnswer)
{
    std::ostringstream out;
    StderrMessageBox unattended("tool", out, MessageAnswer::No);
    unattended.show("Saved.", "Vantelo", MessageIcon::Information);
    EXPECT_EQ(unattended.ask("Overwrite?", "Vantelo", MessageButtons::YesNo, MessageIcon::Question),
        MessageAnswer::No);
    EXPECT_EQ(unattended.ask("Done.", "Vantelo List Checker", MessageButtons::Ok, MessageIcon::Information),
        MessageAnswer::Ok);
    unattended.show("Unsupported control type", "Odd Directory", MessageIcon::Error);
    unattended.show("Failed\r\nDetails: no root\r\n", "Vantelo", MessageIcon::Error);
    unattended.show("Failed\r\nDetails: no root", "Vantelo", MessageIcon::Error);
    EXPECT_EQ(out.str(),
        "tool: Saved.\ntool: Overwrite?\ntool: Done.\ntool: Odd Directory: Unsupported control type\n"
        "tool: Failed\nDetails: no root\n");
    EXPECT_EQ(unattended.count(), 6);

    std::ostringstream quiet;
    StderrMessageBox confirming("tool", quiet, MessageAnswer::Yes);
    EXPECT_EQ(confirming.ask("Merge?", "Vantelo", MessageButtons::YesNoCancel, MessageIcon::Question),
        MessageAnswer::Yes);
}

} // namespace
