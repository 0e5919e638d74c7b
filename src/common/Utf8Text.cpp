#include "common/Utf8Text.h"

namespace {

bool isContinuation(unsigned char byte)
{
    return byte >= 0x80 && byte <= 0xBF;
}

bool isCharacter(char32_t code)
{
    return code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF);
}

} // namespace

std::size_t utf8SequenceLength(std::string_view text, std::size_t at)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[at + i]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80)
        return 1;
    // The second byte's range rules out overlong forms (E0, F0), surrogates (ED)
    // and values beyond U+10FFFF (F4) without decoding.
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (length > text.size() - at || byte(1) < low || byte(1) > high)
        return 0;
    for (std::size_t i = 2; i < length; ++i)
        if (!isContinuation(byte(i)))
            return 0;
    return length;
}

std::size_t utf8CharacterLength(std::string_view text, std::size_t at)
{
    const std::size_t length = utf8SequenceLength(text, at);
    return length == 0 ? 1 : length;
}

char32_t decodeUtf8(std::string_view text, std::size_t at, std::size_t& length)
{
    length = utf8SequenceLength(text, at);
    if (length == 0) {
        length = 1;
        return kReplacementCharacter;
    }
    const auto lead = static_cast<unsigned char>(text[at]);
    if (length == 1)
        return lead;
    // A lead byte of n bytes carries its value in the bits below its n + 1 marker bits.
    char32_t code = lead & (0xFFu >> (length + 1));
    for (std::size_t i = 1; i < length; ++i)
        code = (code << 6) | (static_cast<unsigned char>(text[at + i]) & 0x3F);
    return code;
}

void appendUtf8(std::string& out, char32_t code)
{
    if (!isCharacter(code))
        code = kReplacementCharacter;
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

bool isValidUtf8(std::string_view text)
{
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = utf8SequenceLength(text, at);
        if (length == 0)
            return false;
        at += length;
    }
    return true;
}

std::size_t utf8CharacterCount(std::string_view text)
{
    std::size_t count = 0;
    for (std::size_t at = 0; at < text.size(); at += utf8CharacterLength(text, at))
        ++count;
    return count;
}

std::string_view utf8Prefix(std::string_view text, std::size_t characters)
{
    std::size_t at = 0;
    for (; at < text.size() && characters > 0; --characters)
        at += utf8CharacterLength(text, at);
    return text.substr(0, at);
}

bool utf8Longer(std::string_view text, std::size_t characters)
{
    return utf8Prefix(text, characters).size() < text.size();
}
