#include "custom/ListLineReader.h"

#include "common/Windows1252.h"
#include "custom/ListedDirectory.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr std::size_t kBlockSize = 1 << 16;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool isContinuationByte(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// The bytes of a character that a cut split, at the end of a UTF-8 line, are
// dropped so that the rest still reads as UTF-8.
std::string_view withoutSplitCharacter(std::string_view line)
{
    std::size_t lead = line.size();
    while (lead > 0 && line.size() - lead < 4 && isContinuationByte(line[lead - 1]))
        --lead;
    if (lead == 0)
        return line;
    const auto first = static_cast<unsigned char>(line[lead - 1]);
    const std::size_t length = first >= 0xF0 ? 4 : first >= 0xE0 ? 3 : first >= 0xC0 ? 2 : 1;
    return line.size() - (lead - 1) < length ? line.substr(0, lead - 1) : line;
}

// At most `size` bytes of UTF-8 text, never ending inside a character.
std::string_view utf8Cut(std::string_view text, std::size_t size)
{
    if (text.size() <= size)
        return text;
    while (size > 0 && isContinuationByte(text[size]))
        --size;
    return text.substr(0, size);
}

} // namespace

ListLineReader::ListLineReader(std::FILE* file)
    : m_file(file)
    , m_buffer(kBlockSize)
{
}

std::optional<std::string_view> ListLineReader::next()
{
    bool pieced = false;
    m_pieced.clear();
    for (;;) {
        if (m_position == m_size && !fill())
            return pieced ? std::optional(lineEnd(m_pieced)) : std::nullopt;
        const char* start = m_buffer.data() + m_position;
        const std::size_t available = m_size - m_position;
        const auto* newline = static_cast<const char*>(std::memchr(start, '\n', available));
        const std::size_t length = newline ? static_cast<std::size_t>(newline - start) : available;
        m_position += length + (newline ? 1 : 0);
        if (newline && !pieced)
            return lineEnd(std::string_view(start, length));
        // Only the part of a long line that is looked at is kept.
        const std::size_t room = kMaxListLineLength + 1 - std::min(m_pieced.size(), kMaxListLineLength + 1);
        m_pieced.append(start, std::min(length, room));
        pieced = true;
        if (newline)
            return lineEnd(m_pieced);
    }
}

bool ListLineReader::fill()
{
    if (m_failed || !m_file)
        return false;
    m_position = 0;
    m_size = std::fread(m_buffer.data(), 1, m_buffer.size(), m_file);
    if (m_size == 0) {
        m_failed = std::ferror(m_file) != 0;
        return false;
    }
    if (!m_started) {
        m_started = true;
        if (std::string_view(m_buffer.data(), m_size).starts_with(kByteOrderMark))
            m_position = kByteOrderMark.size();
    }
    return true;
}

// The line without a carriage return before its line feed, cut to the length looked
// at, in UTF-8.
std::string_view ListLineReader::lineEnd(std::string_view line)
{
    if (line.ends_with('\r'))
        line.remove_suffix(1);
    if (line.size() > kMaxListLineLength)
        line = withoutSplitCharacter(line.substr(0, kMaxListLineLength));
    m_text = utf8FromUtf8OrWindows1252(line);
    // Windows-1252 text grows in UTF-8; the parser looks at no more than the limit.
    return utf8Cut(m_text, kMaxListLineLength);
}
