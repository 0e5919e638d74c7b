#include "common/FileLock.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

FileLock::FileLock(const std::filesystem::path& lockFile)
    : m_fd(::open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600))
{
    if (m_fd < 0)
        return;
    int result = 0;
    while ((result = ::flock(m_fd, LOCK_EX)) != 0 && errno == EINTR) { }
    if (result != 0) {
        ::close(m_fd);
        m_fd = -1;
    }
}

FileLock::~FileLock()
{
    // Closing the file releases the lock.
    if (m_fd >= 0)
        ::close(m_fd);
}

std::filesystem::path lockFileFor(const std::filesystem::path& file)
{
    std::string name = ".";
    name += file.filename().string();
    name += ".lock";
    return file.parent_path() / name;
}
