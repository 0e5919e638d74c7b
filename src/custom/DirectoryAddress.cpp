#include "custom/DirectoryAddress.h"

#include "common/TextCase.h"
#include "common/TrimmedText.h"
#include "common/Utf8Text.h"
#include "directories/HostKey.h"

#include <algorithm>
#include <array>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#include <vector>

namespace {

constexpr std::string_view kHttp = "http://";
constexpr std::string_view kHttps = "https://";
constexpr std::string_view kWww = "www.";
// What sites put between the parts of their titles.
constexpr std::string_view kTitleSeparators[] = { " | ", " - ", " :: ", " \xE2\x80\x93 ", " \xE2\x80\x94 ",
    " \xC2\xBB ", " \xC2\xAB ", " / ", ": " };
// A longer name is cut: it is a sentence, not a name.
constexpr std::size_t kMaxTitleName = 60;

std::string_view trimmedTitle(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::vector<std::string_view> titlePieces(std::string_view title)
{
    std::vector<std::string_view> pieces;
    while (!title.empty()) {
        std::size_t cut = std::string_view::npos;
        std::size_t length = 0;
        for (const std::string_view separator : kTitleSeparators) {
            const std::size_t at = title.find(separator);
            if (at < cut) {
                cut = at;
                length = separator.size();
            }
        }
        if (const std::string_view piece = trimmedTitle(title.substr(0, cut)); !piece.empty())
            pieces.push_back(piece);
        if (cut == std::string_view::npos)
            break;
        title.remove_prefix(cut + length);
    }
    return pieces;
}

// What a character of an address's host part may be; lists are read by the
// hundred thousand lines, so the host is looked at once, through a table that
// also gives each character in lower case.
enum HostClass : unsigned char {
    NotInHost,
    HostCharacter, // letters, digits, "-", "_", and bytes of non-ASCII names
    Dot,
    Colon,
    HostEnd, // "/", "?", "#"
};

struct HostByte {
    unsigned char kind = NotInHost;
    char lower = 0;
};

constexpr std::array<HostByte, 256> kHostBytes = [] {
    std::array<HostByte, 256> bytes {};
    for (int c = 0; c < 256; ++c) {
        const bool letterOrDigit = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
        bytes[static_cast<std::size_t>(c)] = {
            letterOrDigit || c == '-' || c == '_' || c >= 0x80 ? HostCharacter : NotInHost,
            static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c)
        };
    }
    bytes['.'].kind = Dot;
    bytes[':'].kind = Colon;
    for (const char c : { '/', '?', '#' })
        bytes[static_cast<unsigned char>(c)].kind = HostEnd;
    return bytes;
}();

// "http://" or "https://" (the constant) when the text starts with it in any
// letter case, else empty.
std::string_view schemeOf(std::string_view text)
{
    const auto letter = [&](std::size_t at, char lower) { return (text[at] | 0x20) == lower; };
    if (text.size() < kHttp.size() || !letter(0, 'h') || !letter(1, 't') || !letter(2, 't')
        || !letter(3, 'p'))
        return {};
    if (text.substr(4, 3) == "://")
        return kHttp;
    if (text.size() >= kHttps.size() && letter(4, 's') && text.substr(5, 3) == "://")
        return kHttps;
    return {};
}

bool allDigits(std::string_view text)
{
    return !text.empty()
        && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

#if defined(__SSE2__)
// What sixteen bytes of a host hold, one bit a byte: where the host ends
// ("/", "?", "#"), dots, and anything that needs a closer look (a colon, a
// character no host has).
struct HostBlock {
    unsigned end = 0;
    unsigned dots = 0;
    unsigned other = 0;
};

// Reads sixteen bytes of a host and writes them to `out` in lower case.
HostBlock hostBlock(const char* text, char* out)
{
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text));
    const auto between = [&](__m128i value, char low, char high) {
        return _mm_and_si128(_mm_cmpgt_epi8(value, _mm_set1_epi8(static_cast<char>(low - 1))),
            _mm_cmplt_epi8(value, _mm_set1_epi8(static_cast<char>(high + 1))));
    };
    const auto equal = [&](char c) { return _mm_cmpeq_epi8(bytes, _mm_set1_epi8(c)); };
    const __m128i lower = _mm_add_epi8(bytes, _mm_and_si128(between(bytes, 'A', 'Z'), _mm_set1_epi8(0x20)));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out), lower);
    const __m128i dots = equal('.');
    const __m128i ends = _mm_or_si128(_mm_or_si128(equal('/'), equal('?')), equal('#'));
    // Signed bytes below zero are those of non-ASCII names.
    const __m128i plain = _mm_or_si128(_mm_or_si128(between(lower, 'a', 'z'), between(bytes, '0', '9')),
        _mm_or_si128(_mm_or_si128(equal('-'), equal('_')), _mm_cmplt_epi8(bytes, _mm_setzero_si128())));
    const auto mask = [](__m128i value) { return static_cast<unsigned>(_mm_movemask_epi8(value)); };
    return { mask(ends), mask(dots), ~mask(_mm_or_si128(_mm_or_si128(plain, dots), ends)) & 0xFFFFu };
}
#endif

