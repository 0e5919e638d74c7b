#include "browser/DownloadText.h"

#include <array>
#include <cstdio>

namespace {

constexpr std::array<const char*, 4> kUnits = { "KB", "MB", "GB", "TB" };
constexpr double kUnit = 1024.0;

} // namespace

std::string byteSizeText(std::int64_t bytes)
{
    if (bytes < 1024)
        return std::to_string(bytes < 0 ? 0 : bytes) + (bytes == 1 ? " byte" : " bytes");
    double size = static_cast<double>(bytes) / kUnit;
    std::size_t unit = 0;
    while (size >= kUnit && unit + 1 < kUnits.size()) {
        size /= kUnit;
        ++unit;
    }
    std::array<char, 32> text {};
    std::snprintf(text.data(), text.size(), "%.1f %s", size, kUnits[unit]);
    return text.data();
}

std::string downloadProgressText(std::string_view name, std::int64_t received, std::int64_t total)
{
    std::string text = "Downloading " + std::string(name) + ": ";
    if (total <= 0)
        return text + byteSizeText(received);
    const std::int64_t percent = received >= total ? 100 : received * 100 / total;
    return text + std::to_string(percent) + "% of " + byteSizeText(total);
}

std::string downloadDoneText(std::string_view name, std::int64_t bytes, std::string_view path)
{
    return "Downloaded " + std::string(name) + " (" + byteSizeText(bytes) + ") to " + std::string(path);
}

std::string downloadFailedText(std::string_view name, std::string_view reason)
{
    return "The download of " + std::string(name) + " failed: " + std::string(reason);
}
