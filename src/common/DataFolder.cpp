#include "common/DataFolder.h"

#include <cstdlib>

DataFolder::DataFolder(std::filesystem::path root)
    : m_root(std::move(root))
{
}

DataFolder DataFolder::resolve(const std::optional<std::string>& commandLineFolder)
{
    if (commandLineFolder && !commandLineFolder->empty())
        return DataFolder(*commandLineFolder);
    if (const char* fromEnvironment = std::getenv(kDataFolderVariable); fromEnvironment && *fromEnvironment)
        return DataFolder(fromEnvironment);
    return DataFolder(programFolder());
}

std::filesystem::path programFolder()
{
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error)
        return std::filesystem::current_path();
    return program.parent_path();
}
