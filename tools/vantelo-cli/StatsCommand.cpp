// vantelo-cli stats: one figure of the search statistics collectors.

#include "Commands.h"
#include "DataFolderFiles.h"
#include "stats/CSEOData.h"

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

// The figures that say "none" with -1: PageRank without a value, Alexa's page
// without its markers, Yahoo refusing the query.
bool isNoValue(std::int32_t kind, std::int32_t figure)
{
    return figure == -1
        && (kind == CSEOData::GooglePageRank || kind == CSEOData::HomePagePageRank
            || kind == CSEOData::AlexaRank || kind == CSEOData::YahooPosition);
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
    const CSEOData collector(hostsOfDataFolder(line.dataFolder()));
    if (stderrIsTerminal())
        std::cerr << "asking for " << name << " of " << url
                  << (needsPhrase(kind) ? " (result pages follow each other after a pause)" : "") << "...\n";
    const CSEOData::Answer answer = collector.answer(kind, url, phrase);
    const bool known = answer.answered() && !isNoValue(kind, answer.figure);
    if (line.json()) {
        nlohmann::ordered_json json = { { "kind", name }, { "url", url } };
        if (needsPhrase(kind))
            json["phrase"] = phrase;
        json["value"] = known ? nlohmann::ordered_json(answer.figure) : nlohmann::ordered_json(nullptr);
        printJson(json);
    } else {
        std::cout << (known ? std::to_string(answer.figure) : kNoValue) << '\n';
    }
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
        "pages). A position of 0 means not in the first 300 results. A server that\n"
        "gives no answer, or an answer without the figure, prints n/a and fails.\n\n"
        "JSON: {\"kind\", \"url\", \"phrase\" (position kinds only), \"value\": a number or null}.",
        CliCommand::kDataFolder | CliCommand::kJson, runStats };
    return command;
}
