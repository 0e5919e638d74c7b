// vantelo-cli stats: one figure of the search statistics collectors, from the
// sources the settings choose; the source is named on stderr so that stdout
// holds the figure alone.

#include "CommandLine.h"
#include "Commands.h"
#include "DataFolderHosts.h"
#include "TrancoCommand.h"
#include "common/DataFolder.h"
#include "stats/CSEOData.h"
#include "stats/TrancoList.h"

#include <array>
#include <iostream>

namespace {

constexpr const char* kUsage = "vantelo-cli stats [--data-dir DIR] KIND URL [PHRASE]";

// The kinds by name, in kind order; a kind may also be given by its number.
constexpr std::array<const char*, 9> kKindNames { "pagerank", "homepagerank", "alexa", "googlelinks",
    "yahoolinks", "googleindex", "yahooindex", "googleposition", "yahooposition" };

std::int32_t kindOf(const std::string& text)
{
    for (std::size_t kind = 0; kind < kKindNames.size(); ++kind)
        if (text == kKindNames[kind] || text == std::to_string(kind))
            return static_cast<std::int32_t>(kind);
    std::string names;
    for (const char* name : kKindNames)
        names += std::string(names.empty() ? "" : ", ") + name;
    throw UsageError("unknown kind " + text + "; kinds are 0 to 8 or " + names);
}

constexpr const char* kNotAvailableText = "n/a";

bool needsPhrase(std::int32_t kind)
{
    return kind == CSEOData::GooglePosition || kind == CSEOData::YahooPosition;
}

} // namespace

int runStatsCommand(const std::vector<std::string>& arguments)
{
    CommandLine line(arguments);
    const std::optional<std::string> dataDir = line.takeOption("--data-dir");
    const std::vector<std::string> values = line.positionalAtLeast(2, kUsage);
    if (values.size() > 3)
        throw UsageError(std::string("usage: ") + kUsage);
    const std::int32_t kind = kindOf(values[0]);
    if (needsPhrase(kind) != (values.size() == 3))
        throw UsageError(
            needsPhrase(kind) ? "this kind needs a PHRASE" : "only the position kinds take a PHRASE");
    const HostConfiguration hosts = hostsOfDataFolder(dataDir);
    CSEOData collector(hosts);
    if (kind == CSEOData::AlexaRank) {
        const DataFolder folder = DataFolder::resolve(dataDir);
        collector.useTrafficList(TrancoList::fileIn(folder));
        refreshTrancoList(TrancoList(TrancoList::fileIn(folder)), hosts.services().trancoUrl, false);
    }
    std::cerr << "source: " << collector.sourceOf(kind) << '\n';
    if (!collector.offers(kind)) {
        std::cout << kNotAvailableText << '\n';
        return 0;
    }
    std::cerr << "asking for " << kKindNames[static_cast<std::size_t>(kind)] << " of " << values[1]
              << (needsPhrase(kind) ? " (result pages follow each other after a pause)" : "") << "...\n";
    const std::string phrase = values.size() == 3 ? values[2] : std::string();
    const std::int32_t figure =
        collector.Query(kind, values[1], phrase, 0, static_cast<CSEOData::IResultSink*>(nullptr));
    if (figure == CSEOData::kNotAvailable)
        std::cout << kNotAvailableText << '\n';
    else
        std::cout << figure << '\n';
    return 0;
}
