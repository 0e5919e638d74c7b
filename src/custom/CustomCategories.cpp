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
