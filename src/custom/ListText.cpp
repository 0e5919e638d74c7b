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

bool looksBinary(std::string_view text)
{
    if (text.find('\0') != std::string_view::npos)
        return true;
    const std::string_view head = text.substr(0, kSniffedBytes);
    std::size_t controls = 0;
    for (const char c : head)
        controls += isControl(static_cast<unsigned char>(c)) ? 1 : 0;
    return controls * 1000 > head.size() * kControlsPerThousand;
}

// Whether the text is well-formed UTF-8. Lists are mostly ASCII, so eight bytes
// are looked at at once until one of them is not.
bool isUtf8Text(std::string_view text)
{
    constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;
    std::size_t at = 0;
    while (at < text.size()) {
        if (text.size() - at >= sizeof(std::uint64_t)) {
            std::uint64_t word = 0;
            std::memcpy(&word, text.data() + at, sizeof word);
            if ((word & kHighBits) == 0) {
                at += sizeof word;
                continue;
            }
        }
        const std::size_t length = utf8SequenceLength(text, at);
        if (length == 0)
            return false;
        at += length;
    }
    return true;
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

// At most kMaxListBytes + 1 bytes: enough to tell that a file is too large,
// and a device or pipe that never ends is read no further. A regular file is
// read in one go, its size and one byte more asked for.
std::optional<std::string> readBounded(const std::filesystem::path& file, std::size_t sizeHint)
{
    const std::unique_ptr<std::FILE, FileCloser> stream(std::fopen(file.c_str(), "rb"));
    if (!stream)
        return std::nullopt;
    std::string bytes;
    std::size_t chunk = std::min(sizeHint + 1, kMaxListBytes + 1);
    while (bytes.size() <= kMaxListBytes) {
        const std::size_t used = bytes.size();
        bytes.resize(used + chunk);
        const std::size_t read = std::fread(bytes.data() + used, 1, chunk, stream.get());
        bytes.resize(used + read);
        if (read < chunk)
            break;
        chunk = std::max<std::size_t>(chunk, 1 << 20);
    }
    if (std::ferror(stream.get()))
        return std::nullopt;
    return bytes;
}

} // namespace

ListText listTextOf(std::string bytes)
{
    if (bytes.size() > kMaxListBytes)
        return { {}, kTooLarge };
    const std::string_view view(bytes);
    if (view.starts_with("\xFF\xFE") || view.starts_with("\xFE\xFF"))
        bytes = utf8FromUtf16Bytes(view.substr(2), view[0] == '\xFE');
    else if (view.starts_with(kUtf8Mark))
        bytes.erase(0, kUtf8Mark.size());
    if (looksBinary(bytes))
        return { {}, kBinary };
    if (!isUtf8Text(bytes))
        bytes = utf8ByLine(bytes);
    return { std::move(bytes), {} };
}

std::optional<ListText> readListFile(const std::filesystem::path& file)
{
    std::error_code error;
    if (std::filesystem::is_directory(file, error))
        return std::nullopt;
    const std::uintmax_t size = std::filesystem::file_size(file, error);
    if (!error && size > kMaxListBytes)
        return ListText { {}, kTooLarge };
    std::optional<std::string> bytes = readBounded(file, error ? 0 : static_cast<std::size_t>(size));
    if (!bytes)
        return std::nullopt;
    return listTextOf(std::move(*bytes));
}
