// vantelo-cli data-folder: where vantelo, tessaly and vantelo-cli keep the user's
// files. An installed program uses a per-user folder, which this readies with
// the shipped files as the main program's first start would.

#include "CommandLine.h"
#include "Commands.h"
#include "common/DataFolder.h"

#include <iostream>

namespace {

constexpr const char* kUsage = "vantelo-cli data-folder [--data-dir DIR]";

} // namespace

int runDataFolderCommand(const std::vector<std::string>& arguments)
{
    CommandLine line(arguments);
    const std::optional<std::string> dataDir = line.takeOption("--data-dir");
    line.positional(0, kUsage);
    std::cout << DataFolder::resolve(dataDir).root().string() << '\n';
    return 0;
}
