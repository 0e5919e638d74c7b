#include "common/StderrMessageBox.h"

#include <iostream>

StderrMessageBox::StderrMessageBox(MessageAnswer answer)
    : StderrMessageBox(std::cerr, answer)
{
}

StderrMessageBox::StderrMessageBox(std::ostream& out, MessageAnswer answer)
    : m_out(out)
    , m_answer(answer)
{
}

void StderrMessageBox::show(const std::string& text, const std::string& caption, MessageIcon)
{
    ++m_count;
    m_out << caption << ": " << text << '\n';
}

MessageAnswer StderrMessageBox::ask(
    const std::string& text, const std::string& caption, MessageButtons buttons, MessageIcon icon)
{
    show(text, caption, icon);
    if (buttons == MessageButtons::Ok)
        return MessageAnswer::Ok;
    return m_answer;
}
