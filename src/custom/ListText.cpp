#include "custom/ListText.h"

#include "common/Utf8Text.h"
#include "common/WideText.h"
#include "common/Windows1252.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <system_error>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

constexpr const char* kTooLarge = "it is larger than 32 MB, far more than any directory list";
constexpr const char* kBinary = "it holds binary data, not a list of directories";
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
// How much of the text is looked at for control characters, and how many of
// them make it binary: text has a few at most (a form feed, a stray escape).
constexpr std::size_t kSniffedBytes = 64 << 10;
constexpr std::size_t kControlsPerThousand = 50;

std::string utf8FromUtf16Bytes(std::string_view bytes, bool bigEndian)
{
    std::u16string units(bytes.size() / 2, u'\0');
    for (std::size_t at = 0; at < units.size(); ++at) {
        const auto first = static_cast<unsigned char>(bytes[2 * at]);
        const auto second = static_cast<unsigned char>(bytes[2 * at + 1]);
        units[at] = static_cast<char16_t>(bigEndian ? (first << 8) | second : (second << 8) | first);
    }
    return utf8FromUtf16(units);
}

bool isControl(unsigned char byte)
{
    return (byte < 0x20 && byte != '\t' && byte != '\n' && byte != '\r' && byte != '\f' && byte != '\v')
        || byte == 0x7F;
}

// What one pass over the text saw.
struct TextScan {
    bool nul = false;
    bool utf8 = true;
    bool controls =
        false; // a C0 control but tab and line ends, DEL, or a byte C2 (which starts the C1 controls)
};

bool isNameControl(unsigned char byte)
{
    return (byte < 0x20 && byte != '\t' && byte != '\n' && byte != '\r') || byte == 0x7F || byte == 0xC2;
}

#if defined(__SSE2__)
// The bytes of sixteen that need a look: those not ASCII (negative as signed
// bytes, so below 0x20 too), C0 controls other than tab and line ends, DEL.
__m128i interesting(__m128i block)
{
    const __m128i lineBlanks = _mm_or_si128(
        _mm_or_si128(_mm_cmpeq_epi8(block, _mm_set1_epi8('\t')), _mm_cmpeq_epi8(block, _mm_set1_epi8('\n'))),
        _mm_cmpeq_epi8(block, _mm_set1_epi8('\r')));
    return _mm_or_si128(_mm_andnot_si128(lineBlanks, _mm_cmplt_epi8(block, _mm_set1_epi8(0x20))),
        _mm_cmpeq_epi8(block, _mm_set1_epi8(0x7F)));
}

// Where the next byte that needs a look is, from `at` on: sixty-four bytes are
// looked at at once while there are as many, then sixteen.
std::size_t nextInteresting(std::string_view text, std::size_t at)
{
    const auto load = [&](std::size_t offset) {
        return _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + offset));
    };
    for (; at + 64 <= text.size(); at += 64) {
        const __m128i any = _mm_or_si128(_mm_or_si128(interesting(load(at)), interesting(load(at + 16))),
            _mm_or_si128(interesting(load(at + 32)), interesting(load(at + 48))));
        if (_mm_movemask_epi8(any) != 0)
            break;
    }
    for (; at + 16 <= text.size(); at += 16) {
        if (const auto found = static_cast<unsigned>(_mm_movemask_epi8(interesting(load(at)))); found != 0)
            return at + static_cast<std::size_t>(__builtin_ctz(found));
    }
    return at;
}
#endif

// Looks at the whole text once: whether it holds NUL bytes, is well-formed
// UTF-8 and may hold control characters. Lists are mostly ASCII without any,
// so the bytes that need no look are passed over in blocks where the
// processor can.
TextScan scanText(std::string_view text)
{
    TextScan scan;
    std::size_t at = 0;
    while (at < text.size()) {
#if defined(__SSE2__)
        at = nextInteresting(text, at);
        if (at >= text.size())
            break;
#endif
        const auto byte = static_cast<unsigned char>(text[at]);
        scan.nul = scan.nul || byte == 0;
        scan.controls = scan.controls || isNameControl(byte);
        if (byte < 0x80) {
            ++at;
            continue;
        }
        const std::size_t length = utf8SequenceLength(text, at);
        scan.utf8 = scan.utf8 && length != 0;
        at += length == 0 ? 1 : length;
    }
    return scan;
}

bool mostlyControls(std::string_view text)
{
    const std::string_view head = text.substr(0, kSniffedBytes);
    std::size_t controls = 0;
    for (const char c : head)
        controls += isControl(static_cast<unsigned char>(c)) ? 1 : 0;
    return controls * 1000 > head.size() * kControlsPerThousand;
}

