#include "common/DataFolder.h"

#include "common/AtomicFile.h"

#include <cerrno>
#include <cstdlib>
#include <iostream>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// share/vantelo relative to an installed program's bin/.
const std::filesystem::path kInstalledShare = std::filesystem::path("..") / "share" / "vantelo";

std::filesystem::path installedShareFolder(const std::filesystem::path& program)
{
    return (program / kInstalledShare).lexically_normal();
}

bool isFolder(const std::filesystem::path& path)
{
    std::error_code error;
    return std::filesystem::is_directory(path, error);
}

ProgramPlacement runningProgramPlacement()
{
    ProgramPlacement placement;
    placement.programFolder = programFolder();
    placement.programFolderWritable = ::access(placement.programFolder.c_str(), W_OK) == 0;
    placement.installed = isFolder(installedShareFolder(placement.programFolder));
    return placement;
}

std::filesystem::path absoluteFolderFromVariable(const char* name)
{
    const char* value = std::getenv(name);
    if (!value || *value != '/')
        return {};
    return std::filesystem::path(value);
}

std::optional<std::string> copyShippedFile(const std::filesystem::path& from, const std::filesystem::path& to)
{
    const std::optional<std::string> bytes = readFileBytes(from);
    if (!bytes)
        return "cannot read " + from.string();
    std::error_code error;
    std::filesystem::create_directories(to.parent_path(), error);
    if (error)
        return "cannot create " + to.parent_path().string() + ": " + error.message();
    if (const std::optional<FileWriteError> failed = writeFileAtomically(to, *bytes))
        return "cannot write " + to.string() + ": " + failed->message;
    return std::nullopt;
}

// The folder that the command line, else the environment, names.
std::optional<std::filesystem::path> namedDataFolder(const std::optional<std::string>& commandLineFolder)
{
    if (commandLineFolder && !commandLineFolder->empty())
        return std::filesystem::path(*commandLineFolder);
    if (const char* fromEnvironment = std::getenv(kDataFolderVariable); fromEnvironment && *fromEnvironment)
        return std::filesystem::path(fromEnvironment);
    return std::nullopt;
}

} // namespace

// The data folder holds the profiles with their passwords: a folder made for
// it is its owner's alone.
std::error_code createPrivateFolder(const std::filesystem::path& folder)
{
    std::filesystem::path clean = folder.lexically_normal();
    if (!clean.has_filename())
        clean = clean.parent_path();
    std::error_code error;
    if (clean.has_parent_path())
        std::filesystem::create_directories(clean.parent_path(), error);
    if (error)
        return error;
    if (::mkdir(clean.c_str(), 0700) != 0 && (errno != EEXIST || !isFolder(clean)))
        return std::error_code(errno, std::generic_category());
    return {};
}

DataFolder::DataFolder(std::filesystem::path root)
    : m_root(std::move(root))
{
}

void DataFolder::protectSecrets() const
{
    std::error_code error;
    if (!std::filesystem::exists(profiles(), error) && !std::filesystem::exists(settings(), error))
        return;
    restrictFolderToOwner(m_root);
    restrictFolderToOwner(settings().parent_path());
}

bool restrictFolderToOwner(const std::filesystem::path& folder)
{
    struct stat status { };
    if (::stat(folder.c_str(), &status) != 0 || !S_ISDIR(status.st_mode) || status.st_uid != ::geteuid()
        || (status.st_mode & S_ISVTX) != 0)
        return false;
    if ((status.st_mode & 077) == 0)
        return true;
    return ::chmod(folder.c_str(), status.st_mode & 07700) == 0;
}

DataFolder DataFolder::resolve(
    const std::optional<std::string>& commandLineFolder, const std::string& program)
{
    if (std::optional<std::filesystem::path> named = namedDataFolder(commandLineFolder))
        return DataFolder(*named);
    const ProgramPlacement placement = runningProgramPlacement();
    const std::filesystem::path folder = defaultDataFolder(placement, userDataFolder());
    if (folder != placement.programFolder) {
        for (const std::string& problem : prepareUserDataFolder(folder, shippedFilesFolder()))
            std::cerr << program << ": " << problem << '\n';
    }
    return DataFolder(folder);
}

DataFolder DataFolder::resolveForProgram(
    const std::optional<std::string>& commandLineFolder, const std::filesystem::path& shippedFolder)
{
    std::optional<std::filesystem::path> named = namedDataFolder(commandLineFolder);
    if (!named)
        return resolve(commandLineFolder);
    for (const std::string& problem : prepareUserDataFolder(*named, shippedFolder))
        std::cerr << "vantelo: " << problem << '\n';
    return DataFolder(*named);
}

std::filesystem::path defaultDataFolder(
    const ProgramPlacement& placement, const std::filesystem::path& userFolder)
{
    if (userFolder.empty() || (placement.programFolderWritable && !placement.installed))
        return placement.programFolder;
    return userFolder;
}

std::filesystem::path userDataFolder()
{
    if (std::filesystem::path data = absoluteFolderFromVariable("XDG_DATA_HOME"); !data.empty())
        return data / "vantelo";
    if (std::filesystem::path home = absoluteFolderFromVariable("HOME"); !home.empty())
        return home / ".local" / "share" / "vantelo";
    return {};
}

std::filesystem::path programFolder()
{
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error)
        return std::filesystem::current_path();
    return program.parent_path();
}

std::filesystem::path shippedFilesFolder()
{
    const std::filesystem::path program = programFolder();
    const std::filesystem::path share = installedShareFolder(program);
    return isFolder(share) ? share : program;
}

std::vector<std::filesystem::path> shippedDataFiles()
{
    return { "dirdata.xml", "submission.xsl" };
}

std::vector<std::string> prepareUserDataFolder(
    const std::filesystem::path& folder, const std::filesystem::path& shippedFolder)
{
    std::vector<std::string> problems;
    std::error_code error = createPrivateFolder(folder);
    if (error) {
        problems.push_back("cannot create the data folder " + folder.string() + ": " + error.message());
        return problems;
    }
    for (const std::filesystem::path& file : shippedDataFiles()) {
        const std::filesystem::path target = folder / file;
        const std::filesystem::path source = shippedFolder / file;
        // A file the user has (an updated database, an edited style sheet) stays.
        if (std::filesystem::exists(target, error) || !std::filesystem::exists(source, error))
            continue;
        if (std::optional<std::string> problem = copyShippedFile(source, target))
            problems.push_back(*problem);
    }
    return problems;
}
