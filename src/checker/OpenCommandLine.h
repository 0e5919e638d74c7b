#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The main program starts the list checker with "<open>" + file + "</open>" on
// its command line; these find that file.

// The program's arguments as one command line, separated by blanks.
std::string joinArguments(const std::vector<std::string>& arguments);

// The text between the first "<open>" and the "</open>" after it; without a
// closing marker, the rest of the line. Nothing without "<open>".
std::optional<std::string> findOpenPath(std::string_view commandLine);
