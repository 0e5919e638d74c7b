#include "filling/CategoryWords.h"

#include "common/Utf8Text.h"

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
    forEachUtf8Character(text, [&lower](const Utf8Character& character) {
        const char c = character.bytes.front();
        if (character.code < 0x80)
            lower += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
        else if (character.malformed())
            lower += c; // kept as it is
        else
            appendUtf8(lower, lowerCode(character.code));
    });
    return lower;
}
