#pragma once

#include <filesystem>

// An advisory lock (flock) on a lock file, held for as long as the object
// lives: writers of one file that take it write one after the other, across
// programs. The lock file is made owner-only when missing and stays behind.
class FileLock {
public:
    // Waits until the lock is free, then holds it. Where no lock file can be
    // made (a folder that cannot be written) nothing is held.
    explicit FileLock(const std::filesystem::path& lockFile);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    bool held() const { return m_fd >= 0; }

private:
    int m_fd = -1;
};

// The lock file that writers of a file take: beside it, hidden, its name
// followed by ".lock".
std::filesystem::path lockFileFor(const std::filesystem::path& file);
