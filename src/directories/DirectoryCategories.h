#pragma once

#include <functional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

// The comma-separated category text of a directory, as the directory list and
// the custom directory dialogs read and write it.

// Categories in byte order; looked up by views without copying them.
using CategorySet = std::set<std::string, std::less<>>;

// The category of every directory the user added.
inline constexpr const char* kCustomCategory = "Custom";

// Visits the categories of a category text: trailing commas dropped, split at
// every comma, empty parts skipped; in text order.
template <typename Visit> void forEachCategory(std::string_view text, Visit visit)
{
    while (!text.empty() && text.back() == ',')
        text.remove_suffix(1);
    while (!text.empty()) {
        const std::size_t comma = text.find(',');
        if (const std::string_view part = text.substr(0, comma); !part.empty())
            visit(part);
        if (comma == std::string_view::npos)
            break;
        text.remove_prefix(comma + 1);
    }
}

// The categories of a category text, as forEachCategory visits them.
std::vector<std::string> splitCategories(std::string_view text);

// Whether a category text passes the category filter: an empty filter passes
// everything, otherwise the filter must be one of the comma-separated entries.
bool passesCategoryFilter(std::string_view text, std::string_view filter);

// The categories joined with "," in set order, without a trailing comma.
std::string joinCategories(const CategorySet& categories);

// The categories a custom directory's context menu offers.
struct CategoryChoices {
    std::vector<std::string> removable; // the directory's own, without "Custom"
    std::vector<std::string> addable; // the known categories the directory lacks
};

// What "Remove from category" and "Add to category" list for a directory's category text.
CategoryChoices categoryChoices(std::string_view text, const CategorySet& known);

// Whether a directory is one the user added (its categories hold "Custom").
bool isCustomDirectory(std::string_view text);
