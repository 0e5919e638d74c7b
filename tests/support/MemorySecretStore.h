#pragma once

#include "common/ISecretStore.h"

#include <algorithm>

// A secret store in memory whose refusals a test can switch on.
class MemorySecretStore : public ISecretStore {
public:
    SecretSearch search(const SecretQuery& query) override
    {
        SecretSearch found;
        if (refuses)
            found.error = "refused";
        for (const StoredSecret& item : items)
            if (!refuses && query.matches(item.key))
                found.items.push_back(item);
        return found;
    }
    std::optional<std::string> store(const StoredSecret& item) override
    {
        if (refuses)
            return "refused";
        std::erase_if(items, [&](const StoredSecret& each) { return each.key == item.key; });
        items.push_back(item);
        return std::nullopt;
    }
    std::optional<std::string> remove(const SecretQuery& query) override
    {
        if (refuses)
            return "refused";
        std::erase_if(items, [&](const StoredSecret& each) { return query.matches(each.key); });
        return std::nullopt;
    }
    std::string location() const override { return "memory"; }

    std::vector<StoredSecret> items;
    bool refuses = false;
};
