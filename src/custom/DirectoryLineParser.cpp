#include "custom/DirectoryLineParser.h"

#include "common/TextCase.h"
#include "common/TrimmedText.h"
#include "custom/DirectoryAddress.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <optional>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

constexpr std::size_t kNone = std::string_view::npos;

// The characters that decide how a line is read.
enum Mark : unsigned char {
    NoMark,
    Comma,
    Semicolon,
    Quote,
    Space,
    Dot,
    Slash,
    MarkCount,
};

constexpr char kCharOf[MarkCount] = { '\0', ',', ';', '"', ' ', '.', '/' };

#if !defined(__SSE2__)
constexpr std::array<unsigned char, 256> kMarkOf = [] {
    std::array<unsigned char, 256> marks {};
    for (unsigned char mark = Comma; mark < MarkCount; ++mark)
        marks[static_cast<unsigned char>(kCharOf[mark])] = mark;
    return marks;
}();
#endif

// Where the marks of a line are. The first 64 characters, where nearly every
// line ends, are looked at once and kept as one bit per character and mark;
// anything further is searched when asked for. Reading a list file is mostly
// this, so it compares sixteen characters at once where the processor can.
class LineMarks {
public:
    explicit LineMarks(std::string_view line)
        : m_line(line)
    {
        const std::size_t head = std::min(line.size(), kHead);
#if defined(__SSE2__)
        // Sixteen characters at a time, read where they lie; the last block of a
        // line overlaps the one before rather than reading past the line's end.
        std::size_t block = 0;
        for (; block + kBlock <= head; block += kBlock)
            addBlock(line.data() + block, block, 0);
        if (block < head && line.size() >= kBlock) {
            addBlock(line.data() + head - kBlock, head - kBlock, block - (head - kBlock));
        } else if (block < head) {
            char bytes[kBlock] = {};
            std::memcpy(bytes, line.data(), head);
            addBlock(bytes, 0, 0);
        }
#else
        for (std::size_t at = 0; at < head; ++at)
            m_masks[kMarkOf[static_cast<unsigned char>(line[at])]] |= std::uint64_t { 1 } << at;
#endif
    }

    // The first mark of a kind at or after a position; kNone when there is none.
    std::size_t first(Mark kind, std::size_t from) const
    {
        if (from < kHead) {
            const std::uint64_t after = m_masks[kind] & (~std::uint64_t { 0 } << from);
            if (after != 0)
                return static_cast<std::size_t>(std::countr_zero(after));
        }
        if (m_line.size() <= kHead)
            return kNone;
        return m_line.find(kCharOf[kind], std::max(from, kHead));
    }

    // Whether a part of the line holds a mark of a kind.
    bool contains(Mark kind, std::string_view part) const
    {
        const auto begin = static_cast<std::size_t>(part.data() - m_line.data());
        const std::size_t at = first(kind, begin);
        return at != kNone && at < begin + part.size();
    }

private:
    static constexpr std::size_t kHead = 64;
    static constexpr std::size_t kBlock = 16;

#if defined(__SSE2__)
    // Notes the marks of the sixteen characters at `bytes`, which stand at
    // `position` in the line, leaving out the first `skipped` (noted already).
    void addBlock(const char* bytes, std::size_t position, std::size_t skipped)
    {
        const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes));
        for (unsigned char mark = Comma; mark < MarkCount; ++mark) {
            const auto found =
                static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(chunk, _mm_set1_epi8(kCharOf[mark]))));
            m_masks[mark] |= static_cast<std::uint64_t>(found >> skipped << skipped) << position;
        }
    }
#endif

    std::string_view m_line;
    std::array<std::uint64_t, MarkCount> m_masks {};
};

// A field as read: its text and where reading goes on after it.
struct Field {
    std::string_view text;
    std::size_t next = 0;
    bool restOfLine = false; // unquoted and without a separator after it
};

// A field is quoted when a double quote comes before the first comma and the
// first semicolon, and no space comes before the first comma; a quoted field
// runs to the next double quote. An unquoted one ends at the first semicolon,
// else at the first comma, else at the end of the line.
// Inlined by force, as the next function: a list is mostly lines, and the calls
// would cost as much as the reading.
[[gnu::always_inline]] inline std::optional<Field> readField(
    std::string_view line, const LineMarks& marks, std::size_t from)
{
    const std::size_t comma = marks.first(Comma, from);
    const std::size_t semicolon = marks.first(Semicolon, from);
    const std::size_t quote = marks.first(Quote, from);
    const std::size_t space = marks.first(Space, from);
    const bool quoted = quote != kNone && (comma == kNone || quote < comma)
        && (semicolon == kNone || quote < semicolon) && (comma == kNone || space == kNone || comma < space);
    if (quoted) {
        const std::size_t close = marks.first(Quote, quote + 1);
        if (close == kNone)
            return std::nullopt;
        return Field { line.substr(quote + 1, close - quote - 1), close + 1 };
    }
    const std::size_t end = semicolon != kNone ? semicolon : comma;
    if (end == kNone)
        return Field { line.substr(from), line.size(), true };
    return Field { line.substr(from, end - from), end };
}

