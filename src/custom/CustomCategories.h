#pragma once

#include "directories/DirectoryCategories.h"

#include <string>
#include <string_view>
#include <vector>

// The category text of a custom directory: "Custom", then "," and each of the
// categories other than "Custom" (compared exactly), in the order given.
std::string customCategoryText(const std::vector<std::string>& categories);

// A category text with a list's categories (joined by ",") after those it
// has, each unless it is listed already in any letter case.
std::string withListCategories(const std::string& categoryText, std::string_view listCategories);

// Adds a text to a list of selected categories unless it is empty or listed
// already in any letter case; whether it was added.
bool addCategoryEntry(std::vector<std::string>& selected, const std::string& text);

// Removes a row; the row to select afterwards (the one before it, else the
// first), -1 when the list is empty afterwards or the row did not exist.
int removeCategoryEntry(std::vector<std::string>& selected, int row);
