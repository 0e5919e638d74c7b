#include "app/CustomDatabaseImport.h"

#include "directories/DirectoryStore.h"
#include "directories/HostKey.h"

#include <set>
#include <string>

namespace {

struct KnownDirectories {
    std::set<std::string> names;
    std::set<std::string> hostKeys;

    void add(const DirectoryStore& store)
    {
        for (const auto& [name, record] : store.records())
            add(name, hostKey(record.submitUrl));
    }

    void add(const std::string& name, std::string key)
    {
        names.insert(name);
        hostKeys.insert(std::move(key));
    }

    bool knows(const std::string& name, const std::string& key) const
    {
        return names.contains(name) || hostKeys.contains(key);
    }
};

void copyRecord(const DirectoryRecord& record, DirectoryStore& custom)
{
    custom.SetSubmitUrl(record.name, record.submitUrl);
    custom.SetPR(record.name, record.pr);
    custom.SetCategory(record.name, record.category);
    custom.SetItems(record.name, record.items);
}

} // namespace

int importCustomDirectories(
    const DirectoryStore& imported, const DirectoryStore& main, DirectoryStore& custom)
{
    KnownDirectories known;
    known.add(main);
    known.add(custom);
    int count = 0;
    for (const auto& [name, record] : imported.records()) {
        std::string key = hostKey(record.submitUrl);
        if (known.knows(name, key) || !custom.AddDirectory(name))
            continue;
        known.add(name, std::move(key));
        copyRecord(record, custom);
        ++count;
    }
    return count;
}
