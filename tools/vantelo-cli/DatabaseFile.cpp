#include "DatabaseFile.h"

#include "CommandLine.h"
#include "common/AtomicFile.h"
#include "directories/Scrambling.h"

#include <nlohmann/json.hpp>

#include <ostream>

namespace {

// The name of the first element of an XML text, skipping the declaration,
// processing instructions, comments and a document type; empty if there is none.
std::string rootElementName(std::string_view xml)
{
    std::size_t at = 0;
    while (true) {
        at = xml.find('<', at);
        if (at == std::string_view::npos || at + 1 >= xml.size())
            return {};
        const std::string_view rest = xml.substr(at);
        if (rest.starts_with("<?")) {
            at = xml.find("?>", at);
        } else if (rest.starts_with("<!--")) {
            at = xml.find("-->", at);
        } else if (rest.starts_with("<!")) {
            at = xml.find('>', at);
        } else {
            const std::size_t end = xml.find_first_of(" \t\r\n/>", at + 1);
            return std::string(xml.substr(at + 1, end == std::string_view::npos ? end : end - at - 1));
        }
        if (at == std::string_view::npos)
            return {};
        ++at;
    }
}

nlohmann::ordered_json recordJson(const DirectoryRecord& record)
{
    nlohmann::ordered_json items = nlohmann::ordered_json::array();
    for (const DirectoryItem& item : record.items) {
        items.push_back({ { "name", item.name }, { "type", std::string(controlTypeText(item.type)) },
            { "index", item.index }, { "value", item.value } });
    }
    return { { "name", record.name }, { "revision", record.revision }, { "pr", record.pr },
        { "submiturl", record.submitUrl }, { "category", record.category }, { "onsubmit", record.onSubmit },
        { "items", std::move(items) } };
}

// Bytes that are not UTF-8 are printed as U+FFFD instead of failing the line.
std::string jsonLine(const nlohmann::ordered_json& value)
{
    return value.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
}

} // namespace

std::optional<DatabaseFile> inspectDatabaseFile(const std::filesystem::path& file, std::optional<bool> plain)
{
    const std::optional<std::string> bytes = readFileBytes(file);
    if (!bytes)
        return std::nullopt;
    DatabaseFile database;
    database.plain = plain.value_or(!bytes->empty() && bytes->front() == '<');
    database.rootName = rootElementName(database.plain ? *bytes : unscrambleDatabase(*bytes));
    return database;
}

std::unique_ptr<DirectoryStore> loadDatabaseFile(
    const std::filesystem::path& file, std::optional<bool> plain, IMessageBox& messages)
{
    const std::optional<DatabaseFile> database = inspectDatabaseFile(file, plain);
    if (!database)
        throw UsageError("cannot read " + file.string());
    auto store =
        std::make_unique<DirectoryStore>(messages, database->rootName.empty() ? "rf" : database->rootName);
    if (!store->Load(file, database->plain, false))
        throw UsageError("cannot read " + file.string());
    return store;
}

void printDatabase(const DirectoryStore& store, std::ostream& out)
{
    out << jsonLine({ { "latestrevision", store.GetLatestDirectoryRevision() } }) << '\n';
    for (const auto& entry : store.records())
        out << jsonLine(recordJson(entry.second)) << '\n';
}
