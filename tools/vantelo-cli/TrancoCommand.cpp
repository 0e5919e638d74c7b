// vantelo-cli tranco: the Tranco list of top sites that gives the traffic rank.

#include "TrancoCommand.h"

#include "CommandLine.h"
#include "Commands.h"
#include "DataFolderHosts.h"
#include "common/DataFolder.h"
#include "stats/TrancoList.h"

#include <ctime>
#include <iostream>

namespace {

constexpr const char* kUsage = "vantelo-cli tranco update [--data-dir DIR]";

} // namespace

bool refreshTrancoList(const TrancoList& list, const std::string& url, bool always)
{
    const std::time_t now = std::time(nullptr);
    if (!always && !list.needsRefresh(now))
        return true;
    std::cerr << "Downloading the Tranco list from " << url << "...\n";
    int shown = -1;
    const TrancoList::Update update = list.update(url, [&shown](std::uint64_t received, std::uint64_t total) {
        // Whole tens of percent keep a log readable; without a size, megabytes.
        const int step =
            total > 0 ? static_cast<int>(received * 10 / total) : static_cast<int>(received >> 20);
        if (step != shown) {
            shown = step;
            if (total > 0)
                std::cerr << "  " << step * 10 << "%\n";
            else
                std::cerr << "  " << step << " MB\n";
        }
        return true;
    });
    std::cerr << update.message << '\n';
    if (!update.stored)
        std::cerr << "The list in " << list.file().string() << " is " << list.ageText(now) << '\n';
    return update.stored;
}

int runTrancoCommand(const std::vector<std::string>& arguments)
{
    CommandLine line(arguments);
    const std::optional<std::string> dataDir = line.takeOption("--data-dir");
    const std::vector<std::string> words = line.positional(1, kUsage);
    if (words.front() != "update")
        throw UsageError(std::string("usage: ") + kUsage);
    const HostConfiguration hosts = hostsOfDataFolder(dataDir);
    const TrancoList list(TrancoList::fileIn(DataFolder::resolve(dataDir)));
    if (!refreshTrancoList(list, hosts.services().trancoUrl, true))
        return 1;
    const std::time_t now = std::time(nullptr);
    std::cout << list.file().string() << '\n' << "list " << list.ageText(now) << '\n';
    return 0;
}
