#pragma once

#include "common/IMessageBox.h"

#include <iosfwd>

// Prints messages as "caption: text" lines for the command-line tools; questions
// get a fixed answer since nobody is there to click.
class StderrMessageBox : public IMessageBox {
public:
    explicit StderrMessageBox(MessageAnswer answer = MessageAnswer::No);
    StderrMessageBox(std::ostream& out, MessageAnswer answer);

    void show(const std::string& text, const std::string& caption, MessageIcon icon) override;
    MessageAnswer ask(const std::string& text, const std::string& caption, MessageButtons buttons,
        MessageIcon icon) override;

    // How many messages and questions were printed so far.
    int count() const { return m_count; }

private:
    std::ostream& m_out;
    MessageAnswer m_answer;
    int m_count = 0;
};
