#include "filling/UploadFile.h"

#include "common/AtomicFile.h"
#include "common/TextCase.h"
#include "profiles/SiteProfile.h"

#include <algorithm>
#include <system_error>

namespace {

struct KnownType {
    std::string_view extension;
    std::string_view mimeType;
};
constexpr KnownType kKnownTypes[] = {
    { ".png", "image/png" },
    { ".jpg", "image/jpeg" },
    { ".jpeg", "image/jpeg" },
    { ".gif", "image/gif" },
    { ".webp", "image/webp" },
    { ".svg", "image/svg+xml" },
    { ".ico", "image/x-icon" },
    { ".bmp", "image/bmp" },
    { ".avif", "image/avif" },
    { ".pdf", "application/pdf" },
};
constexpr std::string_view kUnknownType = "application/octet-stream";
constexpr std::string_view kBase64Digits = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

} // namespace

bool uploadable(const std::filesystem::path& path)
{
    std::error_code error;
    if (path.empty() || !std::filesystem::is_regular_file(path, error))
        return false;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    return !error && size <= SendingProfile::kMaxProfileFileBytes;
}

std::optional<UploadFile> readUploadFile(const std::filesystem::path& path)
{
    if (!uploadable(path))
        return std::nullopt;
    std::optional<std::string> bytes = readFileBytes(path);
    // The file may have grown since it was looked at.
    if (!bytes || bytes->size() > SendingProfile::kMaxProfileFileBytes)
        return std::nullopt;
    return UploadFile { path.filename().string(), uploadMimeType(path), std::move(*bytes) };
}

std::string uploadMimeType(const std::filesystem::path& path)
{
    const std::string extension = lowerAscii(path.extension().string());
    for (const KnownType& known : kKnownTypes) {
        if (known.extension == extension)
            return std::string(known.mimeType);
    }
    return std::string(kUnknownType);
}

std::string base64Text(std::string_view bytes)
{
    std::string text;
    text.reserve((bytes.size() + 2) / 3 * 4);
    for (std::size_t at = 0; at < bytes.size(); at += 3) {
        const std::size_t count = std::min<std::size_t>(3, bytes.size() - at);
        std::uint32_t group = 0;
        for (std::size_t byte = 0; byte < 3; ++byte) {
            const std::uint32_t value = byte < count ? static_cast<unsigned char>(bytes[at + byte]) : 0;
            group = (group << 8) | value;
        }
        for (std::size_t digit = 0; digit < 4; ++digit)
            text += digit <= count ? kBase64Digits[(group >> (18 - 6 * digit)) & 0x3F] : '=';
    }
    return text;
}
