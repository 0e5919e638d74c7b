#include "common/StderrMessageBox.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

// The command-line tools run unattended: a question must never be taken as a
// "yes" unless the tool chose that answer.
TEST(StderrMessageBoxTest, PrintsEachMessageAndAnswersQuestionsWithItsFixedAnswer)
{
    std::ostringstream out;
    StderrMessageBox unattended(out, MessageAnswer::No);
    unattended.show("Saved.", "Vantelo", MessageIcon::Information);
    EXPECT_EQ(unattended.ask("Overwrite?", "Vantelo", MessageButtons::YesNo, MessageIcon::Question),
        MessageAnswer::No);
    EXPECT_EQ(
        unattended.ask("Done.", "tessaly", MessageButtons::Ok, MessageIcon::Information), MessageAnswer::Ok);
    EXPECT_EQ(out.str(), "Vantelo: Saved.\nVantelo: Overwrite?\ntessaly: Done.\n");
    EXPECT_EQ(unattended.count(), 3);

    std::ostringstream quiet;
    StderrMessageBox confirming(quiet, MessageAnswer::Yes);
    EXPECT_EQ(confirming.ask("Merge?", "Vantelo", MessageButtons::YesNoCancel, MessageIcon::Question),
        MessageAnswer::Yes);
}

} // namespace
