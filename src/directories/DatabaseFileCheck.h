#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// Whether a file holds a directory database, read as the programs read one: a
// first byte "<" means plain XML, anything else the scrambled form. The stores
// take a file that is no database as an empty one; the tools check first, so
// that they neither print nor write an empty database in its place.
struct DatabaseFileCheck {
    bool plain = true; // the form the file was read in
    std::string rootName; // the name of its root element; empty when it is no XML in that form
    std::string problem; // why it is no directory database, to follow its name; empty when it is one

    bool isDatabase() const { return problem.empty(); }
};

// The root elements of the main database (dirdata.xml) and the custom one (customdirdata.xml).
inline constexpr std::string_view kMainDatabaseRoot = "rf";
inline constexpr std::string_view kCustomDatabaseRoot = "customdirs";

// Checks the bytes of a file in the form `plain` names, or the form the first
// byte says when it names none.
DatabaseFileCheck checkDatabaseBytes(std::string_view bytes, std::optional<bool> plain);

// The same for a file; nothing when it cannot be read.
std::optional<DatabaseFileCheck> checkDatabaseFile(
    const std::filesystem::path& file, std::optional<bool> plain = std::nullopt);
