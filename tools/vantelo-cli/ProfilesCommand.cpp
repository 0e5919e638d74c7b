// vantelo-cli profiles: list and show the profiles of an sv.xml, import an sv.dat into it.

#include "Commands.h"
#include "DataFolderFiles.h"
#include "DatabaseFile.h"
#include "common/StderrMessageBox.h"
#include "profiles/ProfileStore.h"
#include "profiles/SvDatReader.h"

#include <filesystem>
#include <fstream>
#include <iostream>

using SendingProfile::ProfileStore;
using SendingProfile::SiteProfile;
using SendingProfile::SubmissionEntry;

namespace {

constexpr const char* kHiddenPassword = "********";
constexpr const char* kSvXmlNote = "SVXML is a profile file; without it the data folder's sv.xml is read.";

// The profile file named on the line, else sv.xml of the data folder.
std::filesystem::path profileFile(
    const CliArguments& line, const std::vector<std::string>& words, std::size_t named)
{
    return words.size() > named ? std::filesystem::path(words.front()) : line.dataFolder().profiles();
}

nlohmann::ordered_json entryJson(
    const ProfileStore& store, const std::string& profile, const SubmissionEntry& entry)
{
    return { { "friendlyname", entry.friendlyName }, { "url", entry.url }, { "title", entry.title },
        { "description", entry.description }, { "keywords", entry.keywords }, { "datetime", entry.datetime },
        { "approved", store.IsApproved(profile, entry.friendlyName, entry.url) } };
}

nlohmann::ordered_json secretJson(const std::string& secret, bool show)
{
    return show || secret.empty() ? nlohmann::ordered_json(secret) : nlohmann::ordered_json(nullptr);
}

nlohmann::ordered_json profileJson(const SiteProfile& profile, bool showPasswords)
{
    return { { "name", profile.name }, { "url", profile.url }, { "email", profile.email },
        { "fname", profile.fname }, { "lname", profile.lname }, { "username", profile.username },
        { "password", secretJson(profile.password, showPasswords) }, { "address", profile.address },
        { "city", profile.city }, { "zip", profile.zip }, { "province", profile.province },
        { "reciprocal", profile.reciprocal }, { "reciprocalconfig", profile.reciprocalConfig },
        { "reciprocalpassword", secretJson(profile.reciprocalPassword, showPasswords) },
        { "reciprocalmethod", profile.reciprocalMethod }, { "categories", profile.categories },
        { "subcategories", profile.subcategories }, { "descriptions", profile.descriptions },
        { "keywords", profile.keywords }, { "titles", profile.titles },
        { "serpphrases", profile.serpPhrases } };
}

// What directories of products and businesses ask for, as "profiles show" gives it.
struct ProductField {
    const char* key;
    const char* label;
    std::string SiteProfile::*text;
};
constexpr ProductField kProductFields[] = {
    { "tagline", "Tagline", &SiteProfile::tagline },
    { "company", "Company", &SiteProfile::company },
    { "phone", "Phone", &SiteProfile::phone },
    { "country", "Country", &SiteProfile::country },
    { "logo", "Logo", &SiteProfile::logo },
    { "twitter", "Twitter", &SiteProfile::twitter },
    { "linkedin", "LinkedIn", &SiteProfile::linkedin },
    { "github", "GitHub", &SiteProfile::github },
    { "facebook", "Facebook", &SiteProfile::facebook },
    { "pricing", "Pricing", &SiteProfile::pricing },
    { "founded", "Founded", &SiteProfile::founded },
    { "tags", "Tags", &SiteProfile::tags },
};

void addProductJson(nlohmann::ordered_json& json, const SiteProfile& profile)
{
    for (const ProductField& field : kProductFields)
        json[field.key] = profile.*field.text;
    json["screenshots"] = profile.screenshots;
}

void printField(const char* label, const std::string& value)
{
    std::cout << label << ": " << value << '\n';
}

void printList(const char* label, const std::vector<std::string>& values)
{
    std::cout << label << ':' << (values.empty() ? " (none)" : "") << '\n';
    for (const std::string& value : values)
        std::cout << "  " << value << '\n';
}

void printProfile(const SiteProfile& profile, bool showPasswords)
{
    const auto secret = [showPasswords](const std::string& value) {
        return showPasswords || value.empty() ? value : std::string(kHiddenPassword);
    };
    printField("Name", profile.name);
    printField("URL", profile.url);
    printField("Categories", profile.categories);
    printField("Subcategories", profile.subcategories);
    printList("Titles", profile.titles);
    printList("Descriptions", profile.descriptions);
    printList("Keywords", profile.keywords);
    printField("E-mail", profile.email);
    printField("First name", profile.fname);
    printField("Last name", profile.lname);
    printField("User name", profile.username);
    printField("Password", secret(profile.password));
    printField("Address", profile.address);
    printField("City", profile.city);
    printField("Postal code", profile.zip);
    printField("Province", profile.province);
    printField("Reciprocal link page", profile.reciprocal);
    printField("Reciprocal method",
        profile.reciprocalMethod == SendingProfile::kReciprocalAutomatic ? "automatic" : "manual");
    printField("Reciprocal script", profile.reciprocalConfig);
    printField("Reciprocal script password", secret(profile.reciprocalPassword));
    printList("Search phrases", profile.serpPhrases);
    for (const ProductField& field : kProductFields)
        printField(field.label, profile.*field.text);
    printList("Screenshots", profile.screenshots);
}

int runList(CliArguments& line)
{
    const std::vector<std::string> words = line.positional(0, 1);
    StderrMessageBox messages(kCliProgram);
    ProfileStore store(messages);
    openProfileFile(store, profileFile(line, words, 0));
    std::vector<std::string> names;
    store.GetProfileNames(names);
    std::string active;
    const bool hasActive = store.GetActiveProfile(active) && !active.empty();
    if (line.json()) {
        printJson(
            { { "active", hasActive ? nlohmann::ordered_json(active) : nlohmann::ordered_json(nullptr) },
                { "profiles", names } });
        return kExitSuccess;
    }
    for (const std::string& name : names)
        std::cout << (hasActive && name == active ? "* " : "  ") << name << '\n';
    return kExitSuccess;
}

int runShow(CliArguments& line)
{
    const bool showPasswords = line.takeFlag("--show-passwords");
    const std::vector<std::string> words = line.positional(1, 2);
    const std::filesystem::path file = profileFile(line, words, 1);
    StderrMessageBox messages(kCliProgram);
    ProfileStore store(messages);
    // The data folder's own profiles keep their passwords in its secret store.
    if (words.size() == 1)
        store.setSecretStore(&line.secrets());
    openProfileFile(store, file);
    const std::string& name = words.back();
    SiteProfile profile;
    if (!store.GetProfile(name, profile))
        throw CliFailure("no profile named \"" + name + "\" in " + file.string());
    std::vector<SubmissionEntry> history;
    store.GetSubmissionHistory(name, history);
    if (line.json()) {
        nlohmann::ordered_json json = profileJson(profile, showPasswords);
        addProductJson(json, profile);
        json["submissions"] = nlohmann::ordered_json::array();
        for (const SubmissionEntry& entry : history)
            json["submissions"].push_back(entryJson(store, name, entry));
        printJson(json);
        return kExitSuccess;
    }
    printProfile(profile, showPasswords);
    std::cout << "Submissions: " << history.size() << '\n';
    for (const SubmissionEntry& entry : history) {
        std::cout << "  " << entry.datetime << "  " << entry.friendlyName
                  << (entry.url.empty() ? "" : " <" + entry.url + ">")
                  << (store.IsApproved(name, entry.friendlyName, entry.url) ? "  approved" : "") << '\n';
    }
    return kExitSuccess;
}

// The main directory store whose submit URLs the imported entries get: the file
// given, else the data folder's dirdata.xml when there is one, else none.
std::unique_ptr<DirectoryStore> directoriesForImport(
    const std::optional<std::string>& dirdata, const CliArguments& line, IMessageBox& messages)
{
    if (dirdata)
        return loadDatabaseFile(*dirdata, std::nullopt, messages);
    const std::filesystem::path main = line.dataFolder().mainDatabase();
    std::error_code error;
    if (std::filesystem::exists(main, error))
        return loadDatabaseFile(main, std::nullopt, messages);
    return std::make_unique<DirectoryStore>(messages);
}

// Reads the sv.dat once before the store imports it, so that a file that is no
// sv.dat (or holds no complete profile) fails before anything is written.
void checkSvDat(const std::filesystem::path& file)
{
    std::error_code error;
    std::ifstream in(file, std::ios::binary);
    if (std::filesystem::is_directory(file, error) || !in)
        throw CliFailure("cannot read " + file.string());
    const SendingProfile::SvDatContents contents = SendingProfile::SvDatReader(in).read();
    if (!contents.recognised)
        throw CliFailure(
            file.string() + " is no sv.dat profile file (it does not start with version 1 or 2)");
    if (contents.profiles.empty())
        throw CliFailure(file.string() + " holds no complete profile");
}

int runImportDat(CliArguments& line)
{
    const bool replace = line.takeFlag("--replace");
    const std::optional<std::string> dirdata = line.takeOption("--dirdata");
    const std::vector<std::string> words = line.positional(1, 2);
    const std::filesystem::path svxml = profileFile(line, words, 1);
    const std::filesystem::path svdat = words.back();
    checkSvDat(svdat);
    StderrMessageBox messages(kCliProgram);
    const auto directories = directoriesForImport(dirdata, line, messages);

    ProfileStore store(messages);
    if (words.size() == 1)
        store.setSecretStore(&line.secrets());
    std::error_code error;
    // A profile file that is there is read first; one that does not load is never replaced.
    if (std::filesystem::exists(svxml, error) && std::filesystem::file_size(svxml, error) > 0)
        openProfileFile(store, svxml);

    std::string importedActive;
    const int count = store.ImportSvDat(svdat, replace, importedActive, *directories);
    if (count < 0)
        throw CliFailure("cannot read " + svdat.string());
    std::string active;
    if (count > 0 && !importedActive.empty() && (!store.GetActiveProfile(active) || active.empty()))
        store.SetActiveProfile(importedActive);
    if (count > 0 && words.size() == 1)
        line.writableDataFolder();
    if (count > 0 && !store.Save(svxml))
        throw CliFailure("cannot write " + svxml.string());
    if (count > 0 && words.size() == 1)
        line.dataFolder().protectSecrets();
    if (line.json())
        printJson({ { "imported", count }, { "file", svxml.string() } });
    else
        std::cout << count << (count == 1 ? " profile" : " profiles") << " imported into " << svxml.string()
                  << (count == 0 && !replace ? " (their names are taken; --replace replaces them)" : "")
                  << '\n';
    return kExitSuccess;
}

} // namespace

