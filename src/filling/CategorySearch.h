#pragma once

#include "filling/IFormDocument.h"

#include <string>
#include <vector>

struct CategoryPosition;

// Chooses the next option of a category drop-down after the tab's last choice
// that belongs to the profile's categories: a subcategory option ("|_ ...") under
// a category that holds the category word (or under any category for "*") whose
// text holds the subcategory word. Moves through every (category word,
// subcategory word) pair; when two whole cycles find nothing, the next search
// starts again from the top. Both word lists must be in lower case and not empty.
// With the drop-down's option group labels (one per option, "" outside a group),
// an option in a group counts as a subcategory of the group's label.
void chooseCategoryOption(IFormDocument& document, ElementHandle select,
    const std::vector<std::string>& categoryWords, const std::vector<std::string>& subcategoryWords,
    CategoryPosition& position, const std::vector<std::string>* optionGroups = nullptr);
