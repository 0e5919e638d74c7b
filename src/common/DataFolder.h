#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// The folder that holds the user's files: the directory databases, the profiles,
// the style sheet and data/settings.xml. It is the program's own folder unless the
// command line (--data-dir) or the environment (VANTELO_DATA_DIR) names another,
// or the program is installed or cannot write there; then it is the per-user
// folder, which starts with a copy of the shipped files.
class DataFolder {
public:
    explicit DataFolder(std::filesystem::path root);

    // The folder chosen by the command line, else the environment, else the
    // default of defaultDataFolder() for the running program. A per-user folder
    // is made ready first (see prepareUserDataFolder); what fails there is
    // printed on stderr after the program's name and surfaces again when a file
    // cannot be saved.
    static DataFolder resolve(
        const std::optional<std::string>& commandLineFolder, const std::string& program = "vantelo");
    // The main program's data folder: resolve()'s choice, where a folder that the
    // command line or the environment names is made ready as the per-user one is,
    // so that every data folder starts with the shipped files it lacks.
    static DataFolder resolveForProgram(
        const std::optional<std::string>& commandLineFolder, const std::filesystem::path& shippedFolder);

    const std::filesystem::path& root() const { return m_root; }

    std::filesystem::path mainDatabase() const { return m_root / "dirdata.xml"; }
    std::filesystem::path customDatabase() const { return m_root / "customdirdata.xml"; }
    std::filesystem::path profiles() const { return m_root / "sv.xml"; }
    std::filesystem::path oldProfiles() const { return m_root / "sv.dat"; }
    std::filesystem::path styleSheet() const { return m_root / "submission.xsl"; }
    std::filesystem::path settings() const { return m_root / "data" / "settings.xml"; }
    // The passwords and API keys when the session has no keyring (owner-only).
    std::filesystem::path secrets() const { return m_root / "data" / "secrets"; }
    // Which data folder the keyring's items belong to.
    std::filesystem::path keyringIdentity() const { return m_root / "data" / "keyring-id"; }
    // The embedded browser's cookies, site data, cache and zoom levels.
    std::filesystem::path browser() const { return m_root / "data" / "browser"; }

    // A folder that holds the profiles (sv.xml) or the settings is made its
    // owner's alone (0700), and so is its "data" folder: they hold passwords
    // and keys. Folders of others, and shared ones such as /tmp, are left as
    // they are.
    void protectSecrets() const;

private:
    std::filesystem::path m_root;
};

// Where the running program sits, as far as the choice of its data folder goes.
struct ProgramPlacement {
    std::filesystem::path programFolder;
    bool programFolderWritable = false;
    // An installed program (bin/ beside share/vantelo/) never keeps user files in bin/.
    bool installed = false;
};

// The data folder when neither the command line nor the environment names one:
// the program's folder for a build or a portable copy that can write there, else
// the per-user folder (the program's folder again when there is no per-user one).
std::filesystem::path defaultDataFolder(
    const ProgramPlacement& placement, const std::filesystem::path& userFolder);

// The per-user data folder: $XDG_DATA_HOME/vantelo, else $HOME/.local/share/vantelo;
// empty when neither variable names an absolute folder.
std::filesystem::path userDataFolder();

// The folder of the running program file (where the list checker sits).
std::filesystem::path programFolder();

// The folder of the files shipped with the program (dirdata.xml, submission.xsl,
// data/wait.gif, the demo site): share/vantelo beside an installed program's
// bin/, else the program's own folder.
std::filesystem::path shippedFilesFolder();

// The shipped files that a data folder starts with, relative to both folders.
std::vector<std::filesystem::path> shippedDataFiles();

// Makes the data folder and copies into it every shipped data file that it lacks;
// files already there are never replaced. Returns one line per problem.
std::vector<std::string> prepareUserDataFolder(
    const std::filesystem::path& folder, const std::filesystem::path& shippedFolder);

// Makes a folder, and those above it, for user files: one made here is readable
// by its owner only; one that exists keeps its permissions. An error when the
// folder cannot be made or a file of that name is in the way.
std::error_code createPrivateFolder(const std::filesystem::path& folder);

// Takes the group's and others' permissions from a folder of the user's own,
// unless it is a shared folder (sticky, as /tmp is); false when it cannot.
bool restrictFolderToOwner(const std::filesystem::path& folder);

// The environment variable that names a data folder.
inline constexpr const char* kDataFolderVariable = "VANTELO_DATA_DIR";
