// vantelo-cli lists: the directory lists followed at their addresses, and
// their update into customdirdata.xml.

#include "Commands.h"
#include "common/LocalTime.h"
#include "common/StderrMessageBox.h"
#include "custom/FollowedLists.h"
#include "custom/ListsUpdate.h"
#include "directories/DirectoryStore.h"

#include <ctime>
#include <iostream>

namespace {

FollowedLists loadLists(const DataFolder& folder)
{
    FollowedLists lists(folder);
    std::string problem;
    if (!lists.load(problem))
        throw CliFailure(problem);
    return lists;
}

void saveLists(FollowedLists& lists)
{
    std::string problem;
    if (!lists.save(problem))
        throw CliFailure(problem);
}

std::string listUrl(const CliArguments& line)
{
    const std::string url = line.positional(1, 1).front();
    const std::optional<std::string> address = FollowedLists::listAddress(url);
    if (!address)
        throw CliFailure(url + " is no http or https address");
    return *address;
}

int runAdd(CliArguments& line)
{
    const std::string url = listUrl(line);
    const DataFolder folder = line.writableDataFolder();
    FollowedLists lists = loadLists(folder);
    if (!lists.add(url)) {
        printNote(url + " is followed already");
        return kExitSuccess;
    }
    saveLists(lists);
    printNote("following " + url + "; vantelo-cli lists update reads it");
    return kExitSuccess;
}

int runRemove(CliArguments& line)
{
    const std::string url = listUrl(line);
    const DataFolder folder = line.writableDataFolder();
    FollowedLists lists = loadLists(folder);
    if (!lists.remove(url))
        throw CliFailure(url + " is not followed");
    saveLists(lists);
    printNote("no longer following " + url + "; its directories stay");
    return kExitSuccess;
}

int runShow(CliArguments& line)
{
    line.positional(0, 0);
    const FollowedLists lists = loadLists(line.dataFolder());
    nlohmann::ordered_json shown = nlohmann::ordered_json::array();
    for (const FollowedList& list : lists.lists()) {
        const bool read = list.updated != 0;
        if (line.json()) {
            shown.push_back({ { "url", list.url },
                { "updated",
                    read ? nlohmann::ordered_json(formatLocalTime(list.updated, "%Y-%m-%dT%H:%M:%S%z"))
                         : nlohmann::ordered_json() },
                { "directories", list.sites.size() } });
        } else {
            std::cout << list.url << " ("
                      << (read ? "updated " + formatLocalTime(list.updated, "%Y-%m-%d %H:%M") + ", "
                                     + std::to_string(list.sites.size()) + " directories"
                               : std::string("not read yet"))
                      << ")\n";
        }
    }
    if (line.json())
        printJson({ { "lists", std::move(shown) } });
    else if (lists.lists().empty())
        std::cout << "No directory list is followed. For example: vantelo-cli lists add "
                  << FollowedLists::kSuggestedUrl << "\n";
    return kExitSuccess;
}

int runUpdate(CliArguments& line)
{
    line.positional(0, 0);
    const DataFolder folder = line.writableDataFolder();
    FollowedLists lists = loadLists(folder);
    StderrMessageBox messages(kCliProgram);
    DirectoryStore main(messages);
    DirectoryStore custom(messages, "customdirs");
    main.MergeCustom(custom, folder);

    std::vector<ListFetch> fetches;
    for (const FollowedList& list : lists.lists()) {
        if (stderrIsTerminal())
            printNote("fetching " + list.url);
        fetches.push_back(fetchFollowedList(list));
    }
    const ListsUpdateResult result =
        updateFollowedLists(lists, fetches, custom, main, folder.customDatabase(), std::time(nullptr));
    if (!result.problem.empty())
        throw CliFailure(result.problem);
    const std::vector<ListUpdateCounts>& counts = result.counts;

    bool failed = false;
    nlohmann::ordered_json shown = nlohmann::ordered_json::array();
    for (const ListUpdateCounts& list : counts) {
        failed = failed || !list.problem.empty();
        if (!list.problem.empty())
            printNote(listUpdateText(list));
        else if (!line.json())
            std::cout << listUpdateText(list) << '\n';
        nlohmann::ordered_json entry = { { "url", list.url }, { "added", list.added },
            { "updated", list.updated }, { "gone", list.gone }, { "unchanged", list.unchanged } };
        if (!list.problem.empty())
            entry["error"] = list.problem;
        shown.push_back(std::move(entry));
    }
    if (line.json())
        printJson({ { "lists", std::move(shown) } });
    else if (counts.empty())
        std::cout << "No directory list is followed\n";
    return failed ? kExitFailure : kExitSuccess;
}

} // namespace

const CliCommand& listsAddCommand()
{
    static const CliCommand command { "lists add", "URL", "Follow the directory list at URL.", {},
        "URL is the http or https address of a directory list (CSV, TSV, JSON or plain\n"
        "lines, as import-directories reads them). Nothing is fetched until lists\n"
        "update. A list followed already is left as it is.",
        CliCommand::kDataFolder, runAdd };
    return command;
}

const CliCommand& listsRemoveCommand()
{
    static const CliCommand command { "lists remove", "URL", "Stop following the directory list at URL.", {},
        "The directories the list brought stay in customdirdata.xml. A list that is\n"
        "not followed is an error.",
        CliCommand::kDataFolder, runRemove };
    return command;
}

const CliCommand& listsShowCommand()
{
    static const CliCommand command { "lists show", "", "Print the directory lists followed.", {},
        "A line per list: its address, when it was last updated and how many\n"
        "directories its last good copy lists.\n\n"
        "JSON: {\"lists\": [{\"url\", \"updated\": time or null, \"directories\": N}]}.",
        CliCommand::kDataFolder | CliCommand::kJson, runShow };
    return command;
}

const CliCommand& listsUpdateCommand()
{
    static const CliCommand command { "lists update", "",
        "Fetch every followed list and update the directories.", {},
        "Asks each list's address, with its ETag and Last-Modified, so that an unchanged\n"
        "list is not sent again. New rows become custom directories (under \"Custom\"\n"
        "and the list's categories, without PageRank); known custom directories get\n"
        "the list's rating, link type and pricing; directories the list brought that\n"
        "left it are marked as no longer listed, never deleted. A line per list says\n"
        "what changed. A list whose address answers with a web page, an error, a\n"
        "redirect loop or no list keeps its last good copy and changes nothing; the\n"
        "command then exits with 1 after updating the others.\n\n"
        "JSON: {\"lists\": [{\"url\", \"added\", \"updated\", \"gone\", \"unchanged\",\n"
        "\"error\" (only when it failed)}]}.",
        CliCommand::kDataFolder | CliCommand::kJson, runUpdate };
    return command;
}
