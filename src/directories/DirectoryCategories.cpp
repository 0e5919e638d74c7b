#include "directories/DirectoryCategories.h"

#include <algorithm>

std::vector<std::string> splitCategories(std::string_view text)
{
    std::vector<std::string> categories;
    forEachCategory(text, [&categories](std::string_view category) { categories.emplace_back(category); });
    return categories;
}

bool passesCategoryFilter(std::string_view text, std::string_view filter)
{
    if (filter.empty() || text == filter)
        return true;
    const std::string inner = "," + std::string(filter) + ",";
    return text.find(inner) != std::string_view::npos || text.starts_with(std::string_view(inner).substr(1))
        || text.ends_with(std::string_view(inner).substr(0, inner.size() - 1));
}

std::string joinCategories(const CategorySet& categories)
{
    std::string text;
    for (const std::string& category : categories) {
        if (!text.empty())
            text += ',';
        text += category;
    }
    return text;
}

CategoryChoices categoryChoices(std::string_view text, const CategorySet& known)
{
    const std::vector<std::string> split = splitCategories(text);
    const CategorySet own(split.begin(), split.end());
    CategoryChoices choices;
    for (const std::string& category : own) {
        if (category != kCustomCategory)
            choices.removable.push_back(category);
    }
    std::ranges::set_difference(known, own, std::back_inserter(choices.addable));
    return choices;
}

bool isCustomDirectory(std::string_view text)
{
    const std::vector<std::string> categories = splitCategories(text);
    return std::ranges::find(categories, kCustomCategory) != categories.end();
}
