#pragma once

#include "custom/FollowedLists.h"

#include <atomic>
#include <chrono>
#include <ctime>
#include <string>
#include <vector>

class DirectoryStore;

// What asking a followed list's address gave.
struct ListFetch {
    // How the answer is taken.
    enum class Outcome {
        Changed, // a list came: text holds it
        NotModified, // the server says the last good copy is current
        Failed, // no list came: problem says why
    };

    std::string url;
    Outcome outcome = Outcome::Failed;
    std::string text; // the list (see listTextOf)
    std::string etag;
    std::string lastModified;
    std::string problem;
};

// What an update did with one followed list.
struct ListUpdateCounts {
    std::string url;
    int added = 0; // new custom directories
    int updated = 0; // known ones whose rating, link type or pricing changed, or that came back
    int gone = 0; // directories that left the list, now marked as no longer listed
    int unchanged = 0; // directories listed as before
    std::string problem; // the list was not read: why (its last good copy is kept)

    bool operator==(const ListUpdateCounts&) const = default;
};

// The bounds of asking a list's address.
struct ListFetchLimits {
    std::chrono::milliseconds connect { std::chrono::seconds(15) };
    std::chrono::milliseconds receive { std::chrono::seconds(30) };
    std::chrono::milliseconds total { std::chrono::seconds(120) };
};

// Asks a followed list's address, with the validators of its last good copy
// when it has one, so that an unchanged list is not sent again. An answer that
// is a web page, an error status, a redirect loop, binary data or over 32 MB is
// a failure. Blocks; `cancel`, when given and set, ends it early.
ListFetch fetchFollowedList(
    const FollowedList& list, const std::atomic<bool>* cancel = nullptr, const ListFetchLimits& limits = {});

// Takes the answers into the stores and the lists' records, in order: each
// list's new rows become custom directories (under "Custom" and the list's
// categories, without PageRank), known custom directories get the list's
// facts, and the directories a list brought that left it are marked as no
// longer listed unless another followed list still has them; nothing is
// deleted, and a directory the user removed is not brought back. A list whose
// answer failed or holds no directory changes nothing. The caller saves the
// custom store and the lists afterwards.
std::vector<ListUpdateCounts> applyFollowedLists(FollowedLists& lists, const std::vector<ListFetch>& fetches,
    DirectoryStore& custom, DirectoryStore& main, std::time_t now);

// Whether an update changed any directory, so that the custom store needs saving.
bool changesDirectories(const std::vector<ListUpdateCounts>& counts);

// What an update did, all lists together.
struct ListsUpdateResult {
    std::vector<ListUpdateCounts> counts;
    std::string problem; // a file could not be written: why (the stores keep the changes)
};

// An update of the followed lists from their answers: applyFollowedLists, then
// customdirdata.xml saved (when a directory changed; the custom store reports
// its own failure) and the lists saved. When the directories could not be
// saved the lists are not either, so that the next update takes the same
// answers in again.
ListsUpdateResult updateFollowedLists(FollowedLists& lists, const std::vector<ListFetch>& fetches,
    DirectoryStore& custom, DirectoryStore& main, const std::filesystem::path& customFile, std::time_t now);

// What an update did, for a person: a line per list (see listUpdateText), then
// the problem when there is one.
std::string listsUpdateReport(const ListsUpdateResult& result);

// One line for a person: "URL: 3 added, 1 updated, 2 no longer listed, 40
// unchanged", or "URL: not updated: PROBLEM".
std::string listUpdateText(const ListUpdateCounts& counts);
