#pragma once

#include "directories/DirectoryCategories.h"
#include "profiles/DirectoryState.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class DirectoryStore;
struct DirectoryRecord;

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
    // The table's other columns but the categories, which the store has.
    std::string name {};
    std::int32_t rating = -1; // the list's rating, 0 to 100; -1 when unknown
    std::string linkType {}; // "dofollow", "nofollow" or empty
    std::int32_t pr = 0;
    // Where the active profile stands with it; new without a profile.
    SendingProfile::DirectoryStatus status {};

    bool operator==(const DirectoryListRow&) const = default;
};

// The columns of the directory table, in their first order.
enum class DirectoryColumn {
    Name,
    Rating,
    Link,
    PageRank,
    Category,
    State,
    Date,
};
inline constexpr int kDirectoryColumnCount = 7;

// The orders of the sort drop-down, in its order: the five it always had, then
// one for each direction of the other columns.
enum class DirectorySort {
    PrAscending, // PageRank up, equal PageRank by tagged name up
    PrDescending, // PageRank down, equal PageRank by tagged name down
    AlphaAscending, // tagged name up
    AlphaDescending, // tagged name down
    Status, // approved, sent, then the states not sent to, to do last; equal by name
    StatusReversed, // to do first, approved last; equal by name
    RatingDescending, // rating down (unknown last); equal by name
    RatingAscending, // rating up; equal by name
    LinkAscending, // link type in byte order; equal by name
    LinkDescending,
    CategoryAscending, // category text in byte order; equal by name
    CategoryDescending,
    DateDescending, // the state's date, latest first (none last); equal by name
    DateAscending,
};
inline constexpr int kDirectorySortCount = 14;

// The column a sort orders by, and whether it runs downwards (from the
// highest rating, PageRank or latest date; from the end of the alphabet).
DirectoryColumn sortColumn(DirectorySort sort);
bool sortsDescending(DirectorySort sort);
// The sort of a column in a direction.
DirectorySort sortOf(DirectoryColumn column, bool descending);

// How far a profile is through the directories: the states of every listable directory.
struct DirectoryProgress {
    int sent = 0; // sent or approved
    int approved = 0;
    int toDo = 0; // new

    // Counts a directory in a state in (or out, with -1).
    void count(SendingProfile::DirectoryState state, int step = 1);
    bool operator==(const DirectoryProgress&) const = default;
};

// What a list build shows.
struct DirectoryListQuery {
    std::optional<std::string> profile; // the active profile's name; none without one
    std::string categoryFilter; // empty for "Show All"
    std::string searchText; // empty for no search; at most 100 characters
    // The states a row may have; empty for all of them.
    std::vector<SendingProfile::DirectoryState> states;
    DirectorySort sort = DirectorySort::PrDescending;
    std::size_t nameLimit = kDirectoryListLimit;
};

// A built directory list and what the build learnt on the way.
struct DirectoryList {
    std::vector<DirectoryListRow> rows;
    CategorySet categories; // every category of every listable directory
    int total = 0; // listable directories, whatever the filter and search
    int sentCount = 0; // rows whose directory the active profile was sent to
    DirectoryProgress progress; // over every listable directory, whatever the filter and search
    bool forProfile = false; // built for a profile: the rows have states
};

// Builds the directory list from the main store (with the custom directories
// merged in) and the profile store: which directories are listed, in which
// order, with which status, colour, date and custom text.
DirectoryList buildDirectoryList(const DirectoryStore& directories,
    const SendingProfile::ProfileStore& profiles, const DirectoryListQuery& query);

// One directory's row as a build shows it for the profile (none: no profile).
DirectoryListRow readDirectoryRow(const DirectoryStore& directories,
    const SendingProfile::ProfileStore& profiles, const DirectoryRecord& record,
    const std::optional<std::string>& profile);

// Whether a name is ever listed: more than two characters and no "_" as its
// first or second character (which keeps "__general" out).
bool isListableDirectoryName(const std::string& name);

// The search text as it is kept: its first 100 characters.
std::string limitSearchText(const std::string& text);

// The first row whose state is new, as "Next Directory" opens it; none when no row is.
std::optional<std::size_t> nextDirectoryRow(const DirectoryList& list);
