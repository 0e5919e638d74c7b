#include "common/Windows1252.h"

#include "common/Utf8Text.h"

#include <algorithm>
#include <array>

namespace {

// The characters of bytes 0x80 to 0x9F, where the code page differs from Latin-1.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC,
    0x0081,
    0x201A,
    0x0192,
    0x201E,
    0x2026,
    0x2020,
    0x2021,
    0x02C6,
    0x2030,
    0x0160,
    0x2039,
    0x0152,
    0x008D,
    0x017D,
    0x008F,
    0x0090,
    0x2018,
    0x2019,
    0x201C,
    0x201D,
    0x2022,
    0x2013,
    0x2014,
    0x02DC,
    0x2122,
    0x0161,
    0x203A,
    0x0153,
    0x009D,
    0x017E,
    0x0178,
};

char32_t characterOf(unsigned char byte)
{
    return byte >= 0x80 && byte <= 0x9F ? kHighControls[byte - 0x80] : byte;
}

char byteOf(char32_t code)
{
    if (code < 0x80 || (code >= 0xA0 && code <= 0xFF))
        return static_cast<char>(code);
    const auto found = std::find(kHighControls.begin(), kHighControls.end(), code);
    if (found == kHighControls.end())
        return '?';
    return static_cast<char>(0x80 + (found - kHighControls.begin()));
}

} // namespace

std::string utf8FromWindows1252(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size() * 2);
    for (const char c : bytes)
        appendUtf8(out, characterOf(static_cast<unsigned char>(c)));
    return out;
}

std::string windows1252FromUtf8(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    forEachUtf8Character(text, [&out](const Utf8Character& character) {
        out += character.malformed() ? '?' : byteOf(character.code);
    });
    return out;
}

std::string utf8FromUtf8OrWindows1252(std::string_view line)
{
    if (isValidUtf8(line))
        return std::string(line);
    return utf8FromWindows1252(line);
}
