#include "common/StderrMessageBox.h"

#include <iostream>

namespace {

// The windows' captions name the program ("Vantelo", "Vantelo List Checker"),
// which the prefix names already.
bool isProgramCaption(const std::string& caption)
{
    return caption.empty() || caption.starts_with(kVanteloCaption);
}

// One message as lines of a terminal: the windows' "\r\n" become line feeds,
// and a text's trailing line break is dropped.
std::string terminalText(const std::string& text)
{
    std::string lines;
    lines.reserve(text.size());
    for (const char c : text)
        if (c != '\r')
            lines += c;
    while (!lines.empty() && lines.back() == '\n')
        lines.pop_back();
    return lines;
}

} // namespace

StderrMessageBox::StderrMessageBox(std::string program, MessageAnswer answer)
    : StderrMessageBox(std::move(program), std::cerr, answer)
{
}

StderrMessageBox::StderrMessageBox(std::string program, std::ostream& out, MessageAnswer answer)
    : m_program(std::move(program))
    , m_out(out)
    , m_answer(answer)
{
}

void StderrMessageBox::show(const std::string& text, const std::string& caption, MessageIcon)
{
    ++m_count;
    std::string line = m_program + ": ";
    if (!isProgramCaption(caption))
        line += caption + ": ";
    line += terminalText(text);
    if (line == m_last)
        return;
    m_last = line;
    m_out << line << '\n' << std::flush;
}

MessageAnswer StderrMessageBox::ask(
    const std::string& text, const std::string& caption, MessageButtons buttons, MessageIcon icon)
{
    show(text, caption, icon);
    if (buttons == MessageButtons::Ok)
        return MessageAnswer::Ok;
    return m_answer;
}
