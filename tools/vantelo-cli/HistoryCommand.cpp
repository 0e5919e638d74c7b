// vantelo-cli history: export a profile's submission history as a workbook or an XML report.

#include "Commands.h"
#include "DataFolderFiles.h"
#include "common/StderrMessageBox.h"
#include "history/HistorySheetName.h"
#include "history/SubmissionHistoryExport.h"
#include "history/SubmissionWorkbook.h"
#include "profiles/ProfileStore.h"

#include <algorithm>
#include <cctype>

namespace {

std::string lowerExtension(const std::filesystem::path& file)
{
    std::string extension = file.extension().string();
    std::ranges::transform(
        extension, extension.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension;
}

void exportWorkbook(const SendingProfile::ProfileStore& profiles, const std::string& profile,
    const std::filesystem::path& output)
{
    std::vector<SendingProfile::SubmissionEntry> entries;
    profiles.GetSubmissionHistory(profile, entries);
    if (const auto error = writeSubmissionWorkbook(output, historySheetName(profile), entries))
        throw CliFailure("cannot write " + output.string() + ": " + *error);
}

void exportReport(const SendingProfile::ProfileStore& profiles, const std::string& profile,
    const std::filesystem::path& output, const DataFolder& folder)
{
    if (!profiles.ExportProfile(profile, output, SubmissionHistoryExport::kStyleSheetName))
        throw CliFailure("cannot write " + output.string());
    const std::filesystem::path styleSheet =
        SubmissionHistoryExport::findStyleSheet(folder.root(), programFolder());
    if (const auto error = SubmissionHistoryExport::placeStyleSheet(styleSheet, output.parent_path()))
        printNote("the report is written, but " + std::string(SubmissionHistoryExport::kStyleSheetName)
            + " could not be placed beside it: " + *error);
}

int runExport(CliArguments& line)
{
    const std::optional<std::string> profile = line.takeOption("--profile");
    const std::filesystem::path output = line.positional(1, 1).front();
    if (!profile)
        line.usageError("a --profile is needed");
    const std::string extension = lowerExtension(output);
    if (extension != ".xlsx" && extension != ".xml")
        line.usageError("the output must end in .xlsx or .xml");

    const DataFolder folder = line.dataFolder();
    StderrMessageBox messages(kCliProgram);
    SendingProfile::ProfileStore profiles(messages);
    openProfileFile(profiles, folder.profiles());
    std::vector<std::string> names;
    profiles.GetProfileNames(names);
    if (std::ranges::find(names, *profile) == names.end())
        throw CliFailure("no profile named \"" + *profile + "\" in " + folder.profiles().string());
    if (extension == ".xlsx")
        exportWorkbook(profiles, *profile, output);
    else
        exportReport(profiles, *profile, output, folder);
    return kExitSuccess;
}

} // namespace

const CliCommand& historyExportCommand()
{
    static const CliCommand command { "history export", "--profile NAME OUT.xlsx|OUT.xml",
        "Write a profile's submission history as a workbook or an XML report.",
        { { "--profile", "NAME", "the profile whose history is written" } },
        "The extension of the output chooses: an Excel workbook for .xlsx, the XML report\n"
        "for .xml, with submission.xsl copied beside it unless one is there. The file is\n"
        "replaced whole. Both carry the profile's submission history; neither carries\n"
        "its passwords.",
        CliCommand::kDataFolder, runExport };
    return command;
}
