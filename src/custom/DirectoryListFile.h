#pragma once

#include "custom/DirectoryListReader.h"
#include "custom/ListFactsUpdate.h"
#include "custom/ListText.h"
#include "custom/ListedDirectory.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

class IMessageBox;

// What a directory list holds against the directories known already.
struct DirectoryListScan {
    std::vector<ListedDirectory> found; // the new directories, in list order, with unique names
    std::vector<ListedFacts> known; // the facts the list gives of directories known already
    int lineCount = 0; // rows that named a directory, known, new or named before
    int knownCount = 0; // of those, rows of a known directory's site
    int repeated = 0; // of those, rows of a site an earlier row named
    // How the list was read.
    ListShape listShape = ListShape::Lines;
    std::string shape; // listShapeText
    std::vector<ListColumn> columns;
    int rows = 0; // rows read, whether they named a directory or not
    std::vector<SkippedRow> skipped;
};

// Reads a list's text (as listTextOf gives it) against the known directories
// (name to address). The reader's problem when it is no list.
std::optional<DirectoryListScan> scanDirectoryList(
    const ListText& text, const std::map<std::string, std::string>& known, std::string& problem);

// A list file read without a word to the user, for showing what it holds.
struct DirectoryListRead {
    bool opened = false; // false: the file could not be opened or read
    std::string problem; // set when the file is no list: why
    std::optional<DirectoryListScan> scan;
};
DirectoryListRead readDirectoryListFile(
    const std::string& fileName, const std::map<std::string, std::string>& known);

// Reads a directory list file (CSV, TSV, JSON or plain lines, see
// DirectoryListReader) for an import against the known directories. An empty
// file name, a file that cannot be opened and one that is no list are reported
// through `messages` and give nothing.
std::optional<DirectoryListScan> scanDirectoryListFile(
    const std::string& fileName, const std::map<std::string, std::string>& known, IMessageBox& messages);
// The same report for a read done before.
std::optional<DirectoryListScan> reportedScan(DirectoryListRead read, IMessageBox& messages);

// What the import read, before anything is stored: the shape, the columns
// found, the number of rows, what is new and known, and the rows skipped with
// their line and reason (the first ten; the rest counted).
std::string listPreviewText(const DirectoryListScan& scan);

// The import's status line after reading a file: what was found and what happens next.
std::string importFoundText(const DirectoryListScan& scan);
// The import's status line once every new directory has been added.
std::string importDoneText(std::size_t added);
