#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// The rows of a directory list written as JSON: an array of objects, or an
// object that holds such an array under any key (the first one that holds
// objects). Each object is a row; its values are cells under their keys, those
// of objects and arrays inside it under their own keys, several of one key
// joined by ", ". An array of strings is a list of one column. Read with a SAX
// parser that refuses nesting deeper than kMaxJsonListDepth, so that hostile
// input is turned down before it costs memory.
class JsonListRows {
public:
    static constexpr std::size_t kMaxJsonListDepth = 64;
    // Keys past this many are not read; no list has nearly as many columns.
    static constexpr std::size_t kMaxColumns = 256;
    // A cell is not made longer than a record of a CSV list may be.
    static constexpr std::size_t kMaxCellBytes = std::size_t { 64 } << 10;

    // Reads a JSON text; problem() says why it is no list.
    static JsonListRows parse(std::string_view text);

    // Why the text is no list ("its JSON cannot be read (...)"); empty when it is.
    const std::string& problem() const { return m_problem; }
    // The keys, in the order they first appear; "" for the column of an array of strings.
    const std::vector<std::string>& headings() const { return m_headings; }
    std::size_t size() const { return m_rowStarts.size(); }
    // The cells of a row by column (empty where the row has none); valid while this is.
    void row(std::size_t index, std::vector<std::string_view>& cells) const;

private:
    friend class JsonListHandler;

    struct Cell {
        std::uint32_t column = 0;
        std::uint32_t length = 0;
        std::size_t offset = 0; // into m_text
    };

    void addCell(const std::string& key, std::string_view value);

    std::string m_problem;
    std::vector<std::string> m_headings;
    std::unordered_map<std::string, std::uint32_t> m_columns;
    std::string m_text;
    std::vector<Cell> m_cells;
    std::vector<std::size_t> m_rowStarts; // the first cell of each row
};
