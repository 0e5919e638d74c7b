#include "custom/DirectoryListFile.h"

#include "common/IMessageBox.h"
#include "custom/DirectoryLineParser.h"
#include "custom/ListLineReader.h"
#include "custom/NewDirectoryList.h"

#include <cstdio>
#include <filesystem>
#include <memory>
#include <system_error>

namespace {

constexpr const char* kNoFileText = "Please choose a file to import from";
constexpr const char* kCannotOpenText =
    "Unable to open the selected file. Please check the file name, location and permissions";
constexpr const char* kReadFailedText = "badbit";

constexpr const char* kFoundText = "Found ";
constexpr const char* kFoundTotalText = " new directories from a total of ";
constexpr const char* kWaitText = ". Please wait while retrieving the PR for the new directories...";
constexpr const char* kNothingNewText = ". Press the Close button to continue.";
constexpr const char* kDoneText =
    " directories were successfully added to your custom directory list. Press the Close button to continue";

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

std::unique_ptr<std::FILE, FileCloser> openForReading(const std::string& fileName)
{
    // A folder opens on this system, but it is no list.
    std::error_code error;
    if (std::filesystem::is_directory(fileName, error))
        return nullptr;
    return std::unique_ptr<std::FILE, FileCloser>(std::fopen(fileName.c_str(), "rb"));
}

} // namespace

std::optional<DirectoryListScan> scanDirectoryListFile(
    const std::string& fileName, const std::map<std::string, std::string>& known, IMessageBox& messages)
{
    if (fileName.empty()) {
        messages.show(kNoFileText, kVanteloCaption, MessageIcon::Warning);
        return std::nullopt;
    }
    const auto file = openForReading(fileName);
    if (!file) {
        messages.show(kCannotOpenText, kVanteloCaption, MessageIcon::Warning);
        return std::nullopt;
    }

    NewDirectoryList list(known);
    ListLineReader reader(file.get());
    DirectoryLineParser parser;
    while (const std::optional<std::string_view> line = reader.next()) {
        if (parser.read(*line))
            list.offer(parser.name(), parser.address());
    }
    if (reader.failed())
        messages.show(kReadFailedText, kVanteloCaption, MessageIcon::Error);
    return DirectoryListScan { list.takeAdded(), list.offered() };
}

std::string importFoundText(const DirectoryListScan& scan)
{
    return kFoundText + std::to_string(scan.found.size()) + kFoundTotalText + std::to_string(scan.lineCount)
        + (scan.found.empty() ? kNothingNewText : kWaitText);
}

std::string importDoneText(std::size_t added)
{
    return std::to_string(added) + kDoneText;
}
