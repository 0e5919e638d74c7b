#pragma once

#include <ctime>
#include <string>

// The source of "now", so that dates written into files are testable.
class IClock {
public:
    virtual ~IClock() = default;

    // The current calendar time.
    virtual std::time_t now() const = 0;
};

// The real clock.
class SystemClock : public IClock {
public:
    std::time_t now() const override;
};

// Formats a time as local time with a strftime pattern, for example "%d %B %Y";
// month names follow the user's LC_TIME locale once the program has set it.
std::string formatLocalTime(std::time_t time, const char* pattern);
