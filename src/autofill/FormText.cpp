#include "autofill/FormText.h"

#include "common/TextCase.h"
#include "common/Utf8Text.h"

#include <locale.h>
#include <wctype.h>

namespace {

// The base letters of U+00E0 to U+00FF and of U+0100 to U+017F; '?' marks the
// few that fold to two letters or are no letters at all.
constexpr std::string_view kLatin1Lower = "aaaaaa?ceeeeiiiidnooooo?ouuuuy?y";
constexpr std::string_view kLatinExtendedA =
    "aaaaaaccccccccddddeeeeeeeeeegggggggghhhhiiiiiiiiii??jjkkkllllllllll"
    "nnnnnnnnnoooooo??rrrrrrssssssssttttttuuuuuuuuuuuuwwyyyzzzzzzs";

// Letters and digits of every script, whatever the user's locale.
locale_t unicodeLocale()
{
    static const locale_t locale = newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t {});
    return locale;
}

bool isWordCode(char32_t code)
{
    if (code < 0x80)
        return (code >= 'a' && code <= 'z') || (code >= 'A' && code <= 'Z') || (code >= '0' && code <= '9');
    const locale_t locale = unicodeLocale();
    return code != 0xFFFD && locale != locale_t {} && iswalnum_l(static_cast<wint_t>(code), locale);
}

bool isDigit(char32_t code)
{
    return code >= '0' && code <= '9';
}

bool isAsciiLower(char c)
{
    return c >= 'a' && c <= 'z';
}

bool isAsciiUpper(char c)
{
    return c >= 'A' && c <= 'Z';
}

// "metaKeywords" as "meta Keywords": where page code starts a word with a capital.
std::string splitCamelCase(std::string_view text)
{
    std::string split;
    split.reserve(text.size() + 8);
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (at > 0 && isAsciiUpper(text[at]) && isAsciiLower(text[at - 1]))
            split += ' ';
        split += text[at];
    }
    return split;
}

// Appends the accent-folded form of a small letter or digit.
void appendFolded(std::string& word, char32_t code)
{
    if (code < 0x80) {
        word += static_cast<char>(code);
        return;
    }
    if (code == 0xDF) {
        word += "ss";
    } else if (code == 0xE6) {
        word += "ae";
    } else if (code == 0xFE) {
        word += "th";
    } else if (code == 0x133) {
        word += "ij";
    } else if (code == 0x153) {
        word += "oe";
    } else if (code == 0x451) {
        appendUtf8(word, 0x435); // ё is written as е as often as not
    } else if (code >= 0xE0 && code <= 0xFF && kLatin1Lower[code - 0xE0] != '?') {
        word += kLatin1Lower[code - 0xE0];
    } else if (code >= 0x100 && code <= 0x17F && kLatinExtendedA[code - 0x100] != '?') {
        word += kLatinExtendedA[code - 0x100];
    } else if (code == 0x219 || code == 0x21B) {
        word += code == 0x219 ? 's' : 't';
    } else {
        appendUtf8(word, code);
    }
}

} // namespace

std::vector<std::string> textWords(std::string_view text, TextKind kind)
{
    const bool identifier = kind == TextKind::Identifier;
    const std::string lowered = lowerCase(identifier ? splitCamelCase(text) : std::string(text));
    std::vector<std::string> words;
    std::string word;
    bool previousDigit = false;
    const auto endWord = [&] {
        if (!word.empty())
            words.push_back(std::move(word));
        word.clear();
    };
    forEachUtf8Character(lowered, [&](const Utf8Character& character) {
        if (!isWordCode(character.code)) {
            endWord();
            return;
        }
        const bool digit = isDigit(character.code);
        if (identifier && !word.empty() && digit != previousDigit)
            endWord();
        appendFolded(word, character.code);
        previousDigit = digit;
    });
    endWord();
    return words;
}

std::string normalisedText(std::string_view text, TextKind kind)
{
    std::string joined;
    for (const std::string& word : textWords(text, kind)) {
        if (!joined.empty())
            joined += ' ';
        joined += word;
    }
    return joined;
}
