#include "custom/NewDirectoryList.h"

#include "custom/DirectoryAddress.h"

NewDirectoryList::NewDirectoryList(const std::map<std::string, std::string>& known)
{
    for (const auto& [name, address] : known) {
        m_names.insert(name);
        m_knownSites.insert(listSiteKey(address));
    }
}

NewDirectoryList::Offer NewDirectoryList::offer(const std::string& site, ListedDirectory directory)
{
    ++m_offered;
    if (!m_listedSites.insert(site).second)
        return Offer::Repeated;
    if (m_knownSites.contains(site))
        return Offer::Known;
    directory.name = uniqueName(std::move(directory.name));
    m_names.insert(directory.name);
    m_added.push_back(std::move(directory));
    return Offer::Added;
}

std::string NewDirectoryList::uniqueName(std::string name)
{
    if (!m_names.contains(name))
        return name;
    // Names only ever join the set, so a number found taken stays taken.
    int& number = m_nextNumber.try_emplace(name, 1).first->second;
    std::string candidate = name + std::to_string(number);
    while (m_names.contains(candidate))
        candidate = name + std::to_string(++number);
    ++number;
    return candidate;
}
