#pragma once

#include <cstdint>
#include <ctime>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

class DataFolder;

// One directory list followed at its address.
struct FollowedList {
    // A site its last good copy lists.
    struct Site {
        std::string key; // listSiteKey
        bool own = false; // the list brought that directory in

        bool operator==(const Site&) const = default;
    };

    std::string url;
    std::string etag; // of the last good copy, for a conditional request
    std::string lastModified; // likewise
    std::time_t updated = 0; // when it was last read or found unchanged; 0 before its first good copy
    std::vector<Site> sites;

    bool operator==(const FollowedList&) const = default;
};

// The directory lists the user follows, kept in data/lists.xml of the data
// folder: each list's address, the validators of its last good copy, and the
// sites that copy lists, so that an update can tell which directories left it.
// The last good copy itself is kept beside it in data/lists/. Both are written
// atomically and readable by their owner only.
class FollowedLists {
public:
    // The suggested public list, added only when the user asks for it.
    static constexpr const char* kSuggestedUrl =
        "https://raw.githubusercontent.com/volodstaimi/Startup-Launch-List/main/data/directories.csv";
    static constexpr const char* kSuggestedName = "Startup Launch List";
    static constexpr const char* kSuggestedLicence = "MIT";

    explicit FollowedLists(const DataFolder& folder);

    // Reads data/lists.xml; a missing file follows no list. False, with the
    // problem, when the file is there but cannot be read.
    bool load(std::string& problem);
    // Writes data/lists.xml and the copies kept since the last save; false, with
    // the problem, when something could not be written.
    bool save(std::string& problem);

    // The address as lists are followed under it (http or https, normalised);
    // none for anything else.
    static std::optional<std::string> listAddress(const std::string& url);
    // Follows a list; false when it is followed already or no http or https address.
    bool add(const std::string& url);
    // Stops following a list; its directories stay. False when it was not followed.
    bool remove(const std::string& url);

    const std::vector<FollowedList>& lists() const { return m_lists; }
    FollowedList* find(const std::string& url);
    // Keeps a list's new good copy; written by the next save.
    void keepCopy(const std::string& url, std::string text);
    // Where a list's last good copy is kept.
    std::filesystem::path copyPath(const std::string& url) const;
    const std::filesystem::path& file() const { return m_file; }

private:
    std::filesystem::path m_file;
    std::filesystem::path m_copies;
    std::vector<FollowedList> m_lists;
    std::vector<std::pair<std::string, std::string>> m_newCopies; // url, text
    std::vector<std::string> m_removed; // urls whose copies go
};
