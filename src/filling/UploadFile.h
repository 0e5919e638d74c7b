#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// A file of the profile (its logo, a screenshot) as a page receives it through a
// file input: the file's name, its type and its bytes.
struct UploadFile {
    std::string name;
    std::string mimeType;
    std::string bytes;
};

// Whether the path names a regular file of at most kMaxProfileFileBytes.
bool uploadable(const std::filesystem::path& path);
// The file read for a page; nothing when it is missing, unreadable or too large.
std::optional<UploadFile> readUploadFile(const std::filesystem::path& path);
// The type a browser gives a file of this name ("image/png"), from its extension.
std::string uploadMimeType(const std::filesystem::path& path);
// The bytes in base64, as a page script decodes them with atob().
std::string base64Text(std::string_view bytes);
