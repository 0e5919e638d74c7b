// vantelo-cli pagerank: the PageRank query of one URL, showing its checksum and
// query path.

#include "CommandLine.h"
#include "Commands.h"
#include "DataFolderHosts.h"
#include "stats/PageRank.h"

#include <iostream>

namespace {

constexpr const char* kUsage = "vantelo-cli pagerank [--data-dir DIR] URL";
constexpr const char* kChecksumPrefix = "info:";

} // namespace

int runPageRankCommand(const std::vector<std::string>& arguments)
{
    CommandLine line(arguments);
    const std::optional<std::string> dataDir = line.takeOption("--data-dir");
    const std::string url = line.positional(1, kUsage).front();
    const HostConfiguration hosts = hostsOfDataFolder(dataDir);

    const std::string path = pageRankQueryPath(url);
    std::cout << "checksum " << pageRankChecksum(kChecksumPrefix + url) << '\n';
    if (path.empty()) {
        std::cerr << "vantelo-cli: the URL is too long for a PageRank query\n";
        return 1;
    }
    std::cout << "path " << path << '\n' << std::flush;
    std::cerr << "asking " << hosts.pageRankHost() << "...\n";
    std::cout << "pagerank " << QueryPageRank(url, hosts.pageRankHost()) << '\n';
    return 0;
}
