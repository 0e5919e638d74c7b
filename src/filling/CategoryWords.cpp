#include "filling/CategoryWords.h"

#include "common/WideText.h"

#include <locale.h>
#include <wctype.h>

namespace {

constexpr std::string_view kBlanks = " \t\r\n\v\f";

std::string_view trimmed(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

// The Unicode case mapping of the C library, independent of the user's locale.
locale_t unicodeLocale()
{
    static const locale_t locale = newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t {});
    return locale;
}

// Decodes the UTF-8 sequence at `at`; its length, or 0 when the bytes there are
// not a well-formed sequence of two to four bytes.
std::size_t decodeUtf8(std::string_view text, std::size_t at, char32_t& code)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[at + i]); };
    const unsigned char lead = byte(0);
    const std::size_t length = lead >= 0xF0 && lead <= 0xF4 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
    if (length == 0 || lead >= 0xF5 || at + length > text.size())
        return 0;
    code = lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80)
            return 0;
        code = (code << 6) | (byte(i) & 0x3F);
    }
    const bool overlong = (length == 3 && code < 0x800) || (length == 4 && code < 0x10000);
    if (overlong || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return 0;
    return length;
}

char32_t lowerCode(char32_t code)
{
    const locale_t locale = unicodeLocale();
    if (locale == locale_t {})
        return code;
    const wint_t lower = towlower_l(static_cast<wint_t>(code), locale);
    return lower > 0x10FFFF ? code : static_cast<char32_t>(lower);
}

std::vector<std::string> lowerCaseEntries(std::string_view text)
{
    std::vector<std::string> words = listEntries(text);
    for (std::string& word : words)
        word = lowerCase(word);
    return words;
}

} // namespace

std::vector<std::string> listEntries(std::string_view text)
{
    std::vector<std::string> entries;
    while (true) {
        const std::size_t comma = text.find(',');
        const std::string_view piece = trimmed(text.substr(0, comma));
        if (!piece.empty())
            entries.emplace_back(piece);
        if (comma == std::string_view::npos)
            return entries;
        text.remove_prefix(comma + 1);
    }
}

std::vector<std::string> categoryWords(std::string_view categories)
{
    std::vector<std::string> words = lowerCaseEntries(categories);
    words.emplace_back(kAnyCategory);
    return words;
}

std::vector<std::string> subcategoryWords(std::string_view subcategories)
{
    return lowerCaseEntries(subcategories);
}

std::string lowerCase(std::string_view text)
{
    std::string lower;
    lower.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        const char c = text[at];
        if (static_cast<unsigned char>(c) < 0x80) {
            lower += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
            ++at;
            continue;
        }
        char32_t code = 0;
        const std::size_t length = decodeUtf8(text, at, code);
        if (length == 0) {
            lower += c;
            ++at;
            continue;
        }
        appendUtf8(lower, lowerCode(code));
        at += length;
    }
    return lower;
}
