#pragma once

#include <filesystem>
#include <optional>
#include <string>

// The folder that holds the user's files: the directory databases, the profiles,
// the style sheet and data/settings.xml. It is the program's own folder unless the
// command line (--data-dir) or the environment (VANTELO_DATA_DIR) names another.
class DataFolder {
public:
    explicit DataFolder(std::filesystem::path root);

    // The folder chosen by the command line, else the environment, else the
    // folder of the running program file.
    static DataFolder resolve(const std::optional<std::string>& commandLineFolder);

    const std::filesystem::path& root() const { return m_root; }

    std::filesystem::path mainDatabase() const { return m_root / "dirdata.xml"; }
    std::filesystem::path customDatabase() const { return m_root / "customdirdata.xml"; }
    std::filesystem::path profiles() const { return m_root / "sv.xml"; }
    std::filesystem::path oldProfiles() const { return m_root / "sv.dat"; }
    std::filesystem::path styleSheet() const { return m_root / "submission.xsl"; }
    std::filesystem::path settings() const { return m_root / "data" / "settings.xml"; }

private:
    std::filesystem::path m_root;
};

// The folder of the running program file (where the list checker and the shipped
// files sit).
std::filesystem::path programFolder();

// The environment variable that names a data folder.
inline constexpr const char* kDataFolderVariable = "VANTELO_DATA_DIR";
