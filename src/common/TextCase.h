#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <type_traits>

// Letter case in the program's texts. URLs, schemes and the names the program
// matches are compared in ASCII case only; the profile's words are compared and
// lowered across alphabets. Texts are UTF-8 (see Utf8Text.h for malformed bytes).

// The small letter of an ASCII capital; every other byte unchanged.
inline char lowerAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// The text with its ASCII capitals made small; every other byte unchanged.
std::string lowerAscii(std::string_view text);

// Whether the text begins with an ASCII prefix, ASCII letters compared without
// regard to case; for 8-bit and 16-bit text alike.
template <typename Char> bool startsWithNoCase(std::basic_string_view<Char> text, std::string_view prefix)
{
    if (text.size() < prefix.size())
        return false;
    const auto lower = [](char32_t c) { return c >= U'A' && c <= U'Z' ? c - U'A' + U'a' : c; };
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        const auto unit = static_cast<std::make_unsigned_t<Char>>(text[i]);
        if (lower(unit) != lower(static_cast<unsigned char>(prefix[i])))
            return false;
    }
    return true;
}

inline bool startsWithNoCase(std::string_view text, std::string_view prefix)
{
    return startsWithNoCase<char>(text, prefix);
}

// Whether two texts are equal when ASCII letters are compared without regard to case.
bool equalsNoCase(std::string_view a, std::string_view b);

// Whether two texts are equal when letter case is ignored. Folds the letters of
// the Latin, Greek and Cyrillic alphabets, which covers every letter the older
// single-byte profile files could hold; other characters compare as they are, and
// a malformed byte equals only the same byte.
bool equalsIgnoringCase(std::string_view a, std::string_view b);

// The text in lower case by the C library's Unicode mapping, letters of every
// script, whatever the user's locale; malformed bytes stay as they are.
std::string lowerCase(std::string_view text);
