#include "common/TextCase.h"

#include "common/Utf8Text.h"

#include <algorithm>
#include <locale.h>
#include <wctype.h>

namespace {

bool inRange(char32_t c, char32_t first, char32_t last)
{
    return c >= first && c <= last;
}

// The next character of a text. A malformed byte becomes a lone surrogate, which no
// well-formed text decodes to, so that malformed text still compares byte for byte.
char32_t nextCharacter(std::string_view text, std::size_t& at)
{
    std::size_t length = 1;
    const char32_t code = decodeUtf8(text, at, length);
    const Utf8Character character { code, text.substr(at, length) };
    at += length;
    return character.malformed() ? 0xDC00 + static_cast<unsigned char>(character.bytes.front())
                                 : character.code;
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

// The Unicode case mapping of the C library, independent of the user's locale.
locale_t unicodeLocale()
{
    static const locale_t locale = newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t {});
    return locale;
}

char32_t lowerCode(char32_t code)
{
    const locale_t locale = unicodeLocale();
    if (locale == locale_t {})
        return code;
    const wint_t lower = towlower_l(static_cast<wint_t>(code), locale);
    return lower > 0x10FFFF ? code : static_cast<char32_t>(lower);
}

} // namespace

std::string lowerAscii(std::string_view text)
{
    std::string lower(text);
    for (char& c : lower)
        c = lowerAscii(c);
    return lower;
}

bool equalsNoCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
        return lowerAscii(x) == lowerAscii(y);
    });
}

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

std::string lowerCase(std::string_view text)
{
    std::string lower;
    lower.reserve(text.size());
    forEachUtf8Character(text, [&lower](const Utf8Character& character) {
        if (character.code < 0x80 || character.malformed())
            lower += lowerAscii(character.bytes.front()); // ASCII, or a malformed byte kept as it is
        else
            appendUtf8(lower, lowerCode(character.code));
    });
    return lower;
}
