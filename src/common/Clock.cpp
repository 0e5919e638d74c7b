#include "common/Clock.h"

#include <array>

std::time_t SystemClock::now() const
{
    return std::time(nullptr);
}

std::string formatLocalTime(std::time_t time, const char* pattern)
{
    std::tm local {};
    localtime_r(&time, &local);
    std::array<char, 256> buffer {};
    const std::size_t length = std::strftime(buffer.data(), buffer.size(), pattern, &local);
    return std::string(buffer.data(), length);
}
