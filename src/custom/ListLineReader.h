#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Reads a directory list file line by line in large blocks. A line is handed out
// without its line end ("\n" or "\r\n") and cut to kMaxListLineLength characters;
// the rest of a longer line is skipped, so one huge line costs no more memory
// than a short one. A UTF-8 byte order mark at the start of the file is dropped.
// Lists exported from spreadsheets are often Windows-1252: each line is handed
// out as UTF-8, kept when it is well-formed UTF-8 and read as Windows-1252 else.
class ListLineReader {
public:
    // Reads from an open file, which the caller closes.
    explicit ListLineReader(std::FILE* file);

    // The next line, valid until the next call; nothing at the end of the file
    // or once reading failed.
    std::optional<std::string_view> next();
    // Whether the file could not be read to its end.
    bool failed() const { return m_failed; }

private:
    bool fill();
    std::string_view lineEnd(std::string_view line);

    std::FILE* m_file;
    std::vector<char> m_buffer;
    std::size_t m_position = 0;
    std::size_t m_size = 0;
    bool m_started = false;
    bool m_failed = false;
    std::string m_pieced; // a line that runs over the end of a block
    std::string m_text; // the line handed out, in UTF-8
};
