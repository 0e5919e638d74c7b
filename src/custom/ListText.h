#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>

// The text of a directory list as its reader takes it: UTF-8 whatever the file
// was written in, or the reason why the bytes are no list at all.

// A longer file or download is refused before it is read: no directory list
// comes near this size, and reading it whole must stay cheap.
inline constexpr std::size_t kMaxListBytes = std::size_t { 32 } << 20;

struct ListText {
    std::string text; // UTF-8, without a byte order mark
    std::string problem; // why the bytes are no list ("it holds binary data, ..."); empty when they are
};

// The text of a list's bytes. UTF-8 is taken as it is, with or without a byte
// order mark; UTF-16 with a byte order mark (a spreadsheet's "Unicode text") is
// converted; a line that is not well-formed UTF-8 is read as Windows-1252, as
// older lists exported on Windows are. Bytes over kMaxListBytes, and binary
// data (NUL bytes, or mostly control characters), are refused.
ListText listTextOf(std::string bytes);

// The text of a list file; none when the file cannot be opened or read (a
// folder, a missing file). A file over kMaxListBytes is refused unread.
std::optional<ListText> readListFile(const std::filesystem::path& file);
