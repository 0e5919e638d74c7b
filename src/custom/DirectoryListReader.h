#pragma once

#include "custom/DelimitedRecords.h"
#include "custom/DirectoryLineParser.h"
#include "custom/JsonListRows.h"
#include "custom/ListColumns.h"
#include "directories/DirectoryRecord.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// The shape a directory list is written in.
enum class ListShape {
    Lines, // one directory a line: an address, or a name and an address
    Delimited, // a table of comma-, semicolon- or tab-separated columns (CSV, TSV)
    Json, // an array of objects, or an object holding one
};

// One directory a row of a list names; its texts are valid until the next row.
struct ListEntry {
    std::string_view name; // cleaned; made from the address when the row names none
    std::string_view address; // as readListAddress reads it
    std::string_view category; // the list's categories for it, joined by ","; may be empty
    DirectoryListFacts facts;
    int line = 0; // the line (of a JSON list: the entry) it starts on, from 1
};

// A row of a list that names no directory, and why.
struct SkippedRow {
    int line = 0; // as ListEntry::line
    std::string_view reason; // "no web address", "a quote is not closed", ...

    bool operator==(const SkippedRow&) const = default;
};

// The one reader of directory lists as people share them, whatever their
// shape: it tells the shape from the text (JSON, a table with or without a
// header row, plain lines), finds the columns by their names or their cells,
// and hands out one directory a row, with what the list says of it. Header,
// blank and comment ("#") lines are no rows; rows that name no directory are
// noted with the reason. Reading a table or plain lines costs no memory per
// row; a JSON list is parsed whole first.
class DirectoryListReader {
public:
    // Reads a list's text (see listTextOf), which must outlive the reader;
    // `mayHoldControls` false says that it holds no control characters
    // (ListText::mayHoldControls), so that names need no cleaning.
    explicit DirectoryListReader(std::string_view text, bool mayHoldControls = true);

    // Why the text is no list at all (JSON that cannot be read); empty when it is.
    const std::string& problem() const { return m_problem; }
    ListShape shape() const { return m_shape; }
    // The separator of a table: ',', ';' or '\t'.
    char separator() const { return m_separator; }
    // Whether the list names its columns (a header row, JSON keys).
    bool hasHeadings() const { return m_hasHeadings; }
    // The columns taken, by position; empty for plain lines.
    const std::vector<ListColumn>& columns() const { return m_columns; }

    // The next directory; false once the list is read.
    bool next(ListEntry& entry);
    // The rows read so far that name no directory.
    const std::vector<SkippedRow>& skipped() const { return m_skipped; }
    // The rows read so far, whether they named a directory or not.
    int rows() const { return m_rows; }

private:
    // What cells that repeat down a column (link types, prices, categories)
    // were read as, so that each text is read once. The last few texts are
    // compared directly; a column of many values goes through a hash map.
    template <typename Value> class CellMemo {
    public:
        template <typename Read> const Value& get(std::string_view cell, Read read);

    private:
        struct TextHash {
            using is_transparent = void;
            std::size_t operator()(std::string_view text) const
            {
                return std::hash<std::string_view> {}(text);
            }
        };
        using Map = std::unordered_map<std::string, Value, TextHash, std::equal_to<>>;
        static constexpr std::size_t kRecent = 8;

        Map m_values;
        std::array<const typename Map::value_type*, kRecent> m_recent {};
        std::size_t m_next = 0; // the slot of m_recent to fill next
        Value m_last; // of a text read once the map is full
    };

    void startJson();
    void startTable(char separator, bool header);
    bool nextLine(ListEntry& entry);
    bool nextRecord(ListEntry& entry);
    bool nextJsonRow(ListEntry& entry);
    bool fromCells(int line, ListEntry& entry);
    void indexColumns();
    std::string_view cell(ListColumnKind kind) const;
    std::string_view name(std::string_view cell);
    void skip(int line, std::string_view reason);

    std::string_view m_text;
    std::string m_problem;
    ListShape m_shape = ListShape::Lines;
    char m_separator = ',';
    bool m_hasHeadings = false;
    std::vector<ListColumn> m_columns;
    // The position of each kind's column (npos without one), by ListColumnKind.
    std::array<std::size_t, 6> m_index {};
    std::string_view m_linkTypeYes;
    std::string_view m_pricingYes;
    // Whether the text may hold control characters, which names lose.
    bool m_controls = true;
    std::vector<SkippedRow> m_skipped;
    int m_rows = 0;

    // Plain lines: where the next line starts and its number.
    std::size_t m_at = 0;
    int m_line = 0;
    DirectoryLineParser m_lineParser;
    // Tables and JSON.
    std::optional<DelimitedRecords> m_records;
    JsonListRows m_json;
    std::size_t m_jsonRow = 0;
    std::vector<std::string_view> m_cells;
    std::string m_name;
    std::string m_address;
    CellMemo<std::string_view> m_linkTypes;
    CellMemo<std::string_view> m_prices;
    CellMemo<std::string> m_categories;
};

// How a list was read, for a person: "a CSV table with a header row",
// "a JSON list", "plain lines (an address, or a name and an address)".
std::string listShapeText(const DirectoryListReader& reader);
