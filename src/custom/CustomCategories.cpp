#include "custom/CustomCategories.h"

#include "common/TextCase.h"

#include <algorithm>

std::string customCategoryText(const std::vector<std::string>& categories)
{
    std::string text = kCustomCategory;
    for (const std::string& category : categories) {
        if (category != kCustomCategory)
            text += ',' + category;
    }
    return text;
}

std::string withListCategories(const std::string& categoryText, std::string_view listCategories)
{
    std::vector<std::string> categories;
    for (std::string_view rest = categoryText; !rest.empty();) {
        const std::size_t end = std::min(rest.find(','), rest.size());
        categories.emplace_back(rest.substr(0, end));
        rest.remove_prefix(std::min(end + 1, rest.size()));
    }
    std::string text = categoryText;
    while (!listCategories.empty()) {
        const std::size_t end = std::min(listCategories.find(','), listCategories.size());
        if (addCategoryEntry(categories, std::string(listCategories.substr(0, end))))
            text += (text.empty() ? "" : ",") + categories.back();
        listCategories.remove_prefix(std::min(end + 1, listCategories.size()));
    }
    return text;
}

bool addCategoryEntry(std::vector<std::string>& selected, const std::string& text)
{
    if (text.empty())
        return false;
    if (std::any_of(selected.begin(), selected.end(),
            [&](const std::string& entry) { return equalsNoCase(entry, text); }))
        return false;
    selected.push_back(text);
    return true;
}

int removeCategoryEntry(std::vector<std::string>& selected, int row)
{
    if (row < 0 || row >= static_cast<int>(selected.size()))
        return -1;
    selected.erase(selected.begin() + row);
    if (selected.empty())
        return -1;
    return std::max(row - 1, 0);
}
