#include "history/SubmissionWorkbook.h"

#include <xlsxwriter.h>

#include <algorithm>
#include <iterator>
#include <memory>
#include <system_error>
#include <unistd.h>

using SendingProfile::SubmissionEntry;

namespace {

// Frees a workbook that was not closed; closing writes it, which an abandoned
// one must not do.
struct WorkbookFree {
    void operator()(lxw_workbook* workbook) const { lxw_workbook_free(workbook); }
};
using WorkbookPointer = std::unique_ptr<lxw_workbook, WorkbookFree>;

std::filesystem::path temporaryPath(const std::filesystem::path& target)
{
    return target.parent_path()
        / ("." + target.filename().string() + "." + std::to_string(::getpid()) + ".tmp");
}

std::string libraryError(lxw_error error)
{
    return lxw_strerror(error);
}

std::optional<std::string> writeRow(
    lxw_worksheet* sheet, lxw_row_t row, const std::vector<std::string>& cells)
{
    lxw_col_t column = 0;
    for (const std::string& cell : cells) {
        if (const lxw_error error = worksheet_write_string(sheet, row, column++, cell.c_str(), nullptr))
            return libraryError(error);
    }
    return std::nullopt;
}

std::vector<std::string> listingCells(const HistoryListings& listings, const std::string& directory)
{
    const auto found = listings.find(directory);
    if (found == listings.end() || found->second.state != SendingProfile::ListingState::Listed)
        return { {}, {} };
    return { found->second.page, found->second.followed() ? "yes" : "no" };
}

std::optional<std::string> fillSheet(
    lxw_worksheet* sheet, const std::vector<SubmissionEntry>& entries, const HistoryListings& listings)
{
    if (auto error = writeRow(sheet, 0, { std::begin(kHistoryColumns), std::end(kHistoryColumns) }))
        return error;
    lxw_row_t row = 1;
    for (const SubmissionEntry& entry : entries) {
        if (row > LXW_ROW_MAX - 1)
            return libraryError(LXW_ERROR_WORKSHEET_INDEX_OUT_OF_RANGE);
        std::vector<std::string> cells { entry.friendlyName, entry.url, entry.title, entry.description,
            entry.keywords, entry.datetime };
        std::ranges::move(listingCells(listings, entry.friendlyName), std::back_inserter(cells));
        if (auto error = writeRow(sheet, row++, cells))
            return error;
    }
    return std::nullopt;
}

std::optional<std::string> writeWorkbook(const std::filesystem::path& file, const std::string& sheetName,
    const std::vector<SubmissionEntry>& entries, const HistoryListings& listings)
{
    WorkbookPointer workbook(workbook_new(file.c_str()));
    if (!workbook)
        return libraryError(LXW_ERROR_MEMORY_MALLOC_FAILED);
    lxw_worksheet* sheet =
        workbook_add_worksheet(workbook.get(), sheetName.empty() ? nullptr : sheetName.c_str());
    if (!sheet)
        return libraryError(LXW_ERROR_PARAMETER_VALIDATION) + " (worksheet name \"" + sheetName + "\")";
    if (auto error = fillSheet(sheet, entries, listings))
        return error;
    if (const lxw_error error = workbook_close(workbook.release()))
        return libraryError(error);
    return std::nullopt;
}

} // namespace

std::optional<std::string> writeSubmissionWorkbook(const std::filesystem::path& target,
    const std::string& sheetName, const std::vector<SubmissionEntry>& entries,
    const HistoryListings& listings)
{
    const std::filesystem::path temporary = temporaryPath(target);
    std::error_code ignored;
    std::optional<std::string> error = writeWorkbook(temporary, sheetName, entries, listings);
    if (!error) {
        std::error_code renamed;
        std::filesystem::rename(temporary, target, renamed);
        if (renamed)
            error = renamed.message() + " (" + target.string() + ")";
    }
    if (error)
        std::filesystem::remove(temporary, ignored);
    return error;
}
