#include "custom/DirectoryListReader.h"

#include "autofill/FormText.h"
#include "common/TextCase.h"
#include "common/TrimmedText.h"
#include "custom/DirectoryAddress.h"
#include "custom/ListCells.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr std::string_view kNoAddress = "no web address";
constexpr std::string_view kTooLong = "longer than 64 KB";
constexpr std::string_view kUnclosed = "a quote is not closed";
constexpr std::string_view kEmptyFirstField = "nothing before the first separator";
// The rows whose cells decide which column holds what.
constexpr std::size_t kSampleRows = 100;
// The lines that decide whether a list without a header row is a table.
constexpr std::size_t kSniffedLines = 50;
constexpr int kTablePercent = 80;
constexpr std::size_t kMaxSingleHeadingWords = 3;

constexpr char kSeparators[] = { ',', ';', '\t' };

bool isDataLine(std::string_view line)
{
    const std::string_view text = trimmed(line);
    return !text.empty() && text.front() != '#';
}

// The first lines of a text that are neither blank nor comments, each cut to
// the longest record read.
std::vector<std::string_view> firstDataLines(std::string_view text, std::size_t count)
{
    std::vector<std::string_view> lines;
    while (!text.empty() && lines.size() < count) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        const std::string_view line = text.substr(0, std::min(end, kMaxListRecordBytes));
        if (isDataLine(line))
            lines.push_back(line);
        text.remove_prefix(std::min(end + 1, text.size()));
    }
    return lines;
}

std::vector<std::string> cellsOf(std::string_view line, char separator)
{
    DelimitedRecords records(line, separator);
    std::vector<std::string_view> cells;
    if (records.next(cells) != DelimitedRecords::Outcome::Record)
        return { std::string(line) };
    return { cells.begin(), cells.end() };
}

// Whether a cell holds an address, as a row does and a header never does.
bool holdsAddress(const std::string& cell)
{
    std::string address;
    return cell.find("://") != std::string::npos || startsWithNoCase(trimmed(cell), "www.")
        || readListAddress(cell, address);
}

// The separator under which the first line is a header row: it names at least
// one column the word lists know, and none of its cells holds an address. A
// header of one column is one short name ("URL").
std::optional<char> headerSeparator(std::string_view line)
{
    std::optional<char> best;
    int bestNamed = 0;
    for (const char separator : kSeparators) {
        const std::vector<std::string> cells = cellsOf(line, separator);
        if (std::any_of(cells.begin(), cells.end(), holdsAddress))
            return std::nullopt;
        if (cells.size() == 1 && textWords(cells.front()).size() > kMaxSingleHeadingWords)
            continue;
        const int named = static_cast<int>(std::count_if(cells.begin(), cells.end(),
            [](const std::string& cell) { return recogniseColumnName(cell).has_value(); }));
        if (named > bestNamed) {
            best = separator;
            bestNamed = named;
        }
    }
    return best;
}

// The separator of a table without a header row: tabs on nearly every line, or
// the same number of three or more cells on nearly every line. None for plain
// lines, which hold one or two fields.
std::optional<char> tableSeparator(const std::vector<std::string_view>& lines)
{
    if (lines.empty())
        return std::nullopt;
    const auto mostLines = [&](std::size_t count) { return count * 100 >= lines.size() * kTablePercent; };
    const std::size_t tabbed = static_cast<std::size_t>(std::count_if(
        lines.begin(), lines.end(), [](std::string_view line) { return cellsOf(line, '\t').size() >= 2; }));
    if (mostLines(tabbed))
        return '\t';
    for (const char separator : { ',', ';' }) {
        std::vector<std::size_t> counts;
        for (const std::string_view line : lines)
            counts.push_back(cellsOf(line, separator).size());
        std::sort(counts.begin(), counts.end());
        // The most frequent count.
        std::size_t best = 0;
        std::size_t bestRun = 0;
        for (std::size_t at = 0; at < counts.size();) {
            const std::size_t run =
                static_cast<std::size_t>(
                    std::upper_bound(counts.begin(), counts.end(), counts[at]) - counts.begin())
                - at;
            if (run > bestRun) {
                best = counts[at];
                bestRun = run;
            }
            at += run;
        }
        if (best >= 3 && mostLines(bestRun))
            return separator;
    }
    return std::nullopt;
}

// Whether two short texts are equal; compared here, since a call to memcmp
// costs more than the comparison.
bool sameText(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t at = 0; at < a.size(); ++at) {
        if (a[at] != b[at])
            return false;
    }
    return true;
}

