// vantelo-cli pagerank: the PageRank query of one URL, showing its checksum and
// query path.

#include "Commands.h"
#include "DataFolderFiles.h"
#include "stats/CSEOData.h"
#include "stats/PageRank.h"

#include <iostream>

namespace {

constexpr const char* kChecksumPrefix = "info:";
constexpr const char* kNoValue = "n/a";

int runPageRank(CliArguments& line)
{
    const std::string url = line.positional(1, 1).front();
    const HostConfiguration hosts = hostsOfDataFolder(line.dataFolder());
    const std::int32_t checksum = pageRankChecksum(kChecksumPrefix + url);
    const std::string path = pageRankQueryPath(url);
    if (path.empty())
        throw CliFailure("the URL is too long for a PageRank query");

    if (stderrIsTerminal())
        std::cerr << "asking " << hosts.pageRankHost() << "...\n";
    const CSEOData::Answer answer = CSEOData(hosts).answer(CSEOData::GooglePageRank, url);
    const bool known = answer.answered() && answer.figure != kUnknownPageRank;
    if (line.json()) {
        printJson(
            { { "url", url }, { "checksum", checksum }, { "path", path }, { "host", hosts.pageRankHost() },
                { "pagerank",
                    known ? nlohmann::ordered_json(answer.figure) : nlohmann::ordered_json(nullptr) } });
    } else {
        std::cout << "checksum " << checksum << "\npath " << path << "\npagerank "
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
    static const CliCommand command { "pagerank", "URL",
        "Print the checksum, query path and PageRank of a URL.", {},
        "Asks the PageRank server (pagerankhost in data/settings.xml). When it gives no\n"
        "answer, or one without a PageRank, the PageRank is printed as n/a and the\n"
        "command fails.\n\n"
        "JSON: {\"url\", \"checksum\", \"path\", \"host\", \"pagerank\": 0 to 10, or null}.",
        CliCommand::kDataFolder | CliCommand::kJson, runPageRank };
    return command;
}
