// vantelo-cli: the command-line tools of Vantelo (database publishing, the
// database update and checks).

#include "Commands.h"

#include <clocale>
#include <iostream>
#include <string_view>

int main(int argc, char** argv)
{
    std::setlocale(LC_ALL, "");
    std::setlocale(LC_NUMERIC, "C");
    std::vector<CliCommand> commands = cliCommands();
#ifdef VANTELO_CLI_WEBENGINE
    commands.push_back(fillPreviewCommand());
    setLearnEngine(learnWithEngine);
#else
    // Said plainly rather than as an unknown command: the man page lists it.
    if (argc > 1 && std::string_view(argv[1]) == "fill-preview") {
        std::cerr << kCliProgram
                  << ": fill-preview needs Qt WebEngine, and this vantelo-cli was built without it "
                     "(VANTELO_GUI=OFF)\n";
        return kExitFailure;
    }
#endif
    const int code = runVanteloCli({ argv + 1, argv + argc }, commands);
    // Output that did not arrive whole (a full disk) is no success.
    if (!std::cout.flush() && code == kExitSuccess) {
        std::cerr << kCliProgram << ": cannot write to standard output\n";
        return kExitFailure;
    }
    return code;
}
