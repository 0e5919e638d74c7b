#pragma once

#include "history/SubmissionWorkbook.h"

#include <filesystem>
#include <optional>
#include <string>

class IMessageBox;

namespace SendingProfile {
class ProfileStore;
}

// Exports one profile's submission history, as a spreadsheet or as the XML
// report that names the style sheet "submission.xsl", and tells the user how it
// went. The main window's command and vantelo-cli share it.
class SubmissionHistoryExport {
public:
    // The style sheet the XML report names, and the file name it is copied to.
    static constexpr const char* kStyleSheetName = "submission.xsl";

    SubmissionHistoryExport(const SendingProfile::ProfileStore& profiles, IMessageBox& messages);

    // The style sheet to copy: the data folder's own when it has one, else the
    // one shipped with the program.
    static std::filesystem::path findStyleSheet(
        const std::filesystem::path& dataFolder, const std::filesystem::path& programFolder);

    // Copies the style sheet into a folder unless the folder has one; the error
    // text when that failed.
    static std::optional<std::string> placeStyleSheet(
        const std::filesystem::path& source, const std::filesystem::path& folder);

    // The last listing verification of each directory of the profile's history.
    static HistoryListings listingsOf(const SendingProfile::ProfileStore& profiles,
        const std::string& profile, const std::vector<SendingProfile::SubmissionEntry>& entries);

    // Replaces the target with an .xlsx workbook; a failure leaves no target.
    bool exportSpreadsheet(const std::string& profile, const std::filesystem::path& target);
    // Writes the XML report and copies the style sheet from `styleSheet` into the
    // target's folder, unless a file of that name is already there.
    bool exportXml(const std::string& profile, const std::filesystem::path& target,
        const std::filesystem::path& styleSheet);

private:
    void failSpreadsheet(const std::filesystem::path& target, const std::string& error);

    const SendingProfile::ProfileStore& m_profiles;
    IMessageBox& m_messages;
};
