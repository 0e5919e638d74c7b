#include "DatabaseFile.h"

#include "CliCommand.h"
#include "directories/DatabaseFileCheck.h"

#include <ostream>

namespace {

nlohmann::ordered_json recordJson(const DirectoryRecord& record)
{
    nlohmann::ordered_json items = nlohmann::ordered_json::array();
    for (const DirectoryItem& item : record.items) {
        items.push_back({ { "name", item.name }, { "type", std::string(controlTypeText(item.type)) },
            { "index", item.index }, { "value", item.value } });
    }
    // A fact no list gave is null.
    const DirectoryListFacts& facts = record.listFacts;
    const auto text = [](const std::string& value) {
        return value.empty() ? nlohmann::ordered_json() : nlohmann::ordered_json(value);
    };
    return { { "name", record.name }, { "revision", record.revision }, { "pr", record.pr },
        { "submiturl", record.submitUrl }, { "category", record.category }, { "onsubmit", record.onSubmit },
        { "rating",
            facts.rating == DirectoryListFacts::kUnknownRating ? nlohmann::ordered_json()
                                                               : nlohmann::ordered_json(facts.rating) },
        { "linktype", text(facts.linkType) }, { "pricing", text(facts.pricing) },
        { "unlisted", facts.unlisted }, { "items", std::move(items) } };
}

} // namespace

std::unique_ptr<DirectoryStore> loadDatabaseFile(
    const std::filesystem::path& file, std::optional<bool> plain, IMessageBox& messages)
{
    const std::optional<DatabaseFileCheck> check = checkDatabaseFile(file, plain);
    if (!check)
        throw CliFailure("cannot read " + file.string());
    if (!check->isDatabase())
        throw CliFailure(file.string() + " " + check->problem);
    auto store = std::make_unique<DirectoryStore>(messages, check->rootName);
    if (!store->Load(file, check->plain, false))
        throw CliFailure("cannot read " + file.string());
    return store;
}

void printDatabase(const DirectoryStore& store, std::ostream& out)
{
    out << "latest revision " << store.GetLatestDirectoryRevision() << '\n';
    for (const auto& entry : store.records()) {
        const DirectoryRecord& record = entry.second;
        out << record.name << ": " << (record.submitUrl.empty() ? "(no submit URL)" : record.submitUrl)
            << " (PageRank " << record.pr << ", revision " << record.revision << ", " << record.items.size()
            << (record.items.size() == 1 ? " form item)" : " form items)") << '\n';
    }
}

nlohmann::ordered_json databaseJson(const DirectoryStore& store)
{
    nlohmann::ordered_json directories = nlohmann::ordered_json::array();
    for (const auto& entry : store.records())
        directories.push_back(recordJson(entry.second));
    return { { "latestrevision", store.GetLatestDirectoryRevision() },
        { "directories", std::move(directories) } };
}
