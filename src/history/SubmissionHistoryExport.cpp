#include "history/SubmissionHistoryExport.h"

#include "common/IMessageBox.h"
#include "history/HistorySheetName.h"
#include "history/SubmissionWorkbook.h"
#include "profiles/ProfileStore.h"

#include <system_error>

namespace {

constexpr const char* kSpreadsheetDone = "The current profile has been successfully exported.";
constexpr const char* kSpreadsheetFailed =
    "An exception was thrown while exporting the submission history. This may be caused by special "
    "characters in "
    "the fields of your profile. Please save your submission report in XML format or contact support for "
    "resolution. The specific error details are:\r\n\t";
constexpr const char* kXmlDone = "The current profile has been successfully exported. If you wish to move "
                                 "the report to another PC be sure to "
                                 "move the submission.xsl file that was generated in the same directory.";
constexpr const char* kXmlFailed = "An error occurred while exporting the current profile";
constexpr const char* kStyleSheetNotCopied =
    "The style sheet submission.xsl could not be placed beside the report, so a browser will show the report "
    "without its layout. The specific error details are:\r\n\t";

} // namespace

SubmissionHistoryExport::SubmissionHistoryExport(
    const SendingProfile::ProfileStore& profiles, IMessageBox& messages)
    : m_profiles(profiles)
    , m_messages(messages)
{
}

std::filesystem::path SubmissionHistoryExport::findStyleSheet(
    const std::filesystem::path& dataFolder, const std::filesystem::path& programFolder)
{
    // An installed program keeps its shipped files in share/vantelo beside bin/.
    const std::filesystem::path candidates[] = { dataFolder / kStyleSheetName,
        programFolder / kStyleSheetName,
        programFolder.parent_path() / "share" / "vantelo" / kStyleSheetName };
    std::error_code error;
    for (const std::filesystem::path& candidate : candidates) {
        if (std::filesystem::exists(candidate, error))
            return candidate;
    }
    return candidates[1];
}

std::optional<std::string> SubmissionHistoryExport::placeStyleSheet(
    const std::filesystem::path& source, const std::filesystem::path& folder)
{
    const std::filesystem::path target = folder / kStyleSheetName;
    std::error_code error;
    if (std::filesystem::exists(target, error))
        return std::nullopt;
    std::filesystem::copy_file(source, target, std::filesystem::copy_options::skip_existing, error);
    if (error)
        return error.message() + " (" + source.string() + ")";
    return std::nullopt;
}

HistoryListings SubmissionHistoryExport::listingsOf(const SendingProfile::ProfileStore& profiles,
    const std::string& profile, const std::vector<SendingProfile::SubmissionEntry>& entries)
{
    HistoryListings listings;
    for (const SendingProfile::SubmissionEntry& entry : entries) {
        if (SendingProfile::ListingRecord listing; profiles.getListing(profile, entry.friendlyName, listing))
            listings.emplace(entry.friendlyName, std::move(listing));
    }
    return listings;
}

bool SubmissionHistoryExport::exportSpreadsheet(
    const std::string& profile, const std::filesystem::path& target)
{
    std::error_code removed;
    std::filesystem::remove(target, removed);
    if (removed) {
        failSpreadsheet(target, removed.message() + " (" + target.string() + ")");
        return false;
    }
    std::vector<SendingProfile::SubmissionEntry> entries;
    m_profiles.GetSubmissionHistory(profile, entries);
    if (auto error = writeSubmissionWorkbook(
            target, historySheetName(profile), entries, listingsOf(m_profiles, profile, entries))) {
        failSpreadsheet(target, *error);
        return false;
    }
    m_messages.show(kSpreadsheetDone, kVanteloCaption, MessageIcon::Information);
    return true;
}

bool SubmissionHistoryExport::exportXml(
    const std::string& profile, const std::filesystem::path& target, const std::filesystem::path& styleSheet)
{
    if (!m_profiles.ExportProfile(profile, target, kStyleSheetName)) {
        m_messages.show(kXmlFailed, kVanteloCaption, MessageIcon::Error);
        return false;
    }
    const std::optional<std::string> notCopied = placeStyleSheet(styleSheet, target.parent_path());
    m_messages.show(kXmlDone, kVanteloCaption, MessageIcon::Information);
    if (notCopied)
        m_messages.show(kStyleSheetNotCopied + *notCopied, kVanteloCaption, MessageIcon::Warning);
    return true;
}

void SubmissionHistoryExport::failSpreadsheet(const std::filesystem::path& target, const std::string& error)
{
    std::error_code ignored;
    std::filesystem::remove(target, ignored);
    m_messages.show(kSpreadsheetFailed + error, kVanteloCaption, MessageIcon::Error);
}
