#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The status line's texts of a download.

// A size for people: "512 bytes", "1.5 KB", "23.4 MB", "1.2 GB" (units of 1024).
std::string byteSizeText(std::int64_t bytes);

// "Downloading name: 45% of 2.3 MB", or "Downloading name: 1.2 MB" while the
// whole size is unknown (negative or 0).
std::string downloadProgressText(std::string_view name, std::int64_t received, std::int64_t total);

// "Downloaded name (2.3 MB) to /the/path".
std::string downloadDoneText(std::string_view name, std::int64_t bytes, std::string_view path);

// "The download of name failed: reason".
std::string downloadFailedText(std::string_view name, std::string_view reason);
