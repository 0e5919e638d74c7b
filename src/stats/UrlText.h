#pragma once

#include <cstddef>
#include <string_view>

// Small text tests on URLs and search pages, for 8-bit and 16-bit text alike.

// Whether the text begins with an ASCII prefix, letters compared without regard to case.
template <typename Char> bool startsWithNoCase(std::basic_string_view<Char> text, std::string_view prefix)
{
    if (text.size() < prefix.size())
        return false;
    auto lower = [](char32_t c) { return c >= U'A' && c <= U'Z' ? c - U'A' + U'a' : c; };
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (lower(static_cast<char32_t>(text[i])) != lower(static_cast<char32_t>(prefix[i])))
            return false;
    return true;
}

inline bool startsWithNoCase(std::string_view text, std::string_view prefix)
{
    return startsWithNoCase<char>(text, prefix);
}

// The length of a leading "http://" or "https://" (either case), else 0.
template <typename Char> std::size_t schemeLength(std::basic_string_view<Char> url)
{
    if (startsWithNoCase(url, "http://"))
        return 7;
    if (startsWithNoCase(url, "https://"))
        return 8;
    return 0;
}

inline std::size_t schemeLength(std::string_view url)
{
    return schemeLength<char>(url);
}
