// vantelo-cli directories: a profile's directories in the window's table order,
// the one "Next Directory" opens, and setting their states.

#include "Commands.h"
#include "DataFolderFiles.h"
#include "app/DirectoryList.h"
#include "common/StderrMessageBox.h"
#include "common/SystemClock.h"
#include "directories/DirectoryStore.h"
#include "profiles/DirectoryStates.h"
#include "profiles/ProfileStore.h"
#include "profiles/SubmissionDate.h"

#include <iostream>
#include <limits>

using SendingProfile::DirectoryState;

namespace {

constexpr const char* kStateNames =
    "new, sent, approved, failed, needs-account, paid-only, no-form, broken, skipped, lost";

// The --sort words and the window's sorts they stand for.
struct SortWord {
    const char* word;
    DirectorySort sort;
};
constexpr SortWord kSortWords[] = {
    { "name", DirectorySort::AlphaAscending },
    { "rating", DirectorySort::RatingDescending },
    { "pr", DirectorySort::PrDescending },
    { "date", DirectorySort::DateDescending },
};

// The profile file and the merged directory databases of a data folder, as the window reads them.
struct ProfileDirectories {
    StderrMessageBox messages { kCliProgram };
    DataFolder folder;
    SendingProfile::ProfileStore profiles { messages };
    DirectoryStore directories { messages, "rf" };
    DirectoryStore custom { messages, "customdirs" };
    std::string profile;

    ProfileDirectories(const CliArguments& line, std::string name)
        : folder(line.dataFolder())
        , profile(std::move(name))
    {
        openProfileFile(profiles, folder.profiles());
        if (!profiles.hasProfile(profile))
            throw CliFailure("no profile named \"" + profile + "\" in " + folder.profiles().string());
        directories.MergeCustom(custom, folder);
    }

    DirectoryList list(DirectorySort sort, std::vector<DirectoryState> states = {}) const
    {
        DirectoryListQuery query;
        query.profile = profile;
        query.sort = sort;
        query.states = std::move(states);
        return buildDirectoryList(directories, profiles, query);
    }
};

// The --profile and --sort of a command: taken before its positional arguments
// (which refuse an unknown option) and checked after them.
struct Choices {
    std::optional<std::string> profile;
    std::optional<std::string> sort;

    explicit Choices(CliArguments& line)
        : profile(line.takeOption("--profile"))
        , sort(line.takeOption("--sort"))
    {
    }

    std::string profileName(const CliArguments& line) const
    {
        if (!profile)
            line.usageError("a --profile is needed");
        return *profile;
    }

