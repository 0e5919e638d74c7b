// vantelo-cli stats: one figure of the search statistics collectors, from the
// sources the settings choose; the source is named on stderr so that stdout
// holds the figure alone.

#include "Commands.h"
#include "DataFolderFiles.h"
#include "TrancoCommand.h"
#include "stats/CSEOData.h"
#include "stats/TrancoList.h"

#include <array>
#include <iostream>

namespace {

constexpr const char* kNoValue = "n/a";

// The kinds by name, in kind order; a kind may also be given by its number.
constexpr std::array<const char*, 9> kKindNames { "pagerank", "homepagerank", "alexa", "googlelinks",
    "yahoolinks", "googleindex", "yahooindex", "googleposition", "yahooposition" };

std::int32_t kindOf(const std::string& text, const CliArguments& line)
{
    for (std::size_t kind = 0; kind < kKindNames.size(); ++kind)
        if (text == kKindNames[kind] || text == std::to_string(kind))
            return static_cast<std::int32_t>(kind);
    std::string names;
    for (const char* name : kKindNames)
        names += std::string(names.empty() ? "" : ", ") + name;
    line.usageError("unknown kind " + text + "; kinds are 0 to 8 or " + names);
}

bool needsPhrase(std::int32_t kind)
{
    return kind == CSEOData::GooglePosition || kind == CSEOData::YahooPosition;
}

// The figures that say "none": one the source does not give, and -1 for a
// PageRank without a value, Alexa's page without its markers, Yahoo refusing
// the query or a search API that could not be asked.
bool isNoValue(std::int32_t kind, std::int32_t figure)
{
    if (figure == CSEOData::kNotAvailable)
        return true;
    return figure == -1
        && (kind == CSEOData::GooglePageRank || kind == CSEOData::HomePagePageRank
            || kind == CSEOData::AlexaRank || kind == CSEOData::GooglePosition
            || kind == CSEOData::YahooPosition);
}

int runStats(CliArguments& line)
{
    const std::vector<std::string> values = line.positional(2, 3);
    const std::int32_t kind = kindOf(values[0], line);
    if (needsPhrase(kind) != (values.size() == 3))
        line.usageError(
            needsPhrase(kind) ? "this kind needs a PHRASE" : "only the position kinds take a PHRASE");
    const std::string& url = values[1];
    const std::string phrase = values.size() == 3 ? values[2] : std::string();
    const std::string name = kKindNames[static_cast<std::size_t>(kind)];
    const DataFolder folder = line.dataFolder();
    const HostConfiguration hosts = hostsOfDataFolder(folder, line.secrets());
    CSEOData collector(hosts);
    if (kind == CSEOData::AlexaRank) {
        // The traffic rank comes from the Tranco list, fetched first when it is missing or old;
        // a failed download keeps the old list, and without any list the rank is not available.
        const TrancoList list(TrancoList::fileIn(folder));
        collector.useTrafficList(list.file());
        refreshTrancoList(list, hosts.services().trancoUrl, false);
    }
    const std::string source = collector.sourceOf(kind);
    // On stderr, so that stdout holds the figure alone.
    printNote("source: " + source);
    const bool offered = collector.offers(kind);
    if (offered && stderrIsTerminal())
        std::cerr << "asking for " << name << " of " << url
                  << (needsPhrase(kind) ? " (result pages follow each other after a pause)" : "") << "...\n";
    const CSEOData::Answer answer =
        offered ? collector.answer(kind, url, phrase) : CSEOData::Answer { CSEOData::kNotAvailable, {} };
    const bool known = answer.answered() && !isNoValue(kind, answer.figure);
    if (line.json()) {
        nlohmann::ordered_json json = { { "kind", name }, { "url", url } };
        if (needsPhrase(kind))
            json["phrase"] = phrase;
        json["source"] = source;
        json["value"] = known ? nlohmann::ordered_json(answer.figure) : nlohmann::ordered_json(nullptr);
        printJson(json);
    } else {
        std::cout << (known ? std::to_string(answer.figure) : kNoValue) << '\n';
    }
    if (!offered)
        throw CliFailure(name + " is " + source);
    if (!answer.answered())
        throw CliFailure("no usable answer from " + answer.silentHost);
    if (!known)
        throw CliFailure("the answer holds no " + name + " for " + url);
    return kExitSuccess;
}

} // namespace

const CliCommand& statsCommand()
{
    static const CliCommand command { "stats", "KIND URL [PHRASE]",
        "Print one search statistics figure of a URL.", {},
        "KIND is a number from 0 to 8 or its name: pagerank, homepagerank, alexa,\n"
        "googlelinks, yahoolinks, googleindex, yahooindex, and, with a PHRASE,\n"
        "googleposition and yahooposition (these wait 7 or 10 seconds between result\n"
        "pages). A position of 0 means not in the first 300 results. The settings choose\n"
        "the sources: Open PageRank or the toolbar query for the PageRanks, a search API\n"
        "or the web pages for the search figures. alexa is the site's rank in the Tranco\n"
        "list (0: not in it), downloaded first when it is missing or 30 days old. The\n"
        "source is named on standard error. A figure the source does not give, or a\n"
        "server that gives no answer or one without the figure, prints n/a and fails.\n\n"
        "JSON: {\"kind\", \"url\", \"phrase\" (position kinds only), \"source\", \"value\": a\n"
        "number or null}.",
        CliCommand::kDataFolder | CliCommand::kJson, runStats };
    return command;
}
