#include "custom/DelimitedRecords.h"

#include <algorithm>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// The first of two characters from `at` on, or the end. Reading a list is
// mostly this, so it looks at sixteen characters at once where it can.
std::size_t findEither(std::string_view text, std::size_t at, char first, char second)
{
#if defined(__SSE2__)
    const __m128i wantFirst = _mm_set1_epi8(first);
    const __m128i wantSecond = _mm_set1_epi8(second);
    for (; at + 16 <= text.size(); at += 16) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + at));
        const auto found = static_cast<unsigned>(_mm_movemask_epi8(
            _mm_or_si128(_mm_cmpeq_epi8(block, wantFirst), _mm_cmpeq_epi8(block, wantSecond))));
        if (found != 0)
            return at + static_cast<std::size_t>(__builtin_ctz(found));
    }
#endif
    for (; at < text.size(); ++at) {
        if (text[at] == first || text[at] == second)
            return at;
    }
    return text.size();
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v';
}

} // namespace

DelimitedRecords::DelimitedRecords(std::string_view text, char separator)
    : m_text(text)
    , m_separator(separator)
{
}

DelimitedRecords::Outcome DelimitedRecords::next(std::vector<std::string_view>& cells)
{
    cells.clear();
    if (!skipBlankAndCommentLines())
        return Outcome::End;
    m_recordStart = m_at;
    m_recordLine = m_line;
    m_unescaped.clear();
    const Outcome outcome = readCells(cells);
    if (outcome != Outcome::Record)
        return refuse(outcome);
    return outcome;
}

// Moves to the start of the next line that holds a record; false at the end.
bool DelimitedRecords::skipBlankAndCommentLines()
{
    while (m_at < m_text.size()) {
        std::size_t first = m_at;
        // A tab is a separator of its own in tab-separated text, not a blank.
        while (first < m_text.size() && isBlank(m_text[first]) && m_text[first] != m_separator)
            ++first;
        if (first < m_text.size() && m_text[first] != '\n' && m_text[first] != '#')
            return true;
        const std::size_t end = m_text.find('\n', first);
        m_at = end == std::string_view::npos ? m_text.size() : end + 1;
        ++m_line;
    }
    return false;
}

// Most records are one line without quotes: one pass finds its separators and
// its end, sixteen characters at a time where the processor can; a quote
// hands the record to the reading of quoted cells.
DelimitedRecords::Outcome DelimitedRecords::readCells(std::vector<std::string_view>& cells)
{
    const char* text = m_text.data();
    std::size_t cellStart = m_at;
    std::size_t at = m_at;
    const auto cut = [&](std::size_t end) {
        cells.emplace_back(text + cellStart, end - cellStart);
        cellStart = end + 1;
    };
#if defined(__SSE2__)
    const __m128i separator = _mm_set1_epi8(m_separator);
    const __m128i newline = _mm_set1_epi8('\n');
    const __m128i quote = _mm_set1_epi8('"');
    for (; at + 16 <= m_text.size(); at += 16) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + at));
        auto separators = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(block, separator)));
        const auto stops = static_cast<unsigned>(
            _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(block, newline), _mm_cmpeq_epi8(block, quote))));
        const unsigned stop = stops == 0 ? 16 : static_cast<unsigned>(__builtin_ctz(stops));
        separators &= stop == 16 ? 0xFFFFu : (1u << stop) - 1;
        for (; separators != 0; separators &= separators - 1)
            cut(at + static_cast<std::size_t>(__builtin_ctz(separators)));
        if (stops != 0) {
            at += stop;
            break;
        }
        if (at + 16 - m_recordStart > kMaxListRecordBytes + 1)
            return Outcome::TooLong;
    }
#endif
    for (; at < m_text.size() && text[at] != '\n' && text[at] != '"'; ++at) {
        if (text[at] == m_separator)
            cut(at);
    }
    if (at < m_text.size() && text[at] == '"') {
        cells.clear();
        return readQuotedCells(cells);
    }
    std::size_t end = at;
    if (end > cellStart && text[end - 1] == '\r')
        --end;
    if (end - m_recordStart > kMaxListRecordBytes)
        return Outcome::TooLong;
    cells.emplace_back(text + cellStart, end - std::min(cellStart, end));
    m_at = at < m_text.size() ? at + 1 : at;
    m_line += at < m_text.size() ? 1 : 0;
    return Outcome::Record;
}

// A record whose quoted cells may hold separators, doubled quotes and line breaks.
DelimitedRecords::Outcome DelimitedRecords::readQuotedCells(std::vector<std::string_view>& cells)
{
    // Cells point into the unescaped text: it must never move while a record is read
    // (a copy of this reader has not inherited the room).
    m_unescaped.reserve(kMaxListRecordBytes + 2);
    // One byte more than a record may hold: the CR of a CRLF line end.
    const std::size_t reach = kMaxListRecordBytes + 1;
    std::size_t at = m_at;
    for (;;) {
        if (at - m_recordStart > reach)
            return Outcome::TooLong;
        std::string_view cell;
        if (at < m_text.size() && m_text[at] == '"') {
            const std::size_t open = at + 1;
            std::size_t close = open;
            bool doubled = false;
            // The closing quote is looked for no further than a record may run.
            const std::string_view reachable = m_text.substr(0, m_recordStart + reach);
            for (;;) {
                close = reachable.find('"', close);
                if (close == std::string_view::npos)
                    return reachable.size() < m_text.size() ? Outcome::TooLong : Outcome::Unclosed;
                if (close + 1 < m_text.size() && m_text[close + 1] == '"') {
                    doubled = true;
                    close += 2;
                    continue;
                }
                break;
            }
            m_line += static_cast<int>(std::count(m_text.begin() + static_cast<std::ptrdiff_t>(open),
                m_text.begin() + static_cast<std::ptrdiff_t>(close), '\n'));
            cell = m_text.substr(open, close - open);
            if (doubled) {
                const std::size_t start = m_unescaped.size();
                for (std::size_t i = 0; i < cell.size(); ++i) {
                    m_unescaped += cell[i];
                    if (cell[i] == '"')
                        ++i;
                }
                cell = std::string_view(m_unescaped).substr(start);
            }
            // Whatever stands between the closing quote and the separator is not part of the cell.
            at = findEither(m_text, close + 1, m_separator, '\n');
        } else {
            const std::size_t end = findEither(m_text, at, m_separator, '\n');
            cell = m_text.substr(at, end - at);
            at = end;
        }
        if (at - m_recordStart > reach)
            return Outcome::TooLong;
        if (at < m_text.size() && m_text[at] == m_separator) {
            cells.push_back(cell);
            ++at;
            continue;
        }
        // The record ends here, at a line end or the end of the text.
        const bool crlf = at > m_recordStart && m_text[at - 1] == '\r';
        if (at - (crlf ? 1 : 0) - m_recordStart > kMaxListRecordBytes)
            return Outcome::TooLong;
        if (cell.ends_with('\r'))
            cell.remove_suffix(1);
        cells.push_back(cell);
        m_at = at < m_text.size() ? at + 1 : at;
        if (at < m_text.size())
            ++m_line;
        return Outcome::Record;
    }
}

// Passes over a refused record: reading goes on at the line after its first.
DelimitedRecords::Outcome DelimitedRecords::refuse(Outcome outcome)
{
    const std::size_t end = m_text.find('\n', m_recordStart);
    m_at = end == std::string_view::npos ? m_text.size() : end + 1;
    m_line = m_recordLine + 1;
    return outcome;
}
