#include "support/RecordingMessageBox.h"

#include <ostream>

void RecordingMessageBox::show(const std::string& text, const std::string& caption, MessageIcon icon)
{
    m_messages.push_back({ text, caption, icon, false, MessageButtons::Ok });
}

MessageAnswer RecordingMessageBox::ask(
    const std::string& text, const std::string& caption, MessageButtons buttons, MessageIcon icon)
{
    m_messages.push_back({ text, caption, icon, true, buttons });
    if (m_answers.empty())
        return MessageAnswer::No;
    const MessageAnswer answer = m_answers.front();
    m_answers.pop_front();
    return answer;
}

std::vector<std::string> RecordingMessageBox::texts() const
{
    std::vector<std::string> result;
    for (const RecordedMessage& message : m_messages)
        result.push_back(message.text);
    return result;
}

RecordedMessage shown(std::string text, std::string caption, MessageIcon icon)
{
    return { std::move(text), std::move(caption), icon, false, MessageButtons::Ok };
}

RecordedMessage vanteloError(std::string text)
{
    return shown(std::move(text), kVanteloCaption, MessageIcon::Error);
}

void PrintTo(const RecordedMessage& message, std::ostream* out)
{
    *out << (message.question ? "ask{" : "show{") << '"' << message.text << "\", \"" << message.caption
         << "\", icon " << static_cast<int>(message.icon) << '}';
}
