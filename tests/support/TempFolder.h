#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// A fresh folder under the system's temporary folder, removed with everything in
// it when the object goes away.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    std::filesystem::path path(std::string_view name) const { return m_path / name; }

    // Writes a file (folders on the way are made) and returns its path.
    std::filesystem::path write(std::string_view name, std::string_view bytes) const;
    // The bytes of a file; empty if it does not exist.
    std::string read(std::string_view name) const;
    bool exists(std::string_view name) const;
    // The names of the entries of the folder, sorted.
    std::vector<std::string> entries() const;

private:
    std::filesystem::path m_path;
};
