#pragma once

#include "directories/DirectoryItem.h"

#include <cstdint>
#include <string>
#include <vector>

// What a shared directory list says of a directory; each part unknown unless a
// list gave it.
struct DirectoryListFacts {
    static constexpr std::int32_t kUnknownRating = -1;

    std::int32_t rating = kUnknownRating; // domain rating, 0 to 100 (never a PageRank)
    std::string linkType; // "dofollow" or "nofollow"
    std::string pricing; // "free", "freemium" or "paid"
    bool unlisted = false; // it left the followed list that brought it: no longer listed there

    bool operator==(const DirectoryListFacts&) const = default;
};

// One web directory: where its submission page is, how important it is, which
// topics it lists, what its confirmation page says and how its form is filled.
struct DirectoryRecord {
    std::string name; // display name, unique within one store
    std::int32_t revision = 0; // database revision that brought the record
    std::int32_t pr = 0; // PageRank, 0 to 10, as last measured
    std::string submitUrl; // address of the submission page
    std::string category; // comma-separated category names
    std::string onSubmit; // text the page shows after a successful submission
    std::vector<DirectoryItem> items; // form fields in form order
    DirectoryListFacts listFacts; // what a shared directory list says of it

    bool operator==(const DirectoryRecord&) const = default;
};
