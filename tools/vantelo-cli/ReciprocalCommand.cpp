// vantelo-cli reciprocal test: the profile wizard's test of a reciprocal-link
// script, printing the message the wizard would show.

#include "CommandLine.h"
#include "Commands.h"
#include "common/StderrMessageBox.h"
#include "net/BlockingWaitDialog.h"
#include "net/ReciprocalScript.h"

namespace {

constexpr const char* kUsage = "vantelo-cli reciprocal test URL PASSWORD";

} // namespace

int runReciprocalCommand(const std::vector<std::string>& arguments)
{
    if (arguments.empty() || arguments.front() != "test")
        throw UsageError(std::string("usage: ") + kUsage);
    const CommandLine line({ arguments.begin() + 1, arguments.end() });
    const std::vector<std::string> values = line.positional(2, kUsage);
    StderrMessageBox messages;
    BlockingWaitDialog wait;
    ReciprocalScript script(messages, wait);
    return script.testConfiguration(values[0], values[1]) ? 0 : 1;
}
