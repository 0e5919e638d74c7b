#pragma once

#include <cstdint>
#include <string>
#include <vector>

// What a run checks on each directory.
struct CheckOptions {
    bool updatePageRank = true; // query the PageRank of the directory's site
    bool checkBrokenLinks = true; // test whether the submission page still answers
};

// A directory whose PageRank differs from the stored one.
struct PrChange {
    std::u16string name;
    std::u16string address; // the submission page
    std::int32_t oldPR = 0;
    std::int32_t newPR = 0;

    bool operator==(const PrChange&) const = default;
};

// A directory whose submission page did not answer.
struct BrokenSite {
    std::u16string name;
    std::u16string address;

    bool operator==(const BrokenSite&) const = default;
};

// What a run found, in the order found; the review decides what is saved.
struct CheckResults {
    std::vector<PrChange> prChanges;
    std::vector<BrokenSite> brokenSites; // the recheck queue

    bool empty() const { return prChanges.empty() && brokenSites.empty(); }
};
