#pragma once

#include "custom/ListedDirectory.h"

#include <cstddef>
#include <memory>
#include <string_view>

// Reads the lines of a directory list file one at a time: an address alone, or
// a name and an address in either order, separated by commas, semicolons,
// spaces or tabs, each field plain or in double quotes. Its buffers are made
// once and reused, since a list may have hundreds of thousands of lines.
class DirectoryLineParser {
public:
    DirectoryLineParser();

    // Reads a line (cut to kMaxListLineLength characters); false for a line that
    // gives no directory (an empty first field, a quote that is not closed).
    bool read(std::string_view line);

    // The directory of the last line read, valid until the next line and while
    // that line's text is.
    std::string_view name() const { return m_name; }
    std::string_view address() const { return { m_address.get(), m_addressSize }; }
    ListedDirectory directory() const { return { std::string(name()), std::string(address()) }; }

private:
    void setAddress(std::string_view text);
    void setNameFromAddress();

    std::unique_ptr<char[]> m_address;
    std::size_t m_addressSize = 0;
    std::unique_ptr<char[]> m_madeName;
    std::string_view m_name;
};
