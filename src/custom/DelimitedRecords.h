#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// The longest record (line) of a list that is read; a longer one is refused
// with its line number rather than cut into a directory that is half of it.
inline constexpr std::size_t kMaxListRecordBytes = std::size_t { 64 } << 10;

// Splits delimited text (CSV, semicolon- or tab-separated) into records of
// cells as RFC 4180 reads them: a quoted cell may hold separators, doubled
// quotes and line breaks; lines end in LF or CRLF. Blank lines and lines that
// start with "#" are passed over. A record over kMaxListRecordBytes, or one
// whose quote is never closed, is refused and reading goes on at the line
// after the one it started on, so that one bad line costs one record.
class DelimitedRecords {
public:
    // What the next record was.
    enum class Outcome {
        Record, // cells hold the record
        TooLong, // the record is longer than kMaxListRecordBytes
        Unclosed, // a quoted cell runs to the end of the text
        End, // no record is left
    };

    DelimitedRecords(std::string_view text, char separator);

    // Reads the next record into `cells`: views into the text, or into this
    // reader for cells that held doubled quotes; valid until the next call.
    Outcome next(std::vector<std::string_view>& cells);
    // The line (from 1) on which the last record started.
    int line() const { return m_recordLine; }

private:
    bool skipBlankAndCommentLines();
    Outcome readCells(std::vector<std::string_view>& cells);
    Outcome readQuotedCells(std::vector<std::string_view>& cells);
    Outcome refuse(Outcome outcome);

    std::string_view m_text;
    char m_separator;
    std::size_t m_at = 0;
    int m_line = 1;
    std::size_t m_recordStart = 0;
    int m_recordLine = 0;
    std::string m_unescaped; // cells with doubled quotes, one after another
};
