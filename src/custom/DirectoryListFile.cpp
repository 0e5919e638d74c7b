#include "custom/DirectoryListFile.h"

#include "common/IMessageBox.h"
#include "custom/DirectoryAddress.h"
#include "custom/NewDirectoryList.h"

namespace {

constexpr const char* kNoFileText = "Please choose a file to import from";
constexpr const char* kCannotOpenText =
    "Unable to open the selected file. Please check the file name, location and permissions";
constexpr const char* kNoListText = "Unable to import the selected file: ";

constexpr const char* kFoundText = "Found ";
constexpr const char* kFoundTotalText = " new directories from a total of ";
constexpr const char* kWaitText = ". Please wait while retrieving the PR for the new directories...";
constexpr const char* kNothingNewText = ". Press the Close button to continue.";
constexpr const char* kDoneText =
    " directories were successfully added to your custom directory list. Press the Close button to continue";
// The skipped rows the preview names one by one.
constexpr std::size_t kSkippedShown = 10;

std::string plural(std::size_t count, const char* one, const char* many)
{
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

std::string columnsText(const std::vector<ListColumn>& columns)
{
    std::string text;
    for (const ListColumn& column : columns) {
        text += text.empty() ? "" : ", ";
        text += std::string(columnKindText(column.kind)) + " (";
        if (!column.heading.empty())
            text += "\"" + column.heading + "\"";
        else
            text += "column " + std::to_string(column.index + 1);
        text += column.byContent ? ", by its cells)" : ")";
    }
    return text;
}

std::string skippedText(const std::vector<SkippedRow>& skipped, bool entries)
{
    std::string text;
    for (std::size_t at = 0; at < std::min(skipped.size(), kSkippedShown); ++at) {
        text += "\n  " + std::string(entries ? "entry " : "line ") + std::to_string(skipped[at].line) + ": "
            + std::string(skipped[at].reason);
    }
    if (skipped.size() > kSkippedShown)
        text += "\n  and " + std::to_string(skipped.size() - kSkippedShown) + " more";
    return text;
}

bool givesFacts(const DirectoryListFacts& facts)
{
    return facts.rating != DirectoryListFacts::kUnknownRating || !facts.linkType.empty()
        || !facts.pricing.empty();
}

} // namespace

std::optional<DirectoryListScan> scanDirectoryList(
    const ListText& text, const std::map<std::string, std::string>& known, std::string& problem)
{
    DirectoryListReader reader(text.text(), text.mayHoldControls());
    if (!reader.problem().empty()) {
        problem = reader.problem();
        return std::nullopt;
    }
    NewDirectoryList list(known);
    DirectoryListScan scan;
    ListEntry entry;
    while (reader.next(entry)) {
        const std::string site = listSiteKey(entry.address);
        switch (list.offer(site,
            { std::string(entry.name), std::string(entry.address), std::string(entry.category),
                entry.facts })) {
        case NewDirectoryList::Offer::Added:
            break;
        case NewDirectoryList::Offer::Known:
            ++scan.knownCount;
            if (givesFacts(entry.facts))
                scan.known.push_back({ site, entry.facts });
            break;
        case NewDirectoryList::Offer::Repeated:
            ++scan.repeated;
            break;
        }
    }
    scan.found = list.takeAdded();
    scan.lineCount = list.offered();
    scan.shape = listShapeText(reader);
    scan.columns = reader.columns();
    scan.rows = reader.rows();
    scan.skipped = reader.skipped();
    scan.listShape = reader.shape();
    return scan;
}

DirectoryListRead readDirectoryListFile(
    const std::string& fileName, const std::map<std::string, std::string>& known)
{
    DirectoryListRead read;
    std::optional<ListText> text = readListFile(fileName);
    if (!text)
        return read;
    read.opened = true;
    read.problem = text->problem();
    if (read.problem.empty())
        read.scan = scanDirectoryList(*text, known, read.problem);
    return read;
}

std::optional<DirectoryListScan> scanDirectoryListFile(
    const std::string& fileName, const std::map<std::string, std::string>& known, IMessageBox& messages)
{
    if (fileName.empty()) {
        messages.show(kNoFileText, kVanteloCaption, MessageIcon::Warning);
        return std::nullopt;
    }
    return reportedScan(readDirectoryListFile(fileName, known), messages);
}

std::optional<DirectoryListScan> reportedScan(DirectoryListRead read, IMessageBox& messages)
{
    if (!read.opened) {
        messages.show(kCannotOpenText, kVanteloCaption, MessageIcon::Warning);
        return std::nullopt;
    }
    if (!read.problem.empty()) {
        messages.show(kNoListText + read.problem, kVanteloCaption, MessageIcon::Warning);
        return std::nullopt;
    }
    return std::move(read.scan);
}

std::string listPreviewText(const DirectoryListScan& scan)
{
    std::string text = "Read as " + scan.shape + ".";
    if (!scan.columns.empty())
        text += "\nColumns: " + columnsText(scan.columns) + ".";
    text += "\n" + plural(static_cast<std::size_t>(scan.rows), "row", "rows") + ": "
        + plural(scan.found.size(), "new directory", "new directories") + ", "
        + std::to_string(scan.knownCount) + " known already";
    if (!scan.known.empty())
        text += " (" + plural(scan.known.size(), "gets", "get") + " the list's rating, link type or pricing)";
    if (scan.repeated > 0)
        text += ", " + plural(static_cast<std::size_t>(scan.repeated), "repeat", "repeats")
            + " of a site listed before";
    text += ", " + std::to_string(scan.skipped.size()) + " skipped.";
    if (!scan.skipped.empty())
        text += "\nSkipped:" + skippedText(scan.skipped, scan.listShape == ListShape::Json);
    return text;
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
