#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <string>

class IMessageBox;

// The key/value settings of data/settings.xml, ordered by plain byte order of the
// keys. Keys the program does not use are kept and written back; a key may occur
// more than once, and the first entry of a key is the one read and replaced.
class SettingsStore {
public:
    using Entries = std::multimap<std::string, std::string>;

    explicit SettingsStore(IMessageBox& messages);

    // Reads the file; the entries are emptied first, whether it loads or not.
    bool LoadSettings(const std::filesystem::path& file);
    // The value of the first entry with the key, if there is one.
    std::optional<std::string> GetSetting(const std::string& key) const;
    // Replaces the first entry with the key, or adds one.
    void SetSetting(const std::string& key, const std::string& value);
    // Removes every entry with the key.
    void removeSetting(const std::string& key) { m_entries.erase(key); }
    // Writes every entry in key order, atomically; reports a failure and returns false.
    bool SaveSettings(const std::filesystem::path& file);

    const Entries& entries() const { return m_entries; }

private:
    IMessageBox& m_messages;
    Entries m_entries;
};
