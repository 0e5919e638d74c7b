#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// UTF-8 as every part of the program reads it. A well-formed character is one of
// the sequences Unicode allows: no lead byte C0, C1 or F5 to FF, no overlong form,
// no surrogate (U+D800 to U+DFFF), nothing above U+10FFFF and no sequence cut short.
// Text is never refused for being malformed: each byte outside a well-formed
// character counts as one character of its own, and decodes to U+FFFD, so that
// counting, cutting and comparing still work on it and no byte is lost.

// The replacement character a malformed byte decodes to.
inline constexpr char32_t kReplacementCharacter = 0xFFFD;

// The length in bytes of the well-formed character that starts at `at` (below
// text.size()), or 0 when the bytes there do not form one.
std::size_t utf8SequenceLength(std::string_view text, std::size_t at);

// The length in bytes of the character at `at` (below text.size()): the
// well-formed character there, else the single malformed byte.
std::size_t utf8CharacterLength(std::string_view text, std::size_t at);

// The code point of the character at `at` (below text.size()) and its length in
// bytes; a malformed byte gives U+FFFD with length 1 (a U+FFFD written in the text
// has length 3).
char32_t decodeUtf8(std::string_view text, std::size_t at, std::size_t& length);

// One character of a text as it was read.
struct Utf8Character {
    char32_t code = 0; // U+FFFD for a malformed byte
    std::string_view bytes; // what it was read from: a well-formed sequence or one byte

    bool malformed() const { return code == kReplacementCharacter && bytes.size() == 1; }
};

// Calls visit(Utf8Character) for each character of a text, in order.
template <typename Visit> void forEachUtf8Character(std::string_view text, Visit&& visit)
{
    for (std::size_t at = 0; at < text.size();) {
        std::size_t length = 1;
        const char32_t code = decodeUtf8(text, at, length);
        visit(Utf8Character { code, text.substr(at, length) });
        at += length;
    }
}

// Appends the UTF-8 bytes of one code point; a surrogate or a value above U+10FFFF,
// which UTF-8 cannot carry, is written as U+FFFD.
void appendUtf8(std::string& out, char32_t code);

// Whether the text is well-formed UTF-8 throughout.
bool isValidUtf8(std::string_view text);

// The number of characters of a text.
std::size_t utf8CharacterCount(std::string_view text);

// The first `characters` characters of a text (the whole text when it is
// shorter); a character is never cut in two.
std::string_view utf8Prefix(std::string_view text, std::size_t characters);

// Whether a text has more than `characters` characters.
bool utf8Longer(std::string_view text, std::size_t characters);
