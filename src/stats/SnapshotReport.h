#pragma once

#include "profiles/ListingRecord.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

class IMessageBox;

// What a finished snapshot found, as the report shows it.
struct SnapshotFindings {
    std::string siteUrl;
    std::string date; // "%d %B %Y" of the day the report is made
    bool includeGeneral = false;
    bool includeSerp = false;
    bool includeApproval = false;
    // The six general figures in report order: Google PR, Google Homepage PR,
    // Google Inbound Links, Google Index, Yahoo Inbound Link, Yahoo Index.
    std::array<std::int32_t, 6> figures {};
    // Each figure's name in the report when it differs from the one above
    // ("PageRank" from Open PageRank), and who gave it; without sources the
    // table has no source column.
    std::array<std::string, 6> labels;
    std::array<std::string, 6> sources;
    // The traffic rank (0: not in the list) and its source; no row when unset.
    std::optional<std::int32_t> trafficRank;
    std::string trafficSource;
    // The headings of the two position columns when they differ from Google's and Yahoo's.
    std::array<std::string, 2> positionHeadings;
    // The phrases searched for and their positions, in phrase order.
    std::vector<std::string> phrases;
    std::vector<std::int32_t> googlePositions;
    std::vector<std::int32_t> yahooPositions;
    // The directories of the submission history, and those found listing the site.
    std::size_t submittedCount = 0;
    std::vector<std::string> foundNames;
    std::vector<std::string> proofUrls;
    // The last listing verification of directories, by name: the approval table
    // shows the listing page and whether its link is followed.
    std::map<std::string, SendingProfile::ListingRecord> listings;
};

// The snapshot report: one self-contained HTML page with an embedded style sheet.
// Every text that comes from the user or a web page is HTML-escaped, characters
// beyond ASCII as character references, so the page reads the same in any
// encoding a browser guesses. The footer links to the vendor's site. A figure
// that its source does not give or whose server gave no answer
// (CSEOData::kNotAvailable), and a PageRank that the query did not get, read
// "n/a" rather than a count of 0.
std::string buildSnapshotReport(const SnapshotFindings& findings, const std::string& vendorUrl);

// Writes a report to the file the user chose (atomically) and says how it went:
// "Your snapshot was successfully saved." or "Unable to save to the desired file.".
bool saveSnapshotReport(const std::filesystem::path& file, const std::string& report, IMessageBox& messages);
