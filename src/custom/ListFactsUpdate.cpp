#include "custom/ListFactsUpdate.h"

#include "custom/DirectoryAddress.h"
#include "directories/DirectoryStore.h"

DirectoryListFacts mergedListFacts(const DirectoryListFacts& old, const DirectoryListFacts& listed)
{
    DirectoryListFacts merged = old;
    if (listed.rating != DirectoryListFacts::kUnknownRating)
        merged.rating = listed.rating;
    if (!listed.linkType.empty())
        merged.linkType = listed.linkType;
    if (!listed.pricing.empty())
        merged.pricing = listed.pricing;
    return merged;
}

CustomSites::CustomSites(const DirectoryStore& custom)
{
    for (const auto& [name, record] : custom.records())
        m_names.try_emplace(listSiteKey(record.submitUrl), name);
}

const std::string* CustomSites::nameOf(const std::string& site) const
{
    const auto found = m_names.find(site);
    return found == m_names.end() ? nullptr : &found->second;
}

void setListFacts(
    DirectoryStore& custom, DirectoryStore& main, const std::string& name, const DirectoryListFacts& facts)
{
    custom.SetListFacts(name, facts);
    main.SetListFacts(name, facts);
}

std::size_t applyListFacts(
    DirectoryStore& custom, DirectoryStore& main, const std::vector<ListedFacts>& listed)
{
    const CustomSites sites(custom);
    std::size_t changed = 0;
    for (const ListedFacts& entry : listed) {
        const std::string* name = sites.nameOf(entry.site);
        const DirectoryRecord* record = name ? custom.find(*name) : nullptr;
        if (!record)
            continue;
        const DirectoryListFacts merged = mergedListFacts(record->listFacts, entry.facts);
        if (merged == record->listFacts)
            continue;
        setListFacts(custom, main, *name, merged);
        ++changed;
    }
    return changed;
}
