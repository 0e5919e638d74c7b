#pragma once

#include <cstddef>
#include <string>

// One directory that a line of a directory list file names.
struct ListedDirectory {
    std::string name; // as written, or made from the address when the line gives none
    std::string address; // in lower case, with "http://" in front

    bool operator==(const ListedDirectory&) const = default;
};

// The most characters of a line that a list file reader looks at; the rest of a
// longer line is passed over.
inline constexpr std::size_t kMaxListLineLength = 20480;
