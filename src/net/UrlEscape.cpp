#include "net/UrlEscape.h"

#include "common/Utf8Text.h"

namespace {

constexpr std::string_view kEscapedPunctuation = "^&`{}|][\"<>\\/?#;";
constexpr char kHexDigits[] = "0123456789ABCDEF";

bool needsEscape(unsigned char byte)
{
    return byte <= 0x20 || byte >= 0x7F
        || kEscapedPunctuation.find(static_cast<char>(byte)) != std::string_view::npos;
}

void appendEscaped(std::string& out, unsigned char byte)
{
    if (!needsEscape(byte)) {
        out += static_cast<char>(byte);
        return;
    }
    out += '%';
    out += kHexDigits[byte >> 4];
    out += kHexDigits[byte & 0x0F];
}

std::size_t escapedLength(unsigned char byte)
{
    return needsEscape(byte) ? 3 : 1;
}

} // namespace

std::optional<std::string> escapeUrlSegment(std::string_view text, std::size_t bufferSize)
{
    std::string escaped = escapeUrlSegmentPrefix(text, bufferSize);
    std::size_t needed = 0;
    for (const char c : text)
        needed += escapedLength(static_cast<unsigned char>(c));
    if (escaped.size() != needed)
        return std::nullopt;
    return escaped;
}

std::string escapeUrlSegmentPrefix(std::string_view text, std::size_t bufferSize)
{
    const std::size_t limit = bufferSize == 0 ? 0 : bufferSize - 1;
    std::string escaped;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = utf8CharacterLength(text, at);
        std::size_t grown = escaped.size();
        for (std::size_t i = at; i < at + length; ++i)
            grown += escapedLength(static_cast<unsigned char>(text[i]));
        if (grown > limit)
            break;
        for (std::size_t i = at; i < at + length; ++i)
            appendEscaped(escaped, static_cast<unsigned char>(text[i]));
        at += length;
    }
    return escaped;
}
