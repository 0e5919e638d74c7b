// vantelo-cli tranco update: the Tranco list of top sites that gives the traffic rank.

#include "TrancoCommand.h"

#include "Commands.h"
#include "DataFolderFiles.h"
#include "stats/TrancoList.h"

#include <ctime>
#include <iostream>

bool refreshTrancoList(const TrancoList& list, const std::string& url, bool always)
{
    const std::time_t now = std::time(nullptr);
    if (!always && !list.needsRefresh(now))
        return true;
    printNote("downloading the Tranco list from " + url + "...");
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
    printNote(update.message);
    if (!update.stored)
        printNote("the list in " + list.file().string() + " is " + list.ageText(now));
    return update.stored;
}

namespace {

int runTrancoUpdate(CliArguments& line)
{
    line.positional(0, 0);
    const DataFolder folder = line.writableDataFolder();
    const HostConfiguration hosts = hostsOfDataFolder(folder, line.secrets());
    const TrancoList list(TrancoList::fileIn(folder));
    if (!refreshTrancoList(list, hosts.services().trancoUrl, true))
        return kExitFailure;
    const std::string age = list.ageText(std::time(nullptr));
    if (line.json())
        printJson({ { "file", list.file().string() }, { "list", age } });
    else
        std::cout << list.file().string() << '\n' << "list " << age << '\n';
    return kExitSuccess;
}

} // namespace

const CliCommand& trancoUpdateCommand()
{
    static const CliCommand command { "tranco update", "",
        "Download the Tranco list of top sites that gives the traffic rank.", {},
        "Downloads the list from trancourl in data/settings.xml (the Tranco site by\n"
        "default) into the data folder, showing the progress in tens of percent on\n"
        "standard error, then prints the list's file and its date. stats alexa and the\n"
        "snapshot download it by themselves when it is missing or 30 days old. A failed\n"
        "download keeps the old list and fails.\n\n"
        "JSON: {\"file\", \"list\": when it was downloaded}.",
        CliCommand::kDataFolder | CliCommand::kJson, runTrancoUpdate };
    return command;
}
