// vantelo-cli db: list, scramble, unscramble and merge directory databases.

#include "CommandLine.h"
#include "Commands.h"
#include "DatabaseFile.h"
#include "common/AtomicFile.h"
#include "common/StderrMessageBox.h"
#include "common/XmlErrorText.h"
#include "directories/Scrambling.h"

#include <functional>
#include <iostream>

namespace {

std::optional<bool> formFlag(CommandLine& line)
{
    const bool plain = line.takeFlag("--plain");
    const bool scrambled = line.takeFlag("--scrambled");
    if (plain && scrambled)
        throw UsageError("--plain and --scrambled exclude each other");
    if (plain || scrambled)
        return plain;
    return std::nullopt;
}

int list(CommandLine line)
{
    const std::optional<bool> plain = formFlag(line);
    const std::string file = line.positional(1, "vantelo-cli db list [--plain|--scrambled] FILE").front();
    StderrMessageBox messages;
    printDatabase(*loadDatabaseFile(file, plain, messages), std::cout);
    return 0;
}

int convert(
    CommandLine line, const std::string& usage, const std::function<std::string(std::string_view)>& transform)
{
    const std::vector<std::string> files = line.positional(2, usage);
    const std::optional<std::string> bytes = readFileBytes(files[0]);
    if (!bytes)
        throw UsageError("cannot read " + files[0]);
    if (auto error = writeFileAtomically(files[1], transform(*bytes))) {
        std::cerr << "vantelo-cli: cannot write " << files[1] << ": "
                  << xmlErrorText(error->message, error->details) << '\n';
        return 1;
    }
    return 0;
}

int merge(CommandLine line)
{
    const std::vector<std::string> files = line.positional(2, "vantelo-cli db merge MAIN CUSTOM");
    StderrMessageBox messages;
    const auto main = loadDatabaseFile(files[0], std::nullopt, messages);
    const auto custom = loadDatabaseFile(files[1], std::nullopt, messages);
    main->mergeLoadedCustom(*custom);
    printDatabase(*main, std::cout);
    return 0;
}

} // namespace

int runDbCommand(const std::vector<std::string>& arguments)
{
    if (arguments.empty())
        throw UsageError("usage: vantelo-cli db list|scramble|unscramble|merge ...");
    const std::string& action = arguments.front();
    CommandLine line({ arguments.begin() + 1, arguments.end() });
    if (action == "list")
        return list(std::move(line));
    if (action == "scramble")
        return convert(std::move(line), "vantelo-cli db scramble IN OUT", scrambleDatabase);
    if (action == "unscramble")
        return convert(std::move(line), "vantelo-cli db unscramble IN OUT", unscrambleDatabase);
    if (action == "merge")
        return merge(std::move(line));
    throw UsageError("unknown db command " + action);
}
