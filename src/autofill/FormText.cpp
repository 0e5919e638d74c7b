#include "autofill/FormText.h"

#include "common/WideText.h"

#include <locale.h>
#include <wctype.h>

namespace {

// The base letters of U+00E0 to U+00FF and of U+0100 to U+017F; '?' marks the
// few that fold to two letters or are no letters at all.
constexpr std::string_view kLatin1Lower = "aaaaaa?ceeeeiiiidnooooo?ouuuuy?y";
constexpr std::string_view kLatinExtendedA =
    "aaaaaaccccccccddddeeeeeeeeeegggggggghhhhiiiiiiiiii??jjkkkllllllllll"
    "nnnnnnnnnoooooo??rrrrrrssssssssttttttuuuuuuuuuuuuwwyyyzzzzzzs";

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

bool isUpper(char32_t code)
{
    if (code < 0x80)
        return code >= 'A' && code <= 'Z';
    return lowerCode(code) != code;
}

// Appends the lower-case, accent-folded form of a letter or digit.
void appendFolded(std::string& word, char32_t code)
{
    if (code < 0x80) {
        word += static_cast<char>(code >= 'A' && code <= 'Z' ? code - 'A' + 'a' : code);
        return;
    }
    code = lowerCode(code);
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
    std::vector<std::string> words;
    std::string word;
    char32_t previous = 0;
    const auto endWord = [&] {
        if (!word.empty())
            words.push_back(std::move(word));
        word.clear();
    };
    for (std::size_t at = 0; at < text.size();) {
        std::size_t length = 1;
        const char32_t code = decodeUtf8(text, at, length);
        at += length;
        if (!isWordCode(code)) {
            endWord();
            previous = 0;
            continue;
        }
        if (kind == TextKind::Identifier && previous != 0) {
            const bool camel = isUpper(code) && !isUpper(previous) && !isDigit(previous);
            if (camel || isDigit(code) != isDigit(previous))
                endWord();
        }
        appendFolded(word, code);
        previous = code;
    }
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
