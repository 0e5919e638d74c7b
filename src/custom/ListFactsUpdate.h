#pragma once

#include "directories/DirectoryRecord.h"

#include <cstddef>
#include <string>
#include <unordered_map>
#include <vector>

class DirectoryStore;

// What a list says of a directory known already, by its site (listSiteKey).
struct ListedFacts {
    std::string site;
    DirectoryListFacts facts;

    bool operator==(const ListedFacts&) const = default;
};

// A directory's list facts with those a list gives now: each fact the list
// gives replaces the old one, the others stay as they were.
DirectoryListFacts mergedListFacts(const DirectoryListFacts& old, const DirectoryListFacts& listed);

// The custom directories by site, for finding the one a list's row names; the
// first of a site when several share one.
class CustomSites {
public:
    explicit CustomSites(const DirectoryStore& custom);

    // The name of the custom directory of a site, or null.
    const std::string* nameOf(const std::string& site) const;
    void add(const std::string& site, const std::string& name) { m_names.try_emplace(site, name); }

private:
    std::unordered_map<std::string, std::string> m_names;
};

// Sets a custom directory's list facts in both stores (the main store holds
// the merged custom directories too).
void setListFacts(
    DirectoryStore& custom, DirectoryStore& main, const std::string& name, const DirectoryListFacts& facts);

// Gives the custom directories of the sites the list's facts, merged with
// what they had; nothing else of them changes. Directories of the main database
// are left alone: their file is not the user's. How many changed.
std::size_t applyListFacts(
    DirectoryStore& custom, DirectoryStore& main, const std::vector<ListedFacts>& listed);
