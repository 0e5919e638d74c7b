#include "DirectoryTestFiles.h"

#include "directories/Scrambling.h"

#include <ostream>

std::string databaseText(std::string_view root, std::string_view body)
{
    return "<?xml version=\"1.0\"?>\r\n<" + std::string(root) + ">" + std::string(body) + "</"
        + std::string(root) + ">";
}

LoadedStore::LoadedStore(std::string_view text, std::string root, bool plain)
    : store(messages, std::move(root))
{
    const std::string bytes = plain ? std::string(text) : scrambleDatabase(text);
    loaded = store.Load(folder.write("db.xml", bytes), plain, false);
}

std::vector<std::string> namesOf(const DirectoryStore& store)
{
    std::vector<std::string> names;
    store.GetDirectoryNames(names);
    return names;
}

void PrintTo(const DirectoryItem& item, std::ostream* out)
{
    *out << "{" << item.name << ", " << controlTypeText(item.type) << ", " << item.index << ", " << item.value
         << "}";
}

void PrintTo(const DirectoryRecord& record, std::ostream* out)
{
    *out << "{name " << record.name << ", revision " << record.revision << ", pr " << record.pr << ", url "
         << record.submitUrl << ", category " << record.category << ", onsubmit " << record.onSubmit
         << ", items [";
    for (const DirectoryItem& item : record.items)
        PrintTo(item, out);
    *out << "]}";
}
