#pragma once

#include "common/IMessageBox.h"

#include <deque>
#include <iosfwd>
#include <string>
#include <vector>

// A message shown or a question asked through RecordingMessageBox.
struct RecordedMessage {
    std::string text;
    std::string caption;
    MessageIcon icon = MessageIcon::None;
    bool question = false;
    MessageButtons buttons = MessageButtons::Ok;

    bool operator==(const RecordedMessage&) const = default;
};

// The test double of the message interface: records every message and answers
// questions from a queue of prepared answers (No when the queue is empty).
class RecordingMessageBox : public IMessageBox {
public:
    void show(const std::string& text, const std::string& caption, MessageIcon icon) override;
    MessageAnswer ask(const std::string& text, const std::string& caption, MessageButtons buttons,
        MessageIcon icon) override;

    // The answer to the next question.
    void answerNext(MessageAnswer answer) { m_answers.push_back(answer); }

    const std::vector<RecordedMessage>& messages() const { return m_messages; }
    std::vector<std::string> texts() const;
    bool empty() const { return m_messages.empty(); }
    void clear() { m_messages.clear(); }

private:
    std::vector<RecordedMessage> m_messages;
    std::deque<MessageAnswer> m_answers;
};

// A shown (not asked) message, for comparisons.
RecordedMessage shown(std::string text, std::string caption, MessageIcon icon);
// The error message of the main program: caption "Vantelo", error icon.
RecordedMessage vanteloError(std::string text);

// Readable failure output for GoogleTest.
void PrintTo(const RecordedMessage& message, std::ostream* out);
