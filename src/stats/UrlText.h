#pragma once

#include "common/TextCase.h"

#include <cstddef>
#include <string_view>

// Small text tests on URLs and search pages, for 8-bit and 16-bit text alike.

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
