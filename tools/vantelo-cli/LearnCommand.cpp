// vantelo-cli learn: finds a directory's submission page from any of its pages
// (its home page, usually) and prints the form items learned from the page's
// submission form as JSON; with --add the directory is stored as a custom
// directory in customdirdata.xml of the data folder.

#include "CommandLine.h"
#include "Commands.h"
#include "common/DataFolder.h"
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

constexpr const char* kUsage =
    "vantelo-cli learn [--data-dir DIR] [--add] [--name NAME] [--category NAME]... URL";
constexpr const char* kHelp =
    "Usage: vantelo-cli learn [--data-dir DIR] [--add] [--name NAME] [--category NAME]... URL\n"
    "Find a directory's submission page from URL (its home page, usually) and print\n"
    "the form items learned from it as JSON.\n"
    "\n"
    "Options:\n"
    "  --add            store the directory in the data folder's customdirdata.xml\n"
    "  --name NAME      the stored directory's name (default: proposed from the page title)\n"
    "  --category NAME  list it under this category as well as Custom; may be repeated\n"
    "  --data-dir DIR   the data folder (default: the one the programs use)\n"
    "  --help           show this text\n"
    "\n"
    "Exit status: 0 learned (and stored with --add); 1 no submission form found, the\n"
    "site did not answer or the file could not be written; 2 usage error, or --add for\n"
    "a site or name that is known already.\n";
// Exit codes besides 0: nothing learned, and a directory that is known already.
constexpr int kNothingLearned = 1;
constexpr int kAlreadyKnown = 2;

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

void print(const nlohmann::ordered_json& json)
{
    std::cout << json.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << '\n';
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

// Refuses an address on the site of a known directory, with a message.
bool refuseKnownSite(const std::map<std::string, std::string>& known, const std::string& address)
{
    const auto* existing = knownSite(known, address);
    if (existing) {
        std::cerr << "vantelo-cli: " << address << " is on the site of the directory \"" << existing->first
                  << "\" (" << existing->second << "); nothing added\n";
    }
    return existing != nullptr;
}

} // namespace

int runLearnCommand(const std::vector<std::string>& arguments)
{
    CommandLine line(arguments);
    if (line.takeFlag("--help")) {
        std::cout << kHelp;
        return 0;
    }
    const std::optional<std::string> dataDir = line.takeOption("--data-dir");
    const bool add = line.takeFlag("--add");
    const std::optional<std::string> chosenName = line.takeOption("--name");
    const std::vector<std::string> categories = line.takeOptions("--category");
    const std::string address = line.positional(1, kUsage).front();
    if (chosenName && chosenName->empty())
        throw UsageError("--name takes a name that is not empty");
    if (!add && (chosenName || !categories.empty()))
        throw UsageError("--name and --category go with --add");

    // With --add, a known site is refused before anything is fetched from it.
    std::optional<DataFolder> folder;
    StderrMessageBox messages;
    DirectoryStore main(messages);
    DirectoryStore custom(messages, "customdirs");
    std::map<std::string, std::string> known;
    if (add) {
        folder = DataFolder::resolve(dataDir);
        main.MergeCustom(custom, *folder);
        known = CustomDirListModel(main, custom, {}).knownDirectories();
        if (refuseKnownSite(known, withHttpScheme(address)))
            return kAlreadyKnown;
        if (chosenName && known.count(*chosenName)) {
            std::cerr << "vantelo-cli: a directory named \"" << *chosenName
                      << "\" exists already; nothing added\n";
            return kAlreadyKnown;
        }
    }

    const DirectoryLesson lesson = DirectoryLearner().learn(address);
    nlohmann::ordered_json json = lessonJson(address, lesson);
    if (lesson.outcome != DirectoryLesson::Outcome::Learned) {
        print(json);
        std::cerr << "vantelo-cli: no submission form learned from " << address << ": " << lesson.reason
                  << '\n';
        return kNothingLearned;
    }
    if (!add) {
        print(json);
        return 0;
    }
    // A redirect may have led to another site, which may be known.
    if (refuseKnownSite(known, lesson.submitUrl))
        return kAlreadyKnown;
    std::string name = chosenName.value_or(proposedNameFromTitle(lesson.title, lesson.submitUrl));
    if (known.count(name)) {
        // A proposed name is numbered, as the bulk import numbers names.
        NewDirectoryList names(known);
        names.offer(name, lesson.submitUrl);
        name = names.added().front().name;
    }

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
        return 1;
    json["name"] = name;
    json["added"] = true;
    print(json);
    return 0;
}
