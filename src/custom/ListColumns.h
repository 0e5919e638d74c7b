#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// What a column of a directory list holds, as far as Vantelo takes it.
enum class ListColumnKind {
    Name, // the directory's name
    Address, // its address
    Category, // the list's category for it
    Rating, // a domain rating (DR, DA, authority)
    LinkType, // dofollow or nofollow
    Pricing, // free, freemium or paid
};

// One column of a list that the reader takes something from.
struct ListColumn {
    ListColumnKind kind = ListColumnKind::Name;
    std::size_t index = 0; // its position in each row
    std::string heading; // as the list names it; empty when the list names none
    bool byContent = false; // found by what its cells hold rather than by its name
    // For a column that answers yes or no ("Dofollow?", "Free"): what a yes stands for.
    std::string_view yesMeans;

    bool operator==(const ListColumn&) const = default;
};

// What a column's name says it holds, by the list words of the shipped word
// lists, in every language they have.
struct ColumnName {
    ListColumnKind kind = ListColumnKind::Name;
    bool weak = false; // a name such as "Website" that anything more definite overrides
    std::string_view yesMeans; // see ListColumn

    bool operator==(const ColumnName&) const = default;
};

// The kind a column's name names ("domain_rating", "Link Type", "Kategorie");
// none for a name the word lists do not know.
std::optional<ColumnName> recogniseColumnName(std::string_view heading);

// The columns of a list, from its headings (empty when it has none) and the
// cells of its first rows: a column named for a kind holds it; where the names
// say nothing, the column whose cells are mostly addresses is the address, the
// first other column of text the name, and columns of link types or prices are
// found by their values.
std::vector<ListColumn> chooseListColumns(
    const std::vector<std::string>& headings, const std::vector<std::vector<std::string>>& sample);

// How a kind is named to the user: "name", "address", "category", "rating",
// "link type", "pricing".
std::string_view columnKindText(ListColumnKind kind);
