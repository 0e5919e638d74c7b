// vantelo-cli reciprocal test: the profile wizard's test of a reciprocal-link
// script, printing the message the wizard would show.

#include "Commands.h"
#include "common/StderrMessageBox.h"
#include "net/BlockingWaitDialog.h"
#include "net/ReciprocalScript.h"

namespace {

int runTest(CliArguments& line)
{
    const std::vector<std::string> values = line.positional(2, 2);
    StderrMessageBox messages(kCliProgram);
    BlockingWaitDialog wait;
    ReciprocalScript script(messages, wait);
    return script.testConfiguration(values[0], values[1]) ? kExitSuccess : kExitFailure;
}

} // namespace

const CliCommand& reciprocalTestCommand()
{
    static const CliCommand command { "reciprocal test", "URL PASSWORD",
        "Test the reciprocal link script at URL with its password.", {},
        "Prints on standard error the message the profile wizard's Test Configuration\n"
        "shows, and succeeds when the script is configured properly.",
        0, runTest };
    return command;
}
