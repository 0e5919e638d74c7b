// vantelo-cli pagerank: the PageRank of one URL from the configured provider.
// The toolbar query also shows its checksum and query path; Open PageRank the
// domain it was asked about. Either way the "source" line names who answered.

#include "Commands.h"
#include "DataFolderFiles.h"
#include "stats/CSEOData.h"
#include "stats/OpenPageRank.h"
#include "stats/PageRank.h"
#include "stats/PageRankSource.h"

#include <iostream>

namespace {

constexpr const char* kChecksumPrefix = "info:";
constexpr const char* kNoValue = "n/a";

nlohmann::ordered_json figureJson(bool known, std::int32_t figure)
{
    return known ? nlohmann::ordered_json(figure) : nlohmann::ordered_json(nullptr);
}

int askOpenPageRank(CliArguments& line, const HostConfiguration& hosts, const std::string& url)
{
    const std::string domain = siteDomain(url);
    if (domain.empty())
        throw CliFailure(url + " names no domain");
    const std::string source = pageRankSourceName(hosts);
    const std::shared_ptr<OpenPageRankClient> client = openPageRankClientFor(hosts, nullptr);
    client->setProblemListener([](const std::string& problem) { printNote(problem); });
    if (stderrIsTerminal())
        std::cerr << "asking " << hosts.services().openPageRankUrl << "...\n";
    const std::int32_t figure = client->query({ domain }, kUnknownPageRank).front();
    const bool known = figure != kUnknownPageRank;
    if (line.json()) {
        printJson({ { "url", url }, { "domain", domain }, { "source", source },
            { "pagerank", figureJson(known, figure) } });
    } else {
        std::cout << "domain " << domain << "\nsource " << source << "\npagerank "
                  << (known ? std::to_string(figure) : kNoValue) << '\n';
    }
    if (!known)
        throw CliFailure("Open PageRank gave no PageRank for " + domain);
    return kExitSuccess;
}

int runPageRank(CliArguments& line)
{
    const std::string url = line.positional(1, 1).front();
    const HostConfiguration hosts = hostsOfDataFolder(line.dataFolder(), line.secrets());
    if (usesOpenPageRank(hosts))
        return askOpenPageRank(line, hosts, url);

    const std::int32_t checksum = pageRankChecksum(kChecksumPrefix + url);
    const std::string path = pageRankQueryPath(url);
    if (path.empty())
        throw CliFailure("the URL is too long for a PageRank query");
    const std::string source = pageRankSourceName(hosts);

    if (stderrIsTerminal())
        std::cerr << "asking " << hosts.pageRankHost() << "...\n";
    const CSEOData::Answer answer = CSEOData(hosts).answer(CSEOData::GooglePageRank, url);
    const bool known = answer.answered() && answer.figure != kUnknownPageRank;
    if (line.json()) {
        printJson(
            { { "url", url }, { "checksum", checksum }, { "path", path }, { "host", hosts.pageRankHost() },
                { "source", source }, { "pagerank", figureJson(known, answer.figure) } });
    } else {
        std::cout << "checksum " << checksum << "\npath " << path << "\nsource " << source << "\npagerank "
                  << (known ? std::to_string(answer.figure) : kNoValue) << '\n';
    }
    if (!answer.answered())
        throw CliFailure("no usable answer from " + answer.silentHost);
    if (!known)
        throw CliFailure(hosts.pageRankHost() + " gave no PageRank for " + url);
    return kExitSuccess;
}

} // namespace

const CliCommand& pageRankCommand()
{
    static const CliCommand command { "pagerank", "URL", "Print the PageRank of a URL and who gave it.", {},
        "Asks the PageRank provider the settings choose. The toolbar query (pagerankhost\n"
        "in data/settings.xml) prints the URL's checksum and query path first; Open\n"
        "PageRank (with an API key set) prints the domain it is asked about. A \"source\"\n"
        "line names the provider. When it gives no answer, or one without a PageRank,\n"
        "the PageRank is printed as n/a and the command fails.\n\n"
        "JSON: {\"url\", \"checksum\", \"path\", \"host\" (toolbar query) or \"domain\" (Open\n"
        "PageRank), \"source\", \"pagerank\": 0 to 10, or null}.",
        CliCommand::kDataFolder | CliCommand::kJson, runPageRank };
    return command;
}
