#pragma once

#include <string_view>

// ASCII white space: space, tab, carriage return, line feed, vertical tab, form feed.
inline constexpr std::string_view kAsciiBlanks = " \t\r\n\v\f";

// The text without the blanks at either end; empty when it holds nothing else.
std::string_view trimmed(std::string_view text, std::string_view blanks = kAsciiBlanks);
