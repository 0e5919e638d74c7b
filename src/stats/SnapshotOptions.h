#pragma once

#include <cstdint>

// What a snapshot includes, as the user chose it.
struct SnapshotOptions {
    bool includeGeneral = true; // PageRank, inbound links and indexed pages
    bool includeSerp = true; // positions for the profile's search phrases
    bool includeApproval = false; // directories that list the site
    bool entireDatabase = false; // search every directory, not only those submitted to
    std::int32_t resumeRecord = 0; // directories of the list to skip (resuming a frozen check)
};
