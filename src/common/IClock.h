#pragma once

#include <ctime>

// The source of "now", so that dates written into files are testable.
class IClock {
public:
    virtual ~IClock() = default;

    // The current calendar time.
    virtual std::time_t now() const = 0;
};