bool isSeparator(char c)
{
    return c == ' ' || c == ',' || c == ';' || c == '\t';
}

// Whether a text starts with a prefix written in lower case, its letters in
// any case. Most fields are names, which fail at the first letter.
[[gnu::always_inline]] inline bool startsWithLower(std::string_view text, std::string_view prefix)
{
    if (text.size() < prefix.size())
        return false;
    for (std::size_t at = 0; at < prefix.size(); ++at) {
        const char c = prefix[at] >= 'a' && prefix[at] <= 'z' ? static_cast<char>(text[at] | 0x20) : text[at];
        if (c != prefix[at])
            return false;
    }
    return true;
}

// How much a field of the line looks like an address.
[[gnu::always_inline]] inline int addressScore(const LineMarks& marks, std::string_view field)
{
    return (startsWithLower(field, "http://") ? 50 : 0) + (startsWithLower(field, "www.") ? 50 : 0)
        + (marks.contains(Dot, field) ? 10 : 0) + (marks.contains(Slash, field) ? 10 : 0);
}

// Where an address stands in a field of blank-separated words ("Name Two
// http://two.example.com/"): the word that starts with a scheme or "www.".
std::size_t addressWord(std::string_view field)
{
    for (std::size_t start = 0; start < field.size();) {
        const std::size_t end = std::min(field.find_first_of(" \t", start), field.size());
        const std::string_view word = field.substr(start, end - start);
        if (startsWithLower(word, "http://") || startsWithLower(word, "https://")
            || startsWithLower(word, "www."))
            return start;
        start = end + 1;
    }
    return kNone;
}

} // namespace

DirectoryLineParser::Result DirectoryLineParser::read(std::string_view line)
{
    const LineMarks marks(line);
    const std::optional<Field> first = readField(line, marks, 0);
    if (!first)
        return Result::Unclosed;
    std::string_view second;
    if (!first->restOfLine) {
        std::size_t start = first->next;
        while (start < line.size() && isSeparator(line[start]))
            ++start;
        const std::optional<Field> field = readField(line, marks, start);
        if (!field)
            return Result::Unclosed;
        second = trimmed(field->text);
    }
    const std::string_view firstText = trimmed(first->text);
    if (firstText.empty())
        return Result::Empty;
    if (second.empty()) {
        const bool blanks = marks.contains(Space, firstText)
            || std::memchr(firstText.data(), '\t', firstText.size()) != nullptr;
        return readSingleField(firstText, blanks);
    }
    const bool firstIsAddress = addressScore(marks, firstText) > addressScore(marks, second);
    if (!readListAddress(firstIsAddress ? firstText : second, m_address))
        return Result::NoAddress;
    m_name = firstIsAddress ? second : firstText;
    return Result::Directory;
}

// A field alone is an address, whose name is made from it; or, where it holds
// blanks, words of a name with an address among them ("Name http://x.com").
DirectoryLineParser::Result DirectoryLineParser::readSingleField(std::string_view field, bool blanks)
{
    if (const std::size_t at = blanks ? addressWord(field) : kNone; at != kNone) {
        const std::size_t end = std::min(field.find_first_of(" \t", at), field.size());
        const std::string_view before = trimmed(field.substr(0, at));
        const std::string_view after = trimmed(field.substr(end));
        if ((!before.empty() || !after.empty()) && readListAddress(field.substr(at, end - at), m_address)) {
            m_name = before.empty() ? after : before;
            return Result::Directory;
        }
    }
    if (!readListAddress(field, m_address))
        return Result::NoAddress;
    setNameFromAddress();
    // An address such as "http://.com" names nothing a list could show.
    return m_name.empty() ? Result::NoAddress : Result::Directory;
}

// The name the directory wizard would propose for the address.
void DirectoryLineParser::setNameFromAddress()
{
    m_madeName = proposedDirectoryName(m_address);
    m_name = m_madeName;
}
