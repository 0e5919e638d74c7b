#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// Who may read a file that is written.
enum class FileAccess {
    KeepOrDefault, // keep the old file's permissions; a new file gets 0666 minus the umask at start-up
    OwnerOnly, // 0600: the file holds secrets such as passwords
};

// Why a write failed: the system's message ("Permission denied") and what was
// being done ("cannot create a temporary file in /some/folder").
struct FileWriteError {
    std::string message;
    std::string details;
};

// Writes bytes to a temporary file in the target's folder, flushes it to disk and
// renames it over the target, so that the target is always either the old or the
// new content, never a truncated mix. Returns the error on failure; the target is
// then untouched and no temporary file is left behind.
std::optional<FileWriteError> writeFileAtomically(const std::filesystem::path& target, std::string_view bytes,
    FileAccess access = FileAccess::KeepOrDefault);

// Reads a whole file; empty when it cannot be opened or read.
std::optional<std::string> readFileBytes(const std::filesystem::path& path);
// Reads a whole file of exactly `size` bytes into `bytes`, which has room for
// them. False when it cannot be read or no longer has that size.
bool readFileInto(const std::filesystem::path& path, char* bytes, std::size_t size);
