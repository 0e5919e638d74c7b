// vantelo-cli learn: finds a directory's submission page from any of its pages
// (its home page, usually) and prints the form items learned from the page's
// submission form; with --add the directory is stored as a custom directory in
// customdirdata.xml of the data folder.

#include "Commands.h"
#include "DataFolderFiles.h"
#include "common/StderrMessageBox.h"
#include "common/SystemClock.h"
#include "custom/CustomCategories.h"
#include "custom/CustomDirListModel.h"
#include "custom/DirectoryAddress.h"
#include "custom/DirectoryLearner.h"
#include "custom/NewDirectoryList.h"
#include "directories/ControlType.h"
#include "directories/DirectoryStore.h"
#include "filling/IPageRenderer.h"
#include "profiles/DirectoryStates.h"
#include "profiles/ProfileStore.h"

#include <nlohmann/json.hpp>

#include <iostream>

namespace {

// Said on stderr when the pages cannot be loaded in a browser here.
constexpr const char* kCannotRender =
    "this vantelo-cli was built without a browser engine (VANTELO_GUI=OFF): it cannot load pages built by "
    "script and learns from the fetched pages only";

LearnEngine& learnEngine()
{
    static LearnEngine engine;
    return engine;
}

// Learns the directory, in the browser engine too when there is one and it is wanted.
DirectoryLesson learnDirectory(const CliArguments& line, const std::string& address, bool render)
{
    if (!render || !learnEngine()) {
        DirectoryLesson lesson = DirectoryLearner().learn(address);
        // Only where the browser might have found what the fetch did not.
        if (render && lesson.outcome == DirectoryLesson::Outcome::NoForm)
            std::cerr << kCliProgram << ": " << kCannotRender << '\n';
        return lesson;
    }
    DirectoryLesson lesson;
    learnEngine()(line.dataFolder().browser(), [&](IPageRenderer& renderer) {
        DiscoveryLimits limits;
        limits.renderer = &renderer;
        lesson = DirectoryLearner(limits).learn(address);
    });
    return lesson;
}

nlohmann::ordered_json lessonJson(const std::string& address, const DirectoryLesson& lesson)
{
    nlohmann::ordered_json json;
    json["address"] = address;
    const bool learned = lesson.outcome == DirectoryLesson::Outcome::Learned;
    json["state"] = lessonStateName(lesson.outcome);
    json["submiturl"] = lesson.submitUrl.empty() ? nullptr : nlohmann::ordered_json(lesson.submitUrl);
    json["signinurl"] = lesson.signInUrl.empty() ? nullptr : nlohmann::ordered_json(lesson.signInUrl);
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
    json["rendered"] = lesson.rendered;
    return json;
}

// The lesson as a person reads it: the submission page, then one line per form item.
void printLesson(const nlohmann::ordered_json& json)
{
    std::cout << "address " << json["address"].get<std::string>() << '\n';
    if (!json["title"].get<std::string>().empty())
        std::cout << "title " << json["title"].get<std::string>() << '\n';
    const std::string state = json["state"].get<std::string>();
    if (state != "learned") {
        std::cout << state << ": " << json["reason"].get<std::string>() << '\n';
        if (!json["signinurl"].is_null())
            std::cout << "sign in at " << json["signinurl"].get<std::string>() << '\n';
        if (json.contains("name"))
            std::cout << "added as " << json["name"].get<std::string>() << '\n';
        return;
    }
    std::cout << "submission page " << json["submiturl"].get<std::string>() << '\n';
    if (json.contains("name"))
        std::cout << "added as " << json["name"].get<std::string>() << '\n';
    if (json["items"].empty())
        std::cout << "no field has a stable name: the fields are recognised on each visit\n";
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
    const bool render = !line.takeFlag("--no-render");
    const std::optional<std::string> chosenName = line.takeOption("--name");
    const std::vector<std::string> categories = line.takeOptions("--category");
    const std::optional<std::string> profile = line.takeOption("--profile");
    const std::string address = line.positional(1, 1).front();
    if (chosenName && chosenName->empty())
        line.usageError("--name takes a name that is not empty");
    if (!add && (chosenName || !categories.empty() || profile))
        line.usageError("--name, --category and --profile go with --add");

    // With --add, a known site is refused before anything is fetched from it.
    std::optional<DataFolder> folder;
    StderrMessageBox messages(kCliProgram);
    DirectoryStore main(messages);
    DirectoryStore custom(messages, "customdirs");
    std::map<std::string, std::string> known;
    SendingProfile::ProfileStore profiles(messages);
    if (add) {
        folder = line.writableDataFolder();
        if (profile) {
            openProfileFile(profiles, folder->profiles());
            if (!profiles.hasProfile(*profile))
                throw CliFailure("no profile named \"" + *profile + "\" in " + folder->profiles().string());
        }
        main.MergeCustom(custom, *folder);
        known = CustomDirListModel(main, custom, {}).knownDirectories();
        refuseKnownSite(known, withHttpScheme(address));
        if (chosenName && known.count(*chosenName))
            throw CliFailure("a directory named \"" + *chosenName + "\" exists already; nothing added");
    }

    if (stderrIsTerminal())
        std::cerr << "looking for the submission page of " << address << "...\n";
    const DirectoryLesson lesson = learnDirectory(line, address, render);
    nlohmann::ordered_json json = lessonJson(address, lesson);
    // A directory behind a sign-in or a price is worth keeping: its state says what it wants.
    const bool keep = lesson.outcome == DirectoryLesson::Outcome::Learned
        || (add
            && (lesson.outcome == DirectoryLesson::Outcome::NeedsAccount
                || lesson.outcome == DirectoryLesson::Outcome::PaidOnly));
    if (!keep) {
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
    if (const std::optional<SendingProfile::DirectoryStatus> status = lessonStatus(lesson);
        status && profile) {
        const SystemClock clock;
        if (!SendingProfile::DirectoryStates(profiles, clock)
                 .set(*profile, name, lesson.submitUrl, status->state, status->reason, status->address)
            || !profiles.Save(folder->profiles()))
            throw CliFailure("cannot write " + folder->profiles().string());
    }
    json["name"] = name;
    json["added"] = true;
    print(line, json);
    return kExitSuccess;
}

} // namespace

void setLearnEngine(LearnEngine engine)
{
    learnEngine() = std::move(engine);
}

const CliCommand& learnCommand()
{
    static const CliCommand command { "learn",
        "[--add] [--name NAME] [--category NAME]... [--profile NAME] [--no-render] URL",
        "Learn a directory's submission page and form from any of its pages.",
        { { "--add", "", "store the directory in the data folder's customdirdata.xml" },
            { "--name", "NAME", "the stored directory's name (default: proposed from the page title)" },
            { "--category", "NAME", "list it under this category as well as Custom; may be repeated" },
            { "--profile", "NAME",
                "with --add, keep what was found (needs account, paid only) as its state" } },
        "Finds the submission page from URL (its home page, usually) and prints it, the\n"
        "page title and the form items learned from its submission form, one a line:\n"
        "name, index among the fields of that name, type, meaning and value. A form\n"
        "whose fields have no stable name (none, or ids a script makes up) is learned\n"
        "without items: filling recognises its fields on each visit. It tells apart a\n"
        "directory that needs an account (the submit link leads to a sign-in page) and\n"
        "one that lists sites only for a price. Where no fetched page holds a form,\n"
        "the pages are loaded in the browser engine (the data folder's browser\n"
        "profile, so sites you signed in to are seen signed in) and searched again,\n"
        "unless --no-render is given or the build has no browser. With --add the\n"
        "directory is stored under a name proposed from the title (numbered when\n"
        "taken); one that needs an account or a price is stored too, and with --profile\n"
        "that becomes its state for the profile. It fails when no submission form is\n"
        "found (and nothing is kept), the site does not answer, the file cannot be\n"
        "written, or, with --add, the site or the chosen name is known already.\n\n"
        "JSON: {\"address\", \"state\": learned, needs-account, paid-only,\n"
        "no-submission-page or unreachable, \"submiturl\" and \"signinurl\": text or\n"
        "null, \"title\", \"items\": [{\"name\", \"index\", \"type\", \"value\",\n"
        "\"meaning\"}], \"reason\" (nothing learned), \"fetched\" and \"rendered\": the\n"
        "addresses read, \"name\" and \"added\" (with --add)}.",
        CliCommand::kDataFolder | CliCommand::kJson, runLearn };
    return command;
}
