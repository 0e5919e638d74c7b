// vantelo-cli: the command-line tools of Vantelo (database publishing, the
// database update and checks).

#include "CommandLine.h"
#include "Commands.h"
#include "common/Version.h"

#include <clocale>
#include <cstring>
#include <exception>
#include <iostream>

const std::vector<CliCommand>& cliCommands()
{
    static const std::vector<CliCommand> commands {
        { "db",
            "db list [--plain|--scrambled] FILE\n"
            "  db scramble IN OUT\n"
            "  db unscramble IN OUT\n"
            "  db merge MAIN CUSTOM",
            runDbCommand },
        { "update", "update [--data-dir DIR]", runUpdateCommand },
        { "reciprocal", "reciprocal test URL PASSWORD", runReciprocalCommand },
        { "profiles",
            "profiles list SVXML\n"
            "  profiles show SVXML NAME\n"
            "  profiles import-dat SVXML SVDAT [--replace] [--dirdata FILE] [--data-dir DIR]",
            runProfilesCommand },
        { "fill-preview",
            "fill-preview --data-dir DIR --profile NAME --directory NAME [--category-runs N] [--late-fields "
            "SECONDS] [--browser-profile DIR] [--submit] URL",
            runFillPreviewCommand },
        { "pagerank", "pagerank [--data-dir DIR] URL", runPageRankCommand },
        { "stats", "stats [--data-dir DIR] KIND URL [PHRASE]", runStatsCommand },
        { "tranco", "tranco update [--data-dir DIR]", runTrancoCommand },
        { "snapshot",
            "snapshot [--data-dir DIR] --profile NAME [--general] [--serp] [--approval [--entire] [--resume "
            "N]] OUT.html",
            runSnapshotCommand },
        { "data-folder", "data-folder [--data-dir DIR]", runDataFolderCommand },
        { "import-directories", "import-directories --data-dir DIR [--category NAME]... [--skip-pr] FILE",
            runImportDirectoriesCommand },
        { "history", "history export [--data-dir DIR] --profile NAME OUT.xlsx|OUT.xml", runHistoryCommand },
        { "learn", "learn [--data-dir DIR] [--add] [--name NAME] [--category NAME]... URL", runLearnCommand },
    };
    return commands;
}

#ifndef VANTELO_CLI_WEBENGINE
int runFillPreviewCommand(const std::vector<std::string>&)
{
    std::cerr << "vantelo-cli: fill-preview needs Qt WebEngine, and this vantelo-cli was built without "
                 "it (VANTELO_GUI=OFF)\n";
    return 1;
}
#endif

namespace {

void printHelp(std::ostream& out)
{
    out << "Usage: vantelo-cli COMMAND ...\n\nCommands:\n";
    for (const CliCommand& command : cliCommands())
        out << "  " << command.usage << '\n';
    out << "\nOptions:\n  --help     show this text\n  --version  show the version\n";
}

} // namespace

int main(int argc, char** argv)
{
    std::setlocale(LC_ALL, "");
    std::setlocale(LC_NUMERIC, "C");
    if (argc < 2 || std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
        printHelp(argc < 2 ? std::cerr : std::cout);
        return argc < 2 ? 2 : 0;
    }
    if (std::strcmp(argv[1], "--version") == 0) {
        std::cout << "vantelo-cli " << programVersion() << '\n';
        return 0;
    }
    const std::string name = argv[1];
    const std::vector<std::string> arguments(argv + 2, argv + argc);
    for (const CliCommand& command : cliCommands()) {
        if (name != command.name)
            continue;
        try {
            return command.run(arguments);
        } catch (const UsageError& error) {
            std::cerr << "vantelo-cli: " << error.what() << '\n';
            return 2;
        } catch (const std::exception& error) {
            std::cerr << "vantelo-cli: " << error.what() << '\n';
            return 1;
        }
    }
    std::cerr << "vantelo-cli: unknown command " << name << "; see vantelo-cli --help\n";
    return 2;
}
