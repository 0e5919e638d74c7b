#pragma once

#include <ctime>
#include <string>

// Formats a time as local time with a strftime pattern, for example "%d %B %Y";
// month names follow the user's LC_TIME locale once the program has set it.
std::string formatLocalTime(std::time_t time, const char* pattern);
