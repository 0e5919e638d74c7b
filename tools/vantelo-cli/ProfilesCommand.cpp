// vantelo-cli profiles: list and show the profiles of an sv.xml, import an sv.dat into it.

#include "CommandLine.h"
#include "Commands.h"
#include "DatabaseFile.h"
#include "common/DataFolder.h"
#include "common/StderrMessageBox.h"
#include "profiles/ProfileStore.h"

#include <nlohmann/json.hpp>

#include <filesystem>
#include <iostream>

using SendingProfile::ProfileStore;
using SendingProfile::SiteProfile;
using SendingProfile::SubmissionEntry;

namespace {

constexpr const char* kListUsage = "vantelo-cli profiles list SVXML";
constexpr const char* kShowUsage = "vantelo-cli profiles show SVXML NAME";
constexpr const char* kImportUsage =
    "vantelo-cli profiles import-dat SVXML SVDAT [--replace] [--dirdata FILE] [--data-dir DIR]";

// Opens an existing profile file; one that is missing or does not load is a usage error.
void openExisting(ProfileStore& store, const std::string& file)
{
    if (!store.Open(file))
        throw UsageError("cannot read the profile file " + file);
}

nlohmann::ordered_json entryJson(
    const ProfileStore& store, const std::string& profile, const SubmissionEntry& entry)
{
    return { { "friendlyname", entry.friendlyName }, { "url", entry.url }, { "title", entry.title },
        { "description", entry.description }, { "keywords", entry.keywords }, { "datetime", entry.datetime },
        { "approved", store.IsApproved(profile, entry.friendlyName, entry.url) } };
}

nlohmann::ordered_json profileJson(const SiteProfile& profile)
{
    return { { "name", profile.name }, { "url", profile.url }, { "email", profile.email },
        { "fname", profile.fname }, { "lname", profile.lname }, { "username", profile.username },
        { "password", profile.password }, { "address", profile.address }, { "city", profile.city },
        { "zip", profile.zip }, { "province", profile.province }, { "reciprocal", profile.reciprocal },
        { "reciprocalconfig", profile.reciprocalConfig },
        { "reciprocalpassword", profile.reciprocalPassword },
        { "reciprocalmethod", profile.reciprocalMethod }, { "categories", profile.categories },
        { "subcategories", profile.subcategories }, { "descriptions", profile.descriptions },
        { "keywords", profile.keywords }, { "titles", profile.titles },
        { "serpphrases", profile.serpPhrases } };
}

int list(CommandLine line)
{
    const std::string file = line.positional(1, kListUsage).front();
    StderrMessageBox messages;
    ProfileStore store(messages);
    openExisting(store, file);
    std::vector<std::string> names;
    store.GetProfileNames(names);
    std::string active;
    const bool hasActive = store.GetActiveProfile(active) && !active.empty();
    for (const std::string& name : names)
        std::cout << (hasActive && name == active ? "* " : "  ") << name << '\n';
    return 0;
}

int show(CommandLine line)
{
    const std::vector<std::string> arguments = line.positional(2, kShowUsage);
    StderrMessageBox messages;
    ProfileStore store(messages);
    openExisting(store, arguments[0]);
    const std::string& name = arguments[1];
    SiteProfile profile;
    if (!store.GetProfile(name, profile)) {
        std::cerr << "vantelo-cli: no profile named \"" << name << "\" in " << arguments[0] << '\n';
        return 1;
    }
    std::vector<SubmissionEntry> history;
    store.GetSubmissionHistory(name, history);
    nlohmann::ordered_json json = profileJson(profile);
    json["submissions"] = nlohmann::ordered_json::array();
    for (const SubmissionEntry& entry : history)
        json["submissions"].push_back(entryJson(store, name, entry));
    std::cout << json.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << '\n';
    return 0;
}

// The main directory store whose submit URLs the imported entries get: the file
// given, else the data folder's dirdata.xml when there is one, else none.
std::unique_ptr<DirectoryStore> directoriesForImport(const std::optional<std::string>& dirdata,
    const std::optional<std::string>& dataDir, IMessageBox& messages)
{
    if (dirdata)
        return loadDatabaseFile(*dirdata, std::nullopt, messages);
    const std::filesystem::path main = DataFolder::resolve(dataDir).mainDatabase();
    std::error_code error;
    if (std::filesystem::exists(main, error))
        return loadDatabaseFile(main, std::nullopt, messages);
    return std::make_unique<DirectoryStore>(messages);
}

int importDat(CommandLine line)
{
    const bool replace = line.takeFlag("--replace");
    const std::optional<std::string> dirdata = line.takeOption("--dirdata");
    const std::optional<std::string> dataDir = line.takeOption("--data-dir");
    const std::vector<std::string> files = line.positional(2, kImportUsage);
    StderrMessageBox messages;
    const auto directories = directoriesForImport(dirdata, dataDir, messages);

    ProfileStore store(messages);
    std::error_code error;
    // A profile file that exists but does not load is never replaced by the import.
    if (!store.Open(files[0]) && std::filesystem::exists(files[0], error)
        && std::filesystem::file_size(files[0], error) > 0)
        throw UsageError("cannot read the profile file " + files[0]);

    std::string importedActive;
    const int count = store.ImportSvDat(files[1], replace, importedActive, *directories);
    if (count < 0)
        throw UsageError("cannot open " + files[1]);
    std::string active;
    if (!importedActive.empty() && (!store.GetActiveProfile(active) || active.empty()))
        store.SetActiveProfile(importedActive);
    if (!store.Save(files[0]))
        return 1;
    std::cout << count << '\n';
    return 0;
}

} // namespace

int runProfilesCommand(const std::vector<std::string>& arguments)
{
    if (arguments.empty())
        throw UsageError("usage: vantelo-cli profiles list|show|import-dat ...");
    const std::string& action = arguments.front();
    CommandLine line({ arguments.begin() + 1, arguments.end() });
    if (action == "list")
        return list(std::move(line));
    if (action == "show")
        return show(std::move(line));
    if (action == "import-dat")
        return importDat(std::move(line));
    throw UsageError("unknown profiles command " + action);
}
