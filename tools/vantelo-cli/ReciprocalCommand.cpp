// vantelo-cli reciprocal test: the profile wizard's test of a reciprocal-link
// script, printing the message the wizard would show.

#include "Commands.h"
#include "common/StderrMessageBox.h"
#include "net/BlockingWaitDialog.h"
#include "net/ReciprocalScript.h"

#include <cstdlib>
#include <iostream>
#include <termios.h>
#include <unistd.h>

namespace {

constexpr const char* kPasswordVariable = "VANTELO_RECIPROCAL_PASSWORD";
constexpr const char* kNoPasswordArgument =
    "the password is not taken on the command line, where other users can see it: give it on standard "
    "input or in VANTELO_RECIPROCAL_PASSWORD";

// Keeps what is typed on a terminal from being shown while it lives.
class HiddenTyping {
public:
    HiddenTyping()
        : m_terminal(::tcgetattr(STDIN_FILENO, &m_saved) == 0)
    {
        if (!m_terminal)
            return;
        termios hidden = m_saved;
        hidden.c_lflag &= ~static_cast<tcflag_t>(ECHO);
        ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &hidden);
    }
    ~HiddenTyping()
    {
        if (m_terminal) {
            ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &m_saved);
            std::cerr << '\n';
        }
    }
    HiddenTyping(const HiddenTyping&) = delete;
    HiddenTyping& operator=(const HiddenTyping&) = delete;

    bool terminal() const { return m_terminal; }

private:
    termios m_saved {};
    bool m_terminal;
};

// The password from the environment, else the first line of standard input,
// asked for without showing it when that is a terminal.
std::string scriptPassword()
{
    if (const char* fromEnvironment = std::getenv(kPasswordVariable); fromEnvironment && *fromEnvironment)
        return fromEnvironment;
    std::string line;
    {
        const HiddenTyping hidden;
        if (hidden.terminal())
            std::cerr << "Password: " << std::flush;
        std::getline(std::cin, line);
    }
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    if (line.empty())
        throw CliFailure(std::string("no password on standard input or in ") + kPasswordVariable);
    return line;
}

int runTest(CliArguments& line)
{
    const std::vector<std::string> values = line.positional(1, 2);
    if (values.size() == 2)
        line.usageError(kNoPasswordArgument);
    const std::string password = scriptPassword();
    StderrMessageBox messages(kCliProgram);
    BlockingWaitDialog wait;
    ReciprocalScript script(messages, wait);
    return script.testConfiguration(values[0], password) ? kExitSuccess : kExitFailure;
}

} // namespace

const CliCommand& reciprocalTestCommand()
{
    static const CliCommand command { "reciprocal test", "URL",
        "Test the reciprocal link script at URL with its password.", {},
        "Reads the script's password from VANTELO_RECIPROCAL_PASSWORD, else from the\n"
        "first line of standard input (asked for without echo on a terminal); a password\n"
        "given after URL is refused, as other users could read it in the process list.\n"
        "Prints on standard error the message the profile wizard's Test Configuration\n"
        "shows, and succeeds when the script is configured properly.",
        0, runTest };
    return command;
}
