#include "net/UrlEscape.h"

#include "common/Utf8Text.h"

namespace {

constexpr std::string_view kEscapedPunctuation = "^&`{}|][\"<>\\/?#;";
// What a form reader decodes besides the escapes of a segment.
constexpr std::string_view kEscapedInForms = "%+";
constexpr char kHexDigits[] = "0123456789ABCDEF";

// Which bytes are escaped: those of a URL segment, or those of a form value.
enum class Escaping {
    Segment, // escapeUrlSegment's set
    FormValue, // the segment's set and "%" and "+"
};

bool needsEscape(unsigned char byte, Escaping escaping)
{
    return byte <= 0x20 || byte >= 0x7F
        || kEscapedPunctuation.find(static_cast<char>(byte)) != std::string_view::npos
        || (escaping == Escaping::FormValue
            && kEscapedInForms.find(static_cast<char>(byte)) != std::string_view::npos);
}

void appendEscaped(std::string& out, unsigned char byte, Escaping escaping)
{
    if (!needsEscape(byte, escaping)) {
        out += static_cast<char>(byte);
        return;
    }
    out += '%';
    out += kHexDigits[byte >> 4];
    out += kHexDigits[byte & 0x0F];
}

std::size_t escapedLength(unsigned char byte, Escaping escaping)
{
    return needsEscape(byte, escaping) ? 3 : 1;
}

std::string escapePrefix(std::string_view text, std::size_t bufferSize, Escaping escaping)
{
    const std::size_t limit = bufferSize == 0 ? 0 : bufferSize - 1;
    std::string escaped;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = utf8CharacterLength(text, at);
        std::size_t grown = escaped.size();
        for (std::size_t i = at; i < at + length; ++i)
            grown += escapedLength(static_cast<unsigned char>(text[i]), escaping);
        if (grown > limit)
            break;
        for (std::size_t i = at; i < at + length; ++i)
            appendEscaped(escaped, static_cast<unsigned char>(text[i]), escaping);
        at += length;
    }
    return escaped;
}

std::optional<std::string> escapeWhole(std::string_view text, std::size_t bufferSize, Escaping escaping)
{
    std::string escaped = escapePrefix(text, bufferSize, escaping);
    std::size_t needed = 0;
    for (const char c : text)
        needed += escapedLength(static_cast<unsigned char>(c), escaping);
    if (escaped.size() != needed)
        return std::nullopt;
    return escaped;
}

} // namespace

std::optional<std::string> escapeUrlSegment(std::string_view text, std::size_t bufferSize)
{
    return escapeWhole(text, bufferSize, Escaping::Segment);
}

std::string escapeUrlSegmentPrefix(std::string_view text, std::size_t bufferSize)
{
    return escapePrefix(text, bufferSize, Escaping::Segment);
}

std::optional<std::string> escapeFormValue(std::string_view text, std::size_t bufferSize)
{
    return escapeWhole(text, bufferSize, Escaping::FormValue);
}

std::string escapeFormValuePrefix(std::string_view text, std::size_t bufferSize)
{
    return escapePrefix(text, bufferSize, Escaping::FormValue);
}
