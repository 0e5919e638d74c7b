#pragma once

#include <chrono>

// Waits that the search services ask for between requests. Whoever pauses is
// given one, so that tests run the pauses without waiting.
class ISleeper {
public:
    virtual ~ISleeper() = default;

    // Blocks the calling thread for the given time.
    virtual void sleepFor(std::chrono::milliseconds duration) = 0;
};
