#pragma once

#include "common/IMessageBox.h"

#include <iosfwd>
#include <string>

// Prints messages for the command-line tools as "program: text" lines, the way
// Linux tools do; a caption that is not one of the programs' own (a directory's
// name, say) is kept before the text. Questions get a fixed answer since nobody
// is there to click.
class StderrMessageBox : public IMessageBox {
public:
    explicit StderrMessageBox(std::string program, MessageAnswer answer = MessageAnswer::No);
    StderrMessageBox(std::string program, std::ostream& out, MessageAnswer answer);

    void show(const std::string& text, const std::string& caption, MessageIcon icon) override;
    MessageAnswer ask(const std::string& text, const std::string& caption, MessageButtons buttons,
        MessageIcon icon) override;

    // How many messages and questions were printed so far.
    int count() const { return m_count; }

private:
    const std::string m_program;
    std::ostream& m_out;
    MessageAnswer m_answer;
    int m_count = 0;
    // A message that repeats the one before is not printed again.
    std::string m_last;
};
