#pragma once

#include "directories/DirectoryStore.h"

#include <filesystem>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>

class IMessageBox;

// A directory database file opened by the command-line tools: its form (plain or
// scrambled) and root element name are taken from the file itself.
struct DatabaseFile {
    bool plain = true;
    std::string rootName;
};

// Detects the form the way the list checker does (a first byte "<" means plain)
// unless `plain` says it, and reads the root element name. Empty when the file
// cannot be read.
std::optional<DatabaseFile> inspectDatabaseFile(const std::filesystem::path& file, std::optional<bool> plain);

// Loads a database file into a store with the file's own root name; a usage
// error (exit code 2) when the file cannot be read.
std::unique_ptr<DirectoryStore> loadDatabaseFile(
    const std::filesystem::path& file, std::optional<bool> plain, IMessageBox& messages);

// Prints the latest revision, then every record, one JSON object per line.
void printDatabase(const DirectoryStore& store, std::ostream& out);
