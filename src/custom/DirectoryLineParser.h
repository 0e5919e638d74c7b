#pragma once

#include "custom/ListedDirectory.h"

#include <string>
#include <string_view>

// Reads the lines of a plain directory list one at a time: an address alone, or
// a name and an address in either order, separated by commas, semicolons,
// spaces or tabs, each field plain or in double quotes. Its buffers are made
// once and reused, since a list may have hundreds of thousands of lines.
class DirectoryLineParser {
public:
    // What a line gave.
    enum class Result {
        Directory, // a name and an address
        Empty, // an empty first field: nothing, and nothing to report
        Unclosed, // a quoted field without its closing quote
        NoAddress, // no field is a web address
    };

    // Reads a line (the caller keeps lines to kMaxListRecordBytes).
    Result read(std::string_view line);

    // The directory of the last line read, valid until the next line and while
    // that line's text is.
    std::string_view name() const { return m_name; }
    std::string_view address() const { return m_address; }
    ListedDirectory directory() const { return { std::string(name()), std::string(address()), {}, {} }; }

private:
    Result readSingleField(std::string_view field, bool blanks);
    void setNameFromAddress();

    std::string m_address;
    std::string m_madeName;
    std::string_view m_name;
};
