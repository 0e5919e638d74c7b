#pragma once

#include "checker/CheckResults.h"

#include <array>
#include <string>

// The summary written to the log when a run ends: how many PageRanks changed and
// in which direction, and how many directories are to be disabled.
struct CheckStatistics {
    // The vectors count changes by their size, 0 to 9; a change of 10 or 11
    // (0 to 10, 10 to -1, -1 to 10) is counted in the totals only.
    static constexpr std::size_t kVectorSize = 10;

    int updated = 0; // PageRank changes
    int disabled = 0; // broken directories
    int movingUp = 0;
    int movingDown = 0;
    int downToZero = 0;
    int downToMinusOne = 0;
    std::array<int, kVectorSize> upVector {};
    std::array<int, kVectorSize> downVector {};

    // Counts a run's results.
    static CheckStatistics count(const CheckResults& results);

    // The summary as the log shows it, lines ending in "\r\n" (the last one without).
    std::u16string text() const;
};
