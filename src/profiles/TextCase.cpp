#include "profiles/TextCase.h"

#include <cstddef>

namespace SendingProfile {

namespace {

// A byte outside a well-formed sequence becomes a lone surrogate, which no
// well-formed text decodes to, so malformed text still compares byte for byte.
char32_t strayByte(unsigned char byte)
{
    return 0xDC00 + byte;
}

// The next character of a UTF-8 text.
char32_t nextCharacter(std::string_view text, std::size_t& at)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    if (lead < 0x80) {
        ++at;
        return lead;
    }
    std::size_t length = 0;
    char32_t value = 0;
    if (lead >= 0xC0 && lead < 0xE0) {
        length = 2;
        value = lead & 0x1F;
    } else if (lead >= 0xE0 && lead < 0xF0) {
        length = 3;
        value = lead & 0x0F;
    } else if (lead >= 0xF0 && lead < 0xF8) {
        length = 4;
        value = lead & 0x07;
    }
    if (length == 0 || at + length > text.size())
        return strayByte(byte(at++));
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80)
            return strayByte(byte(at++));
        value = (value << 6) | (byte(at + i) & 0x3F);
    }
    at += length;
    return value;
}

bool inRange(char32_t c, char32_t first, char32_t last)
{
    return c >= first && c <= last;
}

// The small letter of a capital; every other character unchanged.
char32_t foldCase(char32_t c)
{
    if (inRange(c, U'A', U'Z') || (inRange(c, 0xC0, 0xDE) && c != 0xD7))
        return c + 0x20;
    // Latin Extended-A pairs its letters, capital first; the dotted and dotless
    // Turkish i have no partner of their own.
    if ((inRange(c, 0x100, 0x137) && c != 0x130 && c != 0x131) || inRange(c, 0x14A, 0x177))
        return c | 1;
    if (inRange(c, 0x139, 0x148) || inRange(c, 0x179, 0x17E))
        return (c & 1) ? c + 1 : c;
    if (c == 0x178)
        return 0xFF;
    // Greek, with the accented capitals and the final sigma.
    if ((inRange(c, 0x391, 0x3AB) && c != 0x3A2))
        return c + 0x20;
    if (c == 0x386)
        return 0x3AC;
    if (inRange(c, 0x388, 0x38A))
        return c + 0x25;
    if (c == 0x38C)
        return 0x3CC;
    if (inRange(c, 0x38E, 0x38F))
        return c + 0x3F;
    if (c == 0x3C2)
        return 0x3C3;
    // Cyrillic.
    if (inRange(c, 0x410, 0x42F))
        return c + 0x20;
    if (inRange(c, 0x400, 0x40F))
        return c + 0x50;
    return c;
}

} // namespace

bool equalsIgnoringCase(std::string_view a, std::string_view b)
{
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        if (foldCase(nextCharacter(a, i)) != foldCase(nextCharacter(b, j)))
            return false;
    }
    return i == a.size() && j == b.size();
}

} // namespace SendingProfile
