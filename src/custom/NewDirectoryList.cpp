#include "custom/NewDirectoryList.h"

#include "custom/DirectoryAddress.h"

NewDirectoryList::NewDirectoryList(const std::map<std::string, std::string>& known)
{
    for (const auto& [name, address] : known) {
        m_names.insert(name);
        m_sites.insert(siteKey(address));
    }
}

bool NewDirectoryList::offer(std::string_view name, std::string_view address)
{
    ++m_offered;
    if (!m_sites.insert(siteKey(address)).second)
        return false;
    ListedDirectory added { uniqueName(std::string(name)), std::string(address) };
    m_names.insert(added.name);
    m_added.push_back(std::move(added));
    return true;
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
