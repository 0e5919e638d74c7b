#pragma once

#include "profiles/ListingRecord.h"
#include "profiles/SubmissionEntry.h"

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

// The column names of the submission history worksheet, in column order.
inline constexpr const char* kHistoryColumns[] = {
    "Directory",
    "URL",
    "Title",
    "Description",
    "Keywords",
    "Date_Submitted",
    "Listing_Page",
    "Link_Followed",
};

// The last listing verification of directories, by name.
using HistoryListings = std::map<std::string, SendingProfile::ListingRecord>;

// Writes an .xlsx workbook with one worksheet of that name: the header row, then
// one row of text cells per entry in the given order; a directory found listing
// the site adds its listing page and "yes" or "no" for a followed link. The workbook is written
// beside the target and renamed over it, so the target never holds half a
// workbook. Returns the library's or the system's error text on failure; the
// target is then untouched.
std::optional<std::string> writeSubmissionWorkbook(const std::filesystem::path& target,
    const std::string& sheetName, const std::vector<SendingProfile::SubmissionEntry>& entries,
    const HistoryListings& listings = {});
