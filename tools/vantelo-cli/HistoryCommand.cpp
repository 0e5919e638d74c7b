// vantelo-cli history: export a profile's submission history as a workbook or an XML report.

#include "CommandLine.h"
#include "Commands.h"
#include "common/DataFolder.h"
#include "common/StderrMessageBox.h"
#include "history/SubmissionHistoryExport.h"
#include "profiles/ProfileStore.h"

#include <algorithm>
#include <cctype>
#include <iostream>

namespace {

constexpr const char* kUsage = "vantelo-cli history export [--data-dir DIR] --profile NAME OUT.xlsx|OUT.xml";

std::string lowerExtension(const std::filesystem::path& file)
{
    std::string extension = file.extension().string();
    std::ranges::transform(
        extension, extension.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension;
}

int exportHistory(CommandLine line)
{
    const std::optional<std::string> dataDir = line.takeOption("--data-dir");
    const std::optional<std::string> profile = line.takeOption("--profile");
    const std::filesystem::path output = line.positional(1, kUsage).front();
    if (!profile)
        throw UsageError(std::string("a --profile is needed; usage: ") + kUsage);
    const std::string extension = lowerExtension(output);
    if (extension != ".xlsx" && extension != ".xml")
        throw UsageError(std::string("the output must end in .xlsx or .xml; usage: ") + kUsage);

    const DataFolder folder = DataFolder::resolve(dataDir);
    StderrMessageBox messages;
    SendingProfile::ProfileStore profiles(messages);
    if (!profiles.Open(folder.profiles()))
        throw UsageError("cannot read the profile file " + folder.profiles().string());
    std::vector<std::string> names;
    profiles.GetProfileNames(names);
    if (std::ranges::find(names, *profile) == names.end()) {
        std::cerr << "vantelo-cli: no profile named \"" << *profile << "\"\n";
        return 1;
    }
    SubmissionHistoryExport exporter(profiles, messages);
    const bool exported = extension == ".xlsx"
        ? exporter.exportSpreadsheet(*profile, output)
        : exporter.exportXml(
            *profile, output, SubmissionHistoryExport::findStyleSheet(folder.root(), programFolder()));
    return exported ? 0 : 1;
}

} // namespace

int runHistoryCommand(const std::vector<std::string>& arguments)
{
    if (arguments.empty() || arguments.front() != "export")
        throw UsageError(std::string("usage: ") + kUsage);
    return exportHistory(CommandLine({ arguments.begin() + 1, arguments.end() }));
}
