#pragma once

#include <chrono>
#include <cstdint>
#include <ctime>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

class DataFolder;

// The Tranco list, a research ranking of the top million sites, kept in the
// data folder as its "rank,domain" text: downloaded on demand (plain or
// zipped), stored atomically, refreshed when older than 30 days, and read for
// a site's traffic rank one line at a time, so that a lookup needs no more
// memory than a line.
class TrancoList {
public:
    // A list older than this many days is downloaded again before it is used.
    static constexpr int kRefreshDays = 30;
    // The rank that stands for "not in the list".
    static constexpr std::int32_t kNotListed = 0;

    // What a lookup found.
    struct Lookup {
        bool listPresent = false; // false: no list has been downloaded
        std::int32_t rank = kNotListed; // the rank, or kNotListed
        std::string domain; // the domain the rank is of, or the one looked for
    };

    // What a download did.
    struct Update {
        bool stored = false;
        std::string message; // what happened, in plain words
        std::size_t entries = 0; // lines in the stored list
    };

    // Told the bytes received so far and the whole size (0 while unknown);
    // false ends the download.
    using Progress = std::function<bool(std::uint64_t received, std::uint64_t total)>;

    explicit TrancoList(std::filesystem::path file);
    // The list's place in a data folder: data/tranco-top-1m.csv.
    static std::filesystem::path fileIn(const DataFolder& folder);

    const std::filesystem::path& file() const { return m_file; }
    // When the stored list was written; none without a list.
    std::optional<std::time_t> storedAt() const;
    // Whether there is no list or it is older than 30 days at `now`.
    bool needsRefresh(std::time_t now) const;
    // "downloaded on 05 March 2021 (3 days ago)" or "not downloaded yet".
    std::string ageText(std::time_t now) const;

    // The rank of a site (a URL or a host): of its host without "www.", else of
    // the nearest parent domain of at least two labels that the list holds.
    Lookup rankOf(std::string_view site) const;

    // The longest a download may take, however slowly it keeps arriving.
    static constexpr std::chrono::minutes kDownloadTimeLimit { 10 };

    // Downloads the list from `url` and stores it in place of the old one; a
    // failed, damaged or overlong download leaves the old list as it was. Blocks.
    Update update(const std::string& url, const Progress& progress = {},
        std::chrono::milliseconds timeLimit = kDownloadTimeLimit) const;

private:
    std::filesystem::path m_file;
};

// The "rank,domain" text in downloaded bytes: the bytes themselves when they
// are such text, else the first ".csv" entry (or the only entry) of a zip
// archive. None, with `problem` set, for anything else.
std::optional<std::string> trancoTextFrom(const std::string& bytes, std::string& problem);