const CliCommand& profilesListCommand()
{
    static const CliCommand command { "profiles list", "[SVXML]",
        "Print the names of the profiles, the active one marked \"*\".", {},
        std::string(kSvXmlNote) + "\n\nJSON: {\"active\": name or null, \"profiles\": [names]}.",
        CliCommand::kDataFolder | CliCommand::kJson, runList };
    return command;
}

const CliCommand& profilesShowCommand()
{
    static const CliCommand command { "profiles show", "[--show-passwords] [SVXML] NAME",
        "Print a profile and its submissions.",
        { { "--show-passwords", "", "print the passwords instead of hiding them" } },
        std::string(kSvXmlNote)
            + "\nThe passwords (for directories, and of the reciprocal link script) are\n"
              "hidden unless --show-passwords is given.\n\n"
              "JSON: {\"name\", \"url\", \"email\", \"fname\", \"lname\", \"username\",\n"
              "\"password\" (null when hidden), \"address\", \"city\", \"zip\", \"province\",\n"
              "\"reciprocal\", \"reciprocalconfig\", \"reciprocalpassword\" (null when hidden),\n"
              "\"reciprocalmethod\" (0 manual, 1 automatic), \"categories\", \"subcategories\",\n"
              "\"descriptions\", \"keywords\", \"titles\", \"serpphrases\" (lists of texts),\n"
              "\"tagline\", \"company\", \"phone\", \"country\", \"logo\", \"twitter\", \"linkedin\",\n"
              "\"github\", \"facebook\", \"pricing\", \"founded\", \"tags\", \"screenshots\" (a list),\n"
              "\"submissions\": [{\"friendlyname\", \"url\", \"title\", \"description\",\n"
              "\"keywords\", \"datetime\", \"approved\"}]}.",
        CliCommand::kDataFolder | CliCommand::kJson, runShow };
    return command;
}

const CliCommand& profilesImportDatCommand()
{
    static const CliCommand command { "profiles import-dat", "[--replace] [--dirdata FILE] [SVXML] SVDAT",
        "Add the profiles of an old sv.dat to a profile file and print how many.",
        { { "--replace", "", "replace profiles whose names are taken (else they are skipped)" },
            { "--dirdata", "FILE",
                "match submissions to this database (default: the data folder's dirdata.xml)" } },
        "SVXML (created when missing) is the profile file to add to; without it the\n"
        "data folder's sv.xml. Nothing is written when no profile is added, and a\n"
        "file that is no sv.dat is an error that leaves SVXML as it was.\n\n"
        "JSON: {\"imported\": N, \"file\": the profile file}.",
        CliCommand::kDataFolder | CliCommand::kJson, runImportDat };
    return command;
}