std::string_view firstNonBlank(std::string_view text)
{
    return text.substr(std::min(text.find_first_not_of(kAsciiBlanks), text.size()));
}

} // namespace

template <typename Value>
template <typename Read>
const Value& DirectoryListReader::CellMemo<Value>::get(std::string_view cell, Read read)
{
    // Enough for every value a column of categories or prices takes.
    constexpr std::size_t kMaxValues = 4096;
    for (const typename Map::value_type* recent : m_recent) {
        if (recent && sameText(recent->first, cell))
            return recent->second;
    }
    auto found = m_values.find(cell);
    if (found == m_values.end()) {
        if (m_values.size() >= kMaxValues) {
            m_last = read(cell);
            return m_last;
        }
        found = m_values.emplace(std::string(cell), read(cell)).first;
    }
    m_recent[m_next] = &*found;
    m_next = (m_next + 1) % kRecent;
    return found->second;
}

DirectoryListReader::DirectoryListReader(std::string_view text, bool mayHoldControls)
    : m_text(text)
    , m_controls(mayHoldControls)
{
    if (firstNonBlank(text).starts_with('[') || firstNonBlank(text).starts_with('{')) {
        // JSON writes control characters as escapes, which the parser turns into them.
        m_controls = true;
        startJson();
        return;
    }
    const std::vector<std::string_view> lines = firstDataLines(text, kSniffedLines);
    if (!lines.empty()) {
        if (const std::optional<char> separator = headerSeparator(lines.front())) {
            startTable(*separator, true);
            return;
        }
    }
    if (const std::optional<char> separator = tableSeparator(lines))
        startTable(*separator, false);
}

bool DirectoryListReader::next(ListEntry& entry)
{
    switch (m_shape) {
    case ListShape::Lines:
        return nextLine(entry);
    case ListShape::Delimited:
        return nextRecord(entry);
    case ListShape::Json:
        return nextJsonRow(entry);
    }
    return false;
}

void DirectoryListReader::startJson()
{
    m_shape = ListShape::Json;
    m_hasHeadings = true;
    m_json = JsonListRows::parse(m_text);
    m_problem = m_json.problem();
    std::vector<std::vector<std::string>> sample;
    for (std::size_t row = 0; row < std::min(m_json.size(), kSampleRows); ++row) {
        m_json.row(row, m_cells);
        sample.emplace_back(m_cells.begin(), m_cells.end());
    }
    m_hasHeadings = !(m_json.headings().size() == 1 && m_json.headings().front().empty());
    m_columns = chooseListColumns(m_json.headings(), sample);
    indexColumns();
}

void DirectoryListReader::startTable(char separator, bool header)
{
    m_shape = ListShape::Delimited;
    m_separator = separator;
    m_hasHeadings = header;
    m_records.emplace(m_text, separator);
    std::vector<std::string> headings;
    if (header && m_records->next(m_cells) == DelimitedRecords::Outcome::Record)
        headings.assign(m_cells.begin(), m_cells.end());
    DelimitedRecords ahead = *m_records;
    std::vector<std::vector<std::string>> sample;
    for (DelimitedRecords::Outcome outcome = ahead.next(m_cells);
         outcome != DelimitedRecords::Outcome::End && sample.size() < kSampleRows;
         outcome = ahead.next(m_cells)) {
        if (outcome == DelimitedRecords::Outcome::Record)
            sample.emplace_back(m_cells.begin(), m_cells.end());
    }
    m_columns = chooseListColumns(headings, sample);
    indexColumns();
}

void DirectoryListReader::indexColumns()
{
    m_index.fill(std::string_view::npos);
    for (const ListColumn& column : m_columns) {
        m_index[static_cast<std::size_t>(column.kind)] = column.index;
        if (column.kind == ListColumnKind::LinkType)
            m_linkTypeYes = column.yesMeans;
        else if (column.kind == ListColumnKind::Pricing)
            m_pricingYes = column.yesMeans;
    }
}

