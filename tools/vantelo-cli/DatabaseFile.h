#pragma once

#include "directories/DirectoryStore.h"

#include <filesystem>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>

#include <nlohmann/json.hpp>

class IMessageBox;

// Loads a directory database file into a store with the file's own root
// ("rf" or "customdirs"), in the form `plain` names or else the form its first
// byte says. A file that cannot be read or is no directory database in that
// form is a CliFailure that names it.
std::unique_ptr<DirectoryStore> loadDatabaseFile(
    const std::filesystem::path& file, std::optional<bool> plain, IMessageBox& messages);

// The latest revision and every record, as text: a line per directory.
void printDatabase(const DirectoryStore& store, std::ostream& out);
// The same as one JSON document: {"latestrevision": N, "directories": [...]}.
nlohmann::ordered_json databaseJson(const DirectoryStore& store);