// Copies the host (with its port) of an address without its scheme to `out`
// in lower case and says where it ends; npos when it is no host: a host has no
// blanks or other odd characters, its port is digits, and a text such as
// "mailto:x" or "ftp://x" names another scheme. `out` has room for the text.
std::size_t copyHost(std::string_view text, bool schemeGiven, char* out)
{
    if (schemeGiven && text.starts_with('[')) {
        const std::size_t close = text.find(']');
        if (close == std::string_view::npos || close < 2)
            return std::string_view::npos;
        std::size_t end = close + 1;
        if (end < text.size() && text[end] == ':') {
            while (++end < text.size() && text[end] >= '0' && text[end] <= '9') { }
        }
        if (end < text.size() && kHostBytes[static_cast<unsigned char>(text[end])].kind != HostEnd)
            return std::string_view::npos;
        std::memcpy(out, text.data(), end);
        return end;
    }
    std::size_t colon = std::string_view::npos;
    bool dot = false;
    std::size_t end = 0;
#if defined(__SSE2__)
    // Sixteen bytes at once while they hold only letters, digits and dots; the
    // loop below takes over at anything else, a port or an odd character.
    for (; end + 16 <= text.size(); end += 16) {
        const HostBlock block = hostBlock(text.data() + end, out + end);
        const unsigned host = block.end == 0 ? 0xFFFF : (1u << __builtin_ctz(block.end)) - 1;
        if ((block.other & host) != 0)
            break;
        const unsigned dots = block.dots & host;
        const bool dotBefore = end > 0 && text[end - 1] == '.';
        if ((dots & (dots >> 1)) != 0 || ((dots & 1) != 0 && (end == 0 || dotBefore)))
            return std::string_view::npos;
        dot = dot || dots != 0;
        if (block.end != 0) {
            end += static_cast<std::size_t>(__builtin_ctz(block.end));
            return text.front() == '-' || end == 0 || (!schemeGiven && !dot) ? std::string_view::npos : end;
        }
    }
#endif
    for (; end < text.size(); ++end) {
        const HostByte byte = kHostBytes[static_cast<unsigned char>(text[end])];
        out[end] = byte.lower;
        const unsigned char kind = byte.kind;
        if (kind == HostCharacter)
            continue;
        if (kind == HostEnd)
            break;
        if (kind == NotInHost || (kind == Colon && colon != std::string_view::npos))
            return std::string_view::npos;
        if (kind == Colon) {
            colon = end;
        } else if (colon == std::string_view::npos) {
            // A dot: no empty label, so not first and not two in a row.
            if (end == 0 || text[end - 1] == '.')
                return std::string_view::npos;
            dot = true;
        }
    }
    const std::size_t nameEnd = std::min(colon, end);
    if (nameEnd == 0 || text.front() == '-')
        return std::string_view::npos;
    if (colon != std::string_view::npos
        && (!allDigits(text.substr(colon + 1, end - colon - 1)) || end - colon > 6))
        return std::string_view::npos;
    return schemeGiven || dot ? end : std::string_view::npos;
}

} // namespace

std::string withHttpScheme(std::string address)
{
    if (address.starts_with(kHttp) || address.starts_with(kHttps))
        return address;
    return std::string(kHttp) + address;
}

std::string proposedDirectoryName(std::string_view address)
{
    std::string name(proposedNamePart(address));
    if (!name.empty() && name.front() >= 'a' && name.front() <= 'z')
        name.front() = static_cast<char>(name.front() - 'a' + 'A');
    return name;
}

std::string proposedNameFromTitle(std::string_view title, std::string_view address)
{
    const std::vector<std::string_view> pieces = titlePieces(title);
    if (pieces.empty())
        return proposedDirectoryName(address);
    const std::string word = lowerAscii(proposedNamePart(address));
    std::string_view chosen = pieces.front();
    for (const std::string_view piece : pieces) {
        if (!word.empty() && lowerAscii(piece).find(word) != std::string::npos) {
            chosen = piece;
            break;
        }
    }
    return std::string(trimmedTitle(utf8Prefix(chosen, kMaxTitleName)));
}

std::string_view proposedNamePart(std::string_view address)
{
    if (startsWithNoCase(address, kHttp))
        address.remove_prefix(kHttp.size());
    else if (startsWithNoCase(address, kHttps))
        address.remove_prefix(kHttps.size());
    if (startsWithNoCase(address, kWww))
        address.remove_prefix(kWww.size());
    return address.substr(0, address.find('.'));
}

std::string siteKey(std::string_view address)
{
    if (!address.starts_with(kHttps))
        return hostKey(address);
    address.remove_prefix(kHttps.size());
    return hostKey(std::string(kHttp) + std::string(address));
}

bool readListAddress(std::string_view text, std::string& address)
{
    text = trimmed(text);
    while (!text.empty() && (text.back() == ',' || text.back() == ';'))
        text = trimmed(text.substr(0, text.size() - 1));
    const std::string_view scheme = schemeOf(text);
    text.remove_prefix(scheme.size());
    if (scheme.empty() && text.starts_with("//"))
        text.remove_prefix(2);
    // The scheme is one of the constants, already in lower case; the string
    // keeps its room from one address to the next.
    const std::string_view written = scheme.empty() ? kHttps : scheme;
    address.resize(written.size() + text.size());
    char* out = address.data();
    std::memcpy(out, written.data(), written.size());
    out += written.size();
    const std::size_t end = copyHost(text, !scheme.empty(), out);
    if (end == std::string_view::npos)
        return false;
    std::memcpy(out + end, text.data() + end, text.size() - end);
    return true;
}

std::string listSiteKey(std::string_view address)
{
    if (const std::size_t scheme = address.find("://"); scheme != std::string_view::npos)
        address.remove_prefix(scheme + 3);
    if (startsWithNoCase(address, kWww))
        address.remove_prefix(kWww.size());
    return lowerAscii(address.substr(0, address.find_first_of("/?#")));
}