    DirectorySort order(const CliArguments& line) const
    {
        if (!sort)
            return DirectorySort::PrDescending;
        for (const SortWord& word : kSortWords) {
            if (*sort == word.word)
                return word.sort;
        }
        line.usageError("--sort takes name, rating, pr or date, not \"" + *sort + "\"");
    }
};

DirectoryState stateOf(const CliArguments& line, const std::string& name)
{
    const std::optional<DirectoryState> state = SendingProfile::directoryStateFromName(name);
    if (!state)
        line.usageError("unknown state \"" + name + "\" (the states: " + kStateNames + ")");
    return *state;
}

nlohmann::ordered_json rowJson(const DirectoryListRow& row, const DirectoryStore& directories)
{
    return { { "name", row.name }, { "url", row.address },
        { "rating", row.rating < 0 ? nlohmann::ordered_json(nullptr) : nlohmann::ordered_json(row.rating) },
        { "linktype", row.linkType }, { "pr", row.pr }, { "category", directories.GetCategory(row.name) },
        { "state", SendingProfile::directoryStateName(row.status.state) },
        { "date", SendingProfile::isoDate(row.status.date) } };
}

void printRow(const DirectoryListRow& row)
{
    std::cout << row.name << '\t' << SendingProfile::directoryStateName(row.status.state) << '\t'
              << (row.rating < 0 ? "-" : std::to_string(row.rating)) << '\t'
              << (row.linkType.empty() ? "-" : row.linkType) << '\t' << row.pr << '\t'
              << (row.status.date.empty() ? "-" : SendingProfile::isoDate(row.status.date)) << '\t'
              << row.address << '\n';
}

int runList(CliArguments& line)
{
    const Choices choices(line);
    const std::vector<std::string> stateNames = line.takeOptions("--state");
    line.positional(0, 0);
    std::vector<DirectoryState> states;
    for (const std::string& name : stateNames)
        states.push_back(stateOf(line, name));
    const ProfileDirectories data(line, choices.profileName(line));
    const DirectoryList list = data.list(choices.order(line), std::move(states));
    if (line.json()) {
        nlohmann::ordered_json rows = nlohmann::ordered_json::array();
        for (const DirectoryListRow& row : list.rows)
            rows.push_back(rowJson(row, data.directories));
        printJson({ { "directories", std::move(rows) } });
        return kExitSuccess;
    }
    for (const DirectoryListRow& row : list.rows)
        printRow(row);
    return kExitSuccess;
}

int runNext(CliArguments& line)
{
    const Choices choices(line);
    line.positional(0, 0);
    const ProfileDirectories data(line, choices.profileName(line));
    const DirectoryList list = data.list(choices.order(line));
    const std::optional<std::size_t> next = nextDirectoryRow(list);
    if (!next)
        throw CliFailure("no directory is left to do for the profile \"" + data.profile + "\"");
    const DirectoryListRow& row = list.rows[*next];
    if (line.json())
        printJson({ { "name", row.name }, { "url", row.address } });
    else
        std::cout << row.name << '\n';
    return kExitSuccess;
}

int runMark(CliArguments& line)
{
    const std::optional<std::string> named = line.takeOption("--profile");
    const std::vector<std::string> words = line.positional(2, std::numeric_limits<std::size_t>::max());
    if (!named)
        line.usageError("a --profile is needed");
    const std::string& profile = *named;
    const DirectoryState state = stateOf(line, words.front());
    ProfileDirectories data(line, profile);
    const std::vector<std::string> names(words.begin() + 1, words.end());
    // Every name is checked before anything changes.
    for (const std::string& name : names) {
        const DirectoryRecord* record = data.directories.find(name);
        if (!record || !isListableDirectoryName(name))
            throw CliFailure("no directory named \"" + name + "\"; nothing was changed");
    }
    const SystemClock clock;
    const SendingProfile::DirectoryStates states(data.profiles, clock);
    for (const std::string& name : names) {
        if (!states.set(profile, name, data.directories.find(name)->submitUrl, state))
            throw CliFailure("cannot set the state of \"" + name + "\"; nothing was saved");
    }
    if (!data.profiles.Save(data.folder.profiles()))
        throw CliFailure("cannot write " + data.folder.profiles().string());
    if (line.json())
        printJson({ { "state", SendingProfile::directoryStateName(state) }, { "directories", names } });
    else
        std::cout << names.size() << (names.size() == 1 ? " directory" : " directories") << " marked "
                  << SendingProfile::directoryStateName(state) << '\n';
    return kExitSuccess;
}

const std::vector<CliOption> kListOptions = {
    { "--profile", "NAME", "the profile whose states are shown" },
    { "--state", "STATE", "only directories in this state (again for more states)" },
    { "--sort", "ORDER", "name (A to Z), rating, pr or date (highest or latest first); default pr" },
};

} // namespace

const CliCommand& directoriesListCommand()
{
    static const CliCommand command { "directories list",
        "--profile NAME [--state STATE]... [--sort name|rating|pr|date]",
        "Print the directories with the profile's state of each, in the window's table order.", kListOptions,
        std::string("The order is the one the window's table gives for the sort: rating, PR and date\n"
                    "highest or latest first, names A to Z; equal ones by name. \"__general\" is left out.\n"
                    "A line per directory, fields separated by tabs: name, state, rating, link type,\n"
                    "PR, date, submit URL (\"-\" for what is not known).\n"
                    "STATE is one of: ")
            + kStateNames
            + ".\n\nJSON: {\"directories\": [{\"name\", \"url\", \"rating\" (null when unknown),\n"
              "\"linktype\", \"pr\", \"category\", \"state\", \"date\" (yyyy-mm-dd when known)}]}.",
        CliCommand::kDataFolder | CliCommand::kJson, runList };
    return command;
}

const CliCommand& directoriesNextCommand()
{
    static const CliCommand command { "directories next", "--profile NAME [--sort name|rating|pr|date]",
        "Print the directory \"Next Directory\" opens: the first one still to do.",
        { kListOptions[0], kListOptions[2] },
        "Exits 1 when no directory is left to do.\n\nJSON: {\"name\", \"url\"}.",
        CliCommand::kDataFolder | CliCommand::kJson, runNext };
    return command;
}

const CliCommand& directoriesMarkCommand()
{
    static const CliCommand command { "directories mark", "--profile NAME STATE DIRECTORY...",
        "Set the profile's state of directories.",
        { { "--profile", "NAME", "the profile whose states change" } },
        std::string("STATE is one of: ") + kStateNames
            + ".\nSent and approved record a submission without picks where there is none; new\n"
              "and broken forget the submission. The states are dated today and saved to sv.xml.\n"
              "An unknown state exits 2 and an unknown directory 1; nothing is changed then.\n\n"
              "JSON: {\"state\", \"directories\": [names]}.",
        CliCommand::kDataFolder | CliCommand::kJson, runMark };
    return command;
}
