#include "common/AtomicFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace {

FileWriteError systemError(int error, std::string details)
{
    return FileWriteError { std::strerror(error), std::move(details) };
}

// The umask can only be read by setting it, and a file that another thread
// creates while it is 0 would be open to everyone. So it is read once, while
// the program starts and runs no other thread yet.
mode_t umaskAtStartUp()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

const mode_t g_umask = umaskAtStartUp();

mode_t modeForTarget(const std::filesystem::path& target, FileAccess access)
{
    if (access == FileAccess::OwnerOnly)
        return S_IRUSR | S_IWUSR;
    struct stat existing { };
    if (::stat(target.c_str(), &existing) == 0)
        return existing.st_mode & 07777;
    return 0666 & ~g_umask;
}

bool writeAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

void syncFolder(const std::filesystem::path& folder)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

std::optional<FileWriteError> writeFileAtomically(
    const std::filesystem::path& target, std::string_view bytes, FileAccess access)
{
    const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
    // Appended piece by piece: GCC 12 warns falsely (-Wrestrict) on "." + name + suffix.
    std::string hiddenName = ".";
    hiddenName += target.filename().string();
    hiddenName += ".XXXXXX";
    std::string pattern = (folder / hiddenName).string();
    const int fd = ::mkstemp(pattern.data());
    if (fd < 0)
        return systemError(errno, "cannot create a temporary file in " + folder.string());

    const std::string temporary = pattern;
    auto fail = [&](std::string details) {
        const int error = errno;
        ::close(fd);
        ::unlink(temporary.c_str());
        return systemError(error, std::move(details));
    };

    if (::fchmod(fd, modeForTarget(target, access)) != 0)
        return fail("cannot set the permissions of " + temporary);
    if (!writeAll(fd, bytes))
        return fail("cannot write " + temporary);
    if (::fsync(fd) != 0)
        return fail("cannot flush " + temporary);
    if (::close(fd) != 0) {
        const int error = errno;
        ::unlink(temporary.c_str());
        return systemError(error, "cannot close " + temporary);
    }
    if (::rename(temporary.c_str(), target.c_str()) != 0) {
        const int error = errno;
        ::unlink(temporary.c_str());
        return systemError(error, "cannot replace " + target.string());
    }
    syncFolder(folder);
    return std::nullopt;
}

bool readFileInto(const std::filesystem::path& path, char* bytes, std::size_t size)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    in.read(bytes, static_cast<std::streamsize>(size));
    return static_cast<std::size_t>(in.gcount()) == size && in.peek() == std::ifstream::traits_type::eof();
}

std::optional<std::string> readFileBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    // Read the size the file claims in one go, then whatever else is there
    // (a file that grows meanwhile, or one that reports no size).
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);
    std::string bytes(error ? 0 : static_cast<std::size_t>(size), '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    std::size_t used = static_cast<std::size_t>(in.gcount());
    constexpr std::size_t chunk = 1 << 16;
    while (in) {
        bytes.resize(used + chunk);
        in.read(bytes.data() + used, static_cast<std::streamsize>(chunk));
        used += static_cast<std::size_t>(in.gcount());
    }
    bytes.resize(used);
    if (in.bad())
        return std::nullopt;
    return bytes;
}
