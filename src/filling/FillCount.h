#pragma once

#include <string>

// How many fields the fills of a page wrote, and how many of them because they
// were recognised rather than named by a form item.
struct FillCount {
    int fields = 0;
    int recognised = 0;

    bool operator==(const FillCount&) const = default;
};

// The status line after a fill: "Filled 9 fields, 6 of them recognised".
std::string fillStatusText(const FillCount& count);
