#pragma once

#include "checker/IDirectoryEnumerator.h"
#include "common/AtomicFile.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

class IMessageBox;

namespace pugi {
class xml_document;
}

// The directory database the list checker works on: one XML document read from
// a plain or a scrambled file, and written back in the same form. Enumerators
// share the document, so one that a run still uses stays valid when another
// file is loaded.
class CDirectoryBackend {
public:
    CDirectoryBackend();
    ~CDirectoryBackend();
    CDirectoryBackend(const CDirectoryBackend&) = delete;
    CDirectoryBackend& operator=(const CDirectoryBackend&) = delete;

    // Reads a database: scrambled unless its first byte is "<". A file that
    // cannot be read or parsed is reported and leaves what was loaded before.
    bool LoadDatabase(const std::filesystem::path& file, IMessageBox& messages);

    bool isLoaded() const { return m_document != nullptr; }
    // Whether the loaded file was scrambled; it is saved the same way.
    bool isScrambled() const { return m_scrambled; }
    // The file loaded last.
    const std::filesystem::path& loadedPath() const { return m_path; }

    // A new enumerator over the directories as the document holds them now,
    // through which they can be changed; one without directories when nothing
    // is loaded.
    std::shared_ptr<IDirectoryEnumerator> CreateEnumerator();

    // The file's bytes for the document as it is now, in the form it was loaded in.
    std::string fileBytes() const;
    // Writes those bytes to a file, atomically.
    std::optional<FileWriteError> saveDatabase(const std::filesystem::path& file) const;

private:
    class CDirectoryEnumerator;

    std::shared_ptr<pugi::xml_document> m_document;
    bool m_scrambled = false;
    std::filesystem::path m_path;
};

// The load-status line for a database of this many directories.
std::string loadedStatusText(int count);
