// vantelo-cli learn: finds a directory's submission page from any of its pages
// (its home page, usually) and prints the form items learned from the page's
// submission form; with --add the directory is stored as a custom directory in
// customdirdata.xml of the data folder.

#include "Commands.h"
#include "common/StderrMessageBox.h"
#include "custom/CustomCategories.h"
#include "custom/CustomDirListModel.h"
#include "custom/DirectoryAddress.h"
#include "custom/DirectoryLearner.h"
#include "custom/NewDirectoryList.h"
#include "directories/ControlType.h"
#include "directories/DirectoryStore.h"

#include <nlohmann/json.hpp>

#include <iostream>

namespace {

nlohmann::ordered_json lessonJson(const std::string& address, const DirectoryLesson& lesson)
{
    nlohmann::ordered_json json;
    json["address"] = address;
    const bool learned = lesson.outcome == DirectoryLesson::Outcome::Learned;
    json["submiturl"] = learned ? nlohmann::ordered_json(lesson.submitUrl) : nullptr;
    json["title"] = lesson.title;
    nlohmann::ordered_json items = nlohmann::ordered_json::array();
    for (const LearnedItem& learnedItem : lesson.items) {
        const DirectoryItem& item = learnedItem.item;
        items.push_back({ { "name", item.name }, { "index", item.index },
            { "type", std::string(controlTypeText(item.type)) }, { "value", item.value },
            { "meaning", std::string(meaningName(learnedItem.meaning)) } });
    }
    json["items"] = std::move(items);
    if (!learned)
        json["reason"] = lesson.reason;
    json["fetched"] = lesson.fetched;
    return json;
}

// The lesson as a person reads it: the submission page, then one line per form item.
void printLesson(const nlohmann::ordered_json& json)
{
    std::cout << "address " << json["address"].get<std::string>() << '\n';
    if (!json["title"].get<std::string>().empty())
        std::cout << "title " << json["title"].get<std::string>() << '\n';
    if (json["submiturl"].is_null()) {
        std::cout << "no submission form: " << json["reason"].get<std::string>() << '\n';
        return;
    }
    std::cout << "submission page " << json["submiturl"].get<std::string>() << '\n';
    if (json.contains("name"))
        std::cout << "added as " << json["name"].get<std::string>() << '\n';
    std::cout << "form items " << json["items"].size() << '\n';
    for (const nlohmann::ordered_json& item : json["items"]) {
        std::cout << "  " << item["name"].get<std::string>() << " #" << item["index"].get<int>() << " ("
                  << item["type"].get<std::string>() << ", " << item["meaning"].get<std::string>() << ")";
        if (!item["value"].get<std::string>().empty())
            std::cout << " = " << item["value"].get<std::string>();
        std::cout << '\n';
    }
}

void print(const CliArguments& line, const nlohmann::ordered_json& json)
{
    if (line.json())
        printJson(json);
    else
        printLesson(json);
}

// The known directory on the same site as the address, if any.
const std::pair<const std::string, std::string>* knownSite(
    const std::map<std::string, std::string>& known, const std::string& address)
{
    const std::string key = siteKey(address);
    for (const auto& entry : known) {
        if (siteKey(entry.second) == key)
            return &entry;
    }
    return nullptr;
}

// Refuses an address on the site of a known directory.
void refuseKnownSite(const std::map<std::string, std::string>& known, const std::string& address)
{
    if (const auto* existing = knownSite(known, address)) {
        throw CliFailure(address + " is on the site of the directory \"" + existing->first + "\" ("
            + existing->second + "); nothing added");
    }
}

int runLearn(CliArguments& line)
{
    const bool add = line.takeFlag("--add");
    const std::optional<std::string> chosenName = line.takeOption("--name");
    const std::vector<std::string> categories = line.takeOptions("--category");
    const std::string address = line.positional(1, 1).front();
    if (chosenName && chosenName->empty())
        line.usageError("--name takes a name that is not empty");
    if (!add && (chosenName || !categories.empty()))
        line.usageError("--name and --category go with --add");

    // With --add, a known site is refused before anything is fetched from it.
    std::optional<DataFolder> folder;
    StderrMessageBox messages(kCliProgram);
    DirectoryStore main(messages);
    DirectoryStore custom(messages, "customdirs");
    std::map<std::string, std::string> known;
    if (add) {
        folder = line.writableDataFolder();
        main.MergeCustom(custom, *folder);
        known = CustomDirListModel(main, custom, {}).knownDirectories();
        refuseKnownSite(known, withHttpScheme(address));
        if (chosenName && known.count(*chosenName))
            throw CliFailure("a directory named \"" + *chosenName + "\" exists already; nothing added");
    }

    if (stderrIsTerminal())
        std::cerr << "looking for the submission page of " << address << "...\n";
    const DirectoryLesson lesson = DirectoryLearner().learn(address);
    nlohmann::ordered_json json = lessonJson(address, lesson);
    if (lesson.outcome != DirectoryLesson::Outcome::Learned) {
        print(line, json);
        throw CliFailure("no submission form learned from " + address + ": " + lesson.reason);
    }
    if (!add) {
        print(line, json);
        return kExitSuccess;
    }
    // A redirect may have led to another site, which may be known.
    refuseKnownSite(known, lesson.submitUrl);
    std::string name = chosenName.value_or(proposedNameFromTitle(lesson.title, lesson.submitUrl));
    // A proposed name is numbered, as the bulk import numbers names.
    if (known.count(name))
        name = NewDirectoryList(known).uniqueName(name);

    std::vector<std::string> selected { kCustomCategory };
    for (const std::string& category : categories)
        addCategoryEntry(selected, category);
    std::vector<DirectoryItem> items;
    for (const LearnedItem& learned : lesson.items)
        items.push_back(learned.item);
    custom.AddDirectory(name);
    custom.SetSubmitUrl(name, lesson.submitUrl);
    custom.SetCategory(name, customCategoryText(selected));
    custom.SetItems(name, items);
    if (!custom.SaveCustom(folder->customDatabase(), true))
        throw CliFailure("cannot write " + folder->customDatabase().string());
    json["name"] = name;
    json["added"] = true;
    print(line, json);
    return kExitSuccess;
}

} // namespace

const CliCommand& learnCommand()
{
    static const CliCommand command { "learn", "[--add] [--name NAME] [--category NAME]... URL",
        "Learn a directory's submission page and form from any of its pages.",
        { { "--add", "", "store the directory in the data folder's customdirdata.xml" },
            { "--name", "NAME", "the stored directory's name (default: proposed from the page title)" },
            { "--category", "NAME", "list it under this category as well as Custom; may be repeated" } },
        "Finds the submission page from URL (its home page, usually) and prints it, the\n"
        "page title and the form items learned from its submission form, one a line:\n"
        "name, index among the fields of that name, type, meaning and value. With --add\n"
        "the directory is stored under a name proposed from the title (numbered when\n"
        "taken). It fails when no submission form is found, the site does not answer,\n"
        "the file cannot be written, or, with --add, the site or the chosen name is\n"
        "known already; nothing is added then.\n\n"
        "JSON: {\"address\", \"submiturl\": text or null, \"title\", \"items\": [{\"name\",\n"
        "\"index\", \"type\", \"value\", \"meaning\"}], \"reason\" (nothing learned),\n"
        "\"fetched\": the addresses fetched, \"name\" and \"added\" (with --add)}.",
        CliCommand::kDataFolder | CliCommand::kJson, runLearn };
    return command;
}
