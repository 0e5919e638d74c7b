#include "common/LocalTime.h"

#include <array>

std::string formatLocalTime(std::time_t time, const char* pattern)
{
    std::tm local {};
    localtime_r(&time, &local);
    std::array<char, 256> buffer {};
    const std::size_t length = std::strftime(buffer.data(), buffer.size(), pattern, &local);
    return std::string(buffer.data(), length);
}