bool DirectoryListReader::nextLine(ListEntry& entry)
{
    while (m_at < m_text.size()) {
        const char* start = m_text.data() + m_at;
        const auto* newline = static_cast<const char*>(std::memchr(start, '\n', m_text.size() - m_at));
        std::string_view line(
            start, newline ? static_cast<std::size_t>(newline - start) : m_text.size() - m_at);
        m_at += line.size() + 1;
        ++m_line;
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        if (line.size() > kMaxListRecordBytes) {
            ++m_rows;
            skip(m_line, kTooLong);
            continue;
        }
        if (!isDataLine(line))
            continue;
        ++m_rows;
        switch (m_lineParser.read(line)) {
        case DirectoryLineParser::Result::Directory:
            entry.address = m_lineParser.address();
            entry.name = name(m_lineParser.name());
            entry.category = {};
            entry.facts = {};
            entry.line = m_line;
            return true;
        case DirectoryLineParser::Result::Empty:
            skip(m_line, kEmptyFirstField);
            break;
        case DirectoryLineParser::Result::Unclosed:
            skip(m_line, kUnclosed);
            break;
        case DirectoryLineParser::Result::NoAddress:
            skip(m_line, kNoAddress);
            break;
        }
    }
    return false;
}

bool DirectoryListReader::nextRecord(ListEntry& entry)
{
    for (;;) {
        switch (m_records->next(m_cells)) {
        case DelimitedRecords::Outcome::End:
            return false;
        case DelimitedRecords::Outcome::TooLong:
            ++m_rows;
            skip(m_records->line(), kTooLong);
            continue;
        case DelimitedRecords::Outcome::Unclosed:
            ++m_rows;
            skip(m_records->line(), kUnclosed);
            continue;
        case DelimitedRecords::Outcome::Record:
            break;
        }
        // A row of separators only is as blank as an empty line.
        if (std::all_of(
                m_cells.begin(), m_cells.end(), [](std::string_view cell) { return trimmed(cell).empty(); }))
            continue;
        if (fromCells(m_records->line(), entry))
            return true;
    }
}

bool DirectoryListReader::nextJsonRow(ListEntry& entry)
{
    while (m_jsonRow < m_json.size()) {
        const std::size_t row = m_jsonRow++;
        m_json.row(row, m_cells);
        if (fromCells(static_cast<int>(row) + 1, entry))
            return true;
    }
    return false;
}

// The directory of a row's cells; false, with the row noted, when it names none.
bool DirectoryListReader::fromCells(int line, ListEntry& entry)
{
    ++m_rows;
    if (!readListAddress(cell(ListColumnKind::Address), m_address)) {
        skip(line, kNoAddress);
        return false;
    }
    entry.address = m_address;
    entry.name = name(cell(ListColumnKind::Name));
    if (entry.name.empty()) {
        m_name = proposedDirectoryName(m_address);
        entry.name = m_name;
    }
    entry.category = m_categories.get(cell(ListColumnKind::Category), [](std::string_view text) {
        std::string categories;
        readListCategory(text, categories);
        return categories;
    });
    const bool rated = m_index[static_cast<std::size_t>(ListColumnKind::Rating)] != std::string_view::npos;
    entry.facts.rating =
        rated ? readListRating(cell(ListColumnKind::Rating)) : DirectoryListFacts::kUnknownRating;
    entry.facts.unlisted = false;
    entry.facts.linkType = m_linkTypes.get(cell(ListColumnKind::LinkType),
        [this](std::string_view text) { return readLinkType(text, m_linkTypeYes); });
    entry.facts.pricing = m_prices.get(cell(ListColumnKind::Pricing),
        [this](std::string_view text) { return readPricing(text, m_pricingYes); });
    entry.line = line;
    return true;
}

// The cell of the current row under the column of a kind; empty without one.
std::string_view DirectoryListReader::cell(ListColumnKind kind) const
{
    const std::size_t index = m_index[static_cast<std::size_t>(kind)];
    return index < m_cells.size() ? m_cells[index] : std::string_view();
}

// A name as the list writes it, without control characters where the list may hold some.
std::string_view DirectoryListReader::name(std::string_view cell)
{
    return m_controls ? cleanListText(cell, m_name) : trimmed(cell);
}

void DirectoryListReader::skip(int line, std::string_view reason)
{
    m_skipped.push_back({ line, reason });
}

std::string listShapeText(const DirectoryListReader& reader)
{
    switch (reader.shape()) {
    case ListShape::Lines:
        return "plain lines (an address, or a name and an address)";
    case ListShape::Json:
        return "a JSON list";
    case ListShape::Delimited:
        break;
    }
    const std::string separated = reader.separator() == '\t' ? "tab-separated"
        : reader.separator() == ';'                          ? "semicolon-separated"
                                                             : "comma-separated";
    return "a table of " + separated + " columns"
        + (reader.hasHeadings() ? " with a header row" : " without a header row");
}
