// vantelo-cli db: list, scramble, unscramble and merge directory databases.

#include "Commands.h"
#include "DatabaseFile.h"
#include "common/AtomicFile.h"
#include "common/StderrMessageBox.h"
#include "common/XmlErrorText.h"
#include "directories/DatabaseFileCheck.h"
#include "directories/Scrambling.h"

#include <iostream>

namespace {

constexpr const char* kJsonFields =
    "JSON: {\"latestrevision\": N, \"directories\": [{\"name\", \"revision\", \"pr\",\n"
    "\"submiturl\", \"category\", \"onsubmit\", \"rating\" (0 to 100, null when no\n"
    "list gave one), \"linktype\", \"pricing\" (null likewise), \"unlisted\" (true once\n"
    "the directory left the followed list that brought it), \"items\": [{\"name\",\n"
    "\"type\", \"index\", \"value\"}]}]}.";

std::optional<bool> formFlag(CliArguments& line)
{
    const bool plain = line.takeFlag("--plain");
    const bool scrambled = line.takeFlag("--scrambled");
    if (plain && scrambled)
        line.usageError("--plain and --scrambled exclude each other");
    if (plain || scrambled)
        return plain;
    return std::nullopt;
}

void printStore(const DirectoryStore& store, const CliArguments& line)
{
    if (line.json())
        printJson(databaseJson(store));
    else
        printDatabase(store, std::cout);
}

int runList(CliArguments& line)
{
    const std::optional<bool> plain = formFlag(line);
    const std::string file = line.positional(1, 1).front();
    StderrMessageBox messages(kCliProgram);
    printStore(*loadDatabaseFile(file, plain, messages), line);
    return kExitSuccess;
}

// Converts IN into OUT once IN has proved to be a database in the form the
// conversion starts from; OUT stays as it was otherwise.
int convert(CliArguments& line, bool fromPlain, std::string (*transform)(std::string_view))
{
    const std::vector<std::string> files = line.positional(2, 2);
    const std::optional<std::string> bytes = readFileBytes(files[0]);
    if (!bytes)
        throw CliFailure("cannot read " + files[0]);
    const DatabaseFileCheck check = checkDatabaseBytes(*bytes, fromPlain);
    if (!check.isDatabase())
        throw CliFailure(files[0] + " " + check.problem);
    if (auto error = writeFileAtomically(files[1], transform(*bytes)))
        throw CliFailure("cannot write " + files[1] + ": " + xmlErrorText(error->message, error->details));
    return kExitSuccess;
}

int runScramble(CliArguments& line)
{
    return convert(line, true, scrambleDatabase);
}

int runUnscramble(CliArguments& line)
{
    return convert(line, false, unscrambleDatabase);
}

int runMerge(CliArguments& line)
{
    const std::vector<std::string> files = line.positional(2, 2);
    StderrMessageBox messages(kCliProgram);
    const auto main = loadDatabaseFile(files[0], std::nullopt, messages);
    const auto custom = loadDatabaseFile(files[1], std::nullopt, messages);
    main->mergeLoadedCustom(*custom);
    printStore(*main, line);
    return kExitSuccess;
}

} // namespace

const CliCommand& dbListCommand()
{
    static const CliCommand command { "db list", "[--plain|--scrambled] FILE",
        "Print a directory database: its latest revision and its directories.",
        { { "--plain", "", "read FILE as plain XML" }, { "--scrambled", "", "read FILE as scrambled" } },
        std::string("A file that starts with \"<\" is read as plain XML, any other as scrambled,\n"
                    "unless --plain or --scrambled says which. The text has a line per directory:\n"
                    "its name, submit URL, PageRank, revision and number of form items.\n"
                    "A file that is no directory database in that form is an error.\n\n")
            + kJsonFields,
        CliCommand::kJson, runList };
    return command;
}

const CliCommand& dbScrambleCommand()
{
    static const CliCommand command { "db scramble", "IN OUT",
        "Write the plain directory database IN to OUT in the scrambled form.", {},
        "IN must be a plain database (well-formed XML whose root is <rf> or\n"
        "<customdirs>); OUT is replaced whole, and left as it was when IN is not one.",
        0, runScramble };
    return command;
}

const CliCommand& dbUnscrambleCommand()
{
    static const CliCommand command { "db unscramble", "IN OUT",
        "Write the scrambled directory database IN to OUT as plain XML.", {},
        "IN must be a scrambled database; OUT is replaced whole, and left as it was\n"
        "when IN is not one.",
        0, runUnscramble };
    return command;
}

const CliCommand& dbMergeCommand()
{
    static const CliCommand command { "db merge", "MAIN CUSTOM",
        "Print the main database with the custom directories merged in.", {},
        std::string("Prints, as db list does, the directory list the main window shows: the\n"
                    "directories of MAIN, those of CUSTOM added or in their place.\n\n")
            + kJsonFields,
        CliCommand::kJson, runMerge };
    return command;
}
