#include "stats/SnapshotOpening.h"

#include "support/RecordingMessageBox.h"

#include <gtest/gtest.h>

namespace {

const RecordedMessage kQuestion {
    "Before taking a snapshot you must create a site profile. Would you like to do that now?", "Vantelo",
    MessageIcon::Warning, true, MessageButtons::YesNo
};

TEST(SnapshotOpeningTest, AsksUntilAProfileExistsOrTheAnswerIsNo)
{
    RecordingMessageBox messages;
    int created = 0;
    bool exists = true;
    auto hasProfile = [&] { return exists; };
    EXPECT_TRUE(ensureSnapshotProfile(messages, hasProfile, [&] { ++created; }));
    EXPECT_TRUE(messages.empty());

    // The user cancels the first creation and completes the second.
    exists = false;
    messages.answerNext(MessageAnswer::Yes);
    messages.answerNext(MessageAnswer::Yes);
    EXPECT_TRUE(ensureSnapshotProfile(messages, hasProfile, [&] { exists = ++created == 2; }));
    EXPECT_EQ(messages.messages(), (std::vector<RecordedMessage> { kQuestion, kQuestion }));

    messages.clear();
    exists = false;
    messages.answerNext(MessageAnswer::No);
    EXPECT_FALSE(ensureSnapshotProfile(messages, hasProfile, [&] { ++created; }));
    EXPECT_EQ(created, 2);
    EXPECT_EQ(messages.messages(), std::vector<RecordedMessage> { kQuestion });
}

} // namespace
