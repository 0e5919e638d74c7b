#pragma once

#include <string_view>

// ASCII white space: space, tab, carriage return, line feed, vertical tab, form feed.
inline constexpr std::string_view kAsciiBlanks = " \t\r\n\v\f";

// Whether a character is one of kAsciiBlanks: the space, or tab to carriage return.
inline bool isAsciiBlank(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// The text without the ASCII blanks at either end; empty when it holds nothing
// else. Inline, since readers of large files trim every field.
inline std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && isAsciiBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isAsciiBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// The text without the given blanks at either end.
std::string_view trimmed(std::string_view text, std::string_view blanks);