// Each line as UTF-8 when it is, else as Windows-1252: a list pieced together
// from several sources may hold both.
std::string utf8ByLine(std::string_view text)
{
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::string_view line = text.substr(0, end == std::string_view::npos ? text.size() : end + 1);
        out += utf8FromUtf8OrWindows1252(line);
        text.remove_prefix(line.size());
    }
    return out;
}

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

// A file's bytes, read into a buffer that is not cleared first: at most
// kMaxListBytes + 1 of them, enough to tell that a file is too large, so that a
// device or pipe that never ends is read no further. A regular file is read in
// one go, its size and one byte more asked for.
std::optional<std::pair<std::unique_ptr<char[]>, std::size_t>> readBounded(
    const std::filesystem::path& file, std::size_t sizeHint)
{
    const std::unique_ptr<std::FILE, FileCloser> stream(std::fopen(file.c_str(), "rb"));
    if (!stream)
        return std::nullopt;
    std::size_t capacity = std::min(sizeHint + 1, kMaxListBytes + 1);
    auto bytes = std::make_unique_for_overwrite<char[]>(capacity);
    std::size_t size = 0;
    while (size <= kMaxListBytes) {
        if (size == capacity) {
            const std::size_t larger =
                std::min(std::max<std::size_t>(capacity * 2, 1 << 20), kMaxListBytes + 1);
            auto grown = std::make_unique_for_overwrite<char[]>(larger);
            std::memcpy(grown.get(), bytes.get(), size);
            bytes = std::move(grown);
            capacity = larger;
        }
        const std::size_t read = std::fread(bytes.get() + size, 1, capacity - size, stream.get());
        size += read;
        if (read == 0)
            break;
    }
    if (std::ferror(stream.get()))
        return std::nullopt;
    return std::pair { std::move(bytes), size };
}

} // namespace

ListText::ListText(ListText&& other) noexcept
{
    *this = std::move(other);
}

ListText& ListText::operator=(ListText&& other) noexcept
{
    if (this == &other)
        return *this;
    const char* oldHome = other.m_buffer ? other.m_buffer.get() : other.m_owned.data();
    const std::size_t offset =
        other.m_text.empty() ? 0 : static_cast<std::size_t>(other.m_text.data() - oldHome);
    const std::size_t size = other.m_text.size();
    m_problem = std::move(other.m_problem);
    m_owned = std::move(other.m_owned);
    m_buffer = std::move(other.m_buffer);
    m_controls = other.m_controls;
    const char* home = m_buffer ? m_buffer.get() : m_owned.data();
    m_text = size == 0 ? std::string_view() : std::string_view(home + offset, size);
    other.m_text = {};
    return *this;
}

ListText ListText::refused(std::string problem)
{
    ListText text;
    text.m_problem = std::move(problem);
    return text;
}

void ListText::take(std::string bytes)
{
    m_owned = std::move(bytes);
    m_buffer.reset();
    m_text = m_owned;
    check();
}

void ListText::take(std::unique_ptr<char[]> bytes, std::size_t size)
{
    m_owned.clear();
    m_buffer = std::move(bytes);
    m_text = std::string_view(m_buffer.get(), size);
    check();
}

// Converts what is not UTF-8 and refuses what is no text.
void ListText::check()
{
    if (m_text.size() > kMaxListBytes) {
        *this = refused(kTooLarge);
        return;
    }
    if (m_text.starts_with("\xFF\xFE") || m_text.starts_with("\xFE\xFF")) {
        take(utf8FromUtf16Bytes(m_text.substr(2), m_text[0] == '\xFE'));
        return;
    }
    if (m_text.starts_with(kUtf8Mark))
        m_text.remove_prefix(kUtf8Mark.size());
    const TextScan scan = scanText(m_text);
    if (scan.nul || (scan.controls && mostlyControls(m_text))) {
        *this = refused(kBinary);
        return;
    }
    m_controls = scan.controls;
    if (!scan.utf8) {
        m_owned = utf8ByLine(m_text);
        m_buffer.reset();
        m_text = m_owned;
        m_controls = true;
    }
}

ListText listTextOf(std::string bytes)
{
    ListText text;
    text.take(std::move(bytes));
    return text;
}

std::optional<ListText> readListFile(const std::filesystem::path& file)
{
    std::error_code error;
    if (std::filesystem::is_directory(file, error))
        return std::nullopt;
    const std::uintmax_t size = std::filesystem::file_size(file, error);
    if (!error && size > kMaxListBytes)
        return ListText::refused(kTooLarge);
    auto bytes = readBounded(file, error ? 0 : static_cast<std::size_t>(size));
    if (!bytes)
        return std::nullopt;
    ListText text;
    text.take(std::move(bytes->first), bytes->second);
    return text;
}
