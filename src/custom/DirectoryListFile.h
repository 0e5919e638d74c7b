#pragma once

#include "custom/ListedDirectory.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

class IMessageBox;

// What a directory list file holds that is new.
struct DirectoryListScan {
    std::vector<ListedDirectory> found; // the new directories, in file order, with unique names
    int lineCount = 0; // lines that gave a directory, known or new
};

// Reads a directory list file (text or CSV, one directory per line, no header)
// for an import against the known directories (name to address). An empty file
// name or a file that cannot be opened is reported through `messages` and gives
// nothing; a read error is reported and gives what was read before it.
std::optional<DirectoryListScan> scanDirectoryListFile(
    const std::string& fileName, const std::map<std::string, std::string>& known, IMessageBox& messages);

// The import's status line after reading a file: what was found and what happens next.
std::string importFoundText(const DirectoryListScan& scan);
// The import's status line once every new directory has been added.
std::string importDoneText(std::size_t added);
