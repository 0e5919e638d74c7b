#include "filling/CategoryWords.h"

#include "common/TextCase.h"
#include "common/TrimmedText.h"

namespace {

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
