// vantelo-cli pagerank: the PageRank of one URL from the configured provider.
// The toolbar query also shows its checksum and query path; Open PageRank the
// domain it was asked about. Either way the "source" line names who answered.

#include "CommandLine.h"
#include "Commands.h"
#include "DataFolderHosts.h"
#include "stats/OpenPageRank.h"
#include "stats/PageRank.h"
#include "stats/PageRankSource.h"

#include <iostream>

namespace {

constexpr const char* kUsage = "vantelo-cli pagerank [--data-dir DIR] URL";
constexpr const char* kChecksumPrefix = "info:";

int askOpenPageRank(const HostConfiguration& hosts, const std::string& url)
{
    const std::string domain = siteDomain(url);
    if (domain.empty()) {
        std::cerr << "vantelo-cli: " << url << " names no domain\n";
        return 1;
    }
    const std::shared_ptr<OpenPageRankClient> client = openPageRankClientFor(hosts, nullptr);
    client->setProblemListener([](const std::string& problem) { std::cerr << problem << '\n'; });
    std::cout << "domain " << domain << '\n' << "source " << pageRankSourceName(hosts) << '\n' << std::flush;
    std::cerr << "asking " << hosts.services().openPageRankUrl << "...\n";
    std::cout << "pagerank " << client->query({ domain }, kUnknownPageRank).front() << '\n';
    return 0;
}

} // namespace

int runPageRankCommand(const std::vector<std::string>& arguments)
{
    CommandLine line(arguments);
    const std::optional<std::string> dataDir = line.takeOption("--data-dir");
    const std::string url = line.positional(1, kUsage).front();
    const HostConfiguration hosts = hostsOfDataFolder(dataDir);
    if (usesOpenPageRank(hosts))
        return askOpenPageRank(hosts, url);

    const std::string path = pageRankQueryPath(url);
    std::cout << "checksum " << pageRankChecksum(kChecksumPrefix + url) << '\n';
    if (path.empty()) {
        std::cerr << "vantelo-cli: the URL is too long for a PageRank query\n";
        return 1;
    }
    std::cout << "path " << path << '\n' << "source " << pageRankSourceName(hosts) << '\n' << std::flush;
    std::cerr << "asking " << hosts.pageRankHost() << "...\n";
    std::cout << "pagerank " << QueryPageRank(url, hosts.pageRankHost()) << '\n';
    return 0;
}
