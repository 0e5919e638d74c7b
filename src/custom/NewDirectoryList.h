#pragma once

#include "custom/ListedDirectory.h"

#include <map>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

// The directories a list file adds to those known already: a directory whose
// site is known (same host key) is left out, and a name that is taken gets the
// first free number appended ("Example1", "Example2", ...).
class NewDirectoryList {
public:
    // Every known directory, name to address.
    explicit NewDirectoryList(const std::map<std::string, std::string>& known);

    // Counts a directory a line gave and adds it when its site is new; whether it was added.
    bool offer(std::string_view name, std::string_view address);

    // The directories added, in the order offered.
    const std::vector<ListedDirectory>& added() const { return m_added; }
    std::vector<ListedDirectory> takeAdded() { return std::move(m_added); }
    // How many directories were offered, added or not.
    int offered() const { return m_offered; }

private:
    std::string uniqueName(std::string name);

    std::unordered_set<std::string> m_names;
    std::unordered_set<std::string> m_sites;
    // The number to try next for a name, so that many directories of one name
    // do not each count up from 1 again.
    std::unordered_map<std::string, int> m_nextNumber;
    std::vector<ListedDirectory> m_added;
    int m_offered = 0;
};
