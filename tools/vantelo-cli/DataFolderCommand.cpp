// vantelo-cli data-folder: where vantelo, tessaly and vantelo-cli keep the user's
// files. An installed program uses a per-user folder, which this readies with
// the shipped files as the main program's first start would.

#include "Commands.h"

#include <iostream>

namespace {

// The folder as an absolute path without "." or ".." or a trailing slash.
std::filesystem::path absoluteFolder(const std::filesystem::path& folder)
{
    std::error_code error;
    std::filesystem::path absolute = std::filesystem::absolute(folder, error).lexically_normal();
    if (error)
        throw CliFailure("cannot tell where " + folder.string() + " is: " + error.message());
    if (!absolute.has_filename() && absolute.has_parent_path() && absolute != absolute.root_path())
        absolute = absolute.parent_path();
    return absolute;
}

int runDataFolder(CliArguments& line)
{
    line.positional(0, 0);
    const std::filesystem::path folder = absoluteFolder(line.dataFolder().root());
    if (const std::error_code error = createPrivateFolder(folder))
        throw CliFailure("cannot create the data folder " + folder.string() + ": " + error.message());
    if (line.json())
        printJson({ { "datafolder", folder.string() } });
    else
        std::cout << folder.string() << '\n';
    return kExitSuccess;
}

} // namespace

const CliCommand& dataFolderCommand()
{
    static const CliCommand command { "data-folder", "",
        "Print the data folder the programs use, as an absolute path.", {},
        "The folder is created when it is missing (readable by its owner only); a\n"
        "per-user folder also gets a copy of the shipped dirdata.xml and submission.xsl.\n"
        "It fails when the folder cannot be created.\n\n"
        "JSON: {\"datafolder\": path}.",
        CliCommand::kDataFolder | CliCommand::kJson, runDataFolder };
    return command;
}
