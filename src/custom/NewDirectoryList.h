#pragma once

#include "custom/ListedDirectory.h"

#include <map>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

// The directories a list adds to those known already: a directory whose site
// (listSiteKey) is known is left out, as is a second row of one site, and a
// name that is taken gets the first free number appended ("Example1",
// "Example2", ...).
class NewDirectoryList {
public:
    // What became of a directory offered.
    enum class Offer {
        Added, // its site is new: it was added
        Known, // its site is one of the known directories'
        Repeated, // an earlier row named its site
    };

    // Every known directory, name to address.
    explicit NewDirectoryList(const std::map<std::string, std::string>& known);

    // Counts a directory a row gave, of the site given, and adds it (under a
    // name of its own) when the site is new.
    Offer offer(const std::string& site, ListedDirectory directory);

    // The directories added, in the order offered.
    const std::vector<ListedDirectory>& added() const { return m_added; }
    std::vector<ListedDirectory> takeAdded() { return std::move(m_added); }
    // How many directories were offered, added or not.
    int offered() const { return m_offered; }

    // A name no directory has: the name itself, or it with the first free number.
    std::string uniqueName(std::string name);

private:
    std::unordered_set<std::string> m_names;
    std::unordered_set<std::string> m_knownSites;
    std::unordered_set<std::string> m_listedSites;
    // The number to try next for a name, so that many directories of one name
    // do not each count up from 1 again.
    std::unordered_map<std::string, int> m_nextNumber;
    std::vector<ListedDirectory> m_added;
    int m_offered = 0;
};
