#pragma once

#include "directories/DirectoryCategories.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class DirectoryStore;

namespace SendingProfile {
class ProfileStore;
}

// At most this many names of the main store are looked at by one list build.
inline constexpr std::size_t kDirectoryListLimit = 50000;
// A search text is cut to this many characters.
inline constexpr std::size_t kSearchTextLimit = 100;

// One row of the directory list: what it shows and what its tool tip says.
struct DirectoryListRow {
    std::string text; // the tagged name ("Example[pr4]") and the status suffix, if any
    std::uint32_t color = 0; // text colour, 0x00BBGGRR
    std::string date; // when the active profile was sent there, or empty
    std::string customText; // the directory's custom text, or empty
    std::string address; // the directory's submit URL

    bool operator==(const DirectoryListRow&) const = default;
};

// The five orders of the sort drop-down, in its order.
enum class DirectorySort {
    PrAscending, // PageRank up, equal PageRank by tagged name up
    PrDescending, // PageRank down, equal PageRank by tagged name down
    AlphaAscending, // tagged name up
    AlphaDescending, // tagged name down
    Status, // approved, sent, not sent
};

// What a list build shows.
struct DirectoryListQuery {
    std::optional<std::string> profile; // the active profile's name; none without one
    std::string categoryFilter; // empty for "Show All"
    std::string searchText; // empty for no search; at most 100 characters
    DirectorySort sort = DirectorySort::PrDescending;
    std::size_t nameLimit = kDirectoryListLimit;
};

// A built directory list and what the build learnt on the way.
struct DirectoryList {
    std::vector<DirectoryListRow> rows;
    CategorySet categories; // every category of every listable directory
    int total = 0; // listable directories, whatever the filter and search
    int sentCount = 0; // rows whose directory the active profile was sent to
};

// Builds the directory list from the main store (with the custom directories
// merged in) and the profile store: which directories are listed, in which
// order, with which status, colour, date and custom text.
DirectoryList buildDirectoryList(const DirectoryStore& directories,
    const SendingProfile::ProfileStore& profiles, const DirectoryListQuery& query);

// Whether a name is ever listed: more than two characters and no "_" as its
// first or second character (which keeps "__general" out).
bool isListableDirectoryName(const std::string& name);

// The search text as it is kept: its first 100 characters.
std::string limitSearchText(const std::string& text);
