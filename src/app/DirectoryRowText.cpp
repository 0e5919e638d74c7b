#include "app/DirectoryRowText.h"

#include "app/DirectoryList.h"
#include "profiles/SubmissionDate.h"

#include <algorithm>

namespace {

constexpr std::string_view kSuffixStart = " [";
constexpr std::string_view kPrTag = "[pr";
constexpr const char* kToolTipBreak = "\n\n";
constexpr const char* kSubmittedOn = "Submitted on ";
constexpr const char* kStateDateJoin = " on ";
// A middle dot between blanks.
constexpr const char* kProgressJoin = " \xC2\xB7 ";
constexpr const char* kStateReasonJoin = ": ";

} // namespace

std::string taggedDirectoryName(const std::string& name, std::int32_t pr)
{
    std::string tagged;
    // Room for the status suffix too, which most rows get next.
    tagged.reserve(name.size() + 24);
    tagged += name;
    tagged += kPrTag;
    tagged += std::to_string(pr);
    tagged += ']';
    return tagged;
}

std::string rowDirectoryName(std::string_view rowText)
{
    return std::string(rowText.substr(0, rowText.find('[')));
}

bool rowShowsDirectory(std::string_view rowText, std::string_view name)
{
    // The whole tagged name is compared, so that "Best" does not find "Best Links[pr3]".
    return rowText.size() > name.size() && rowText.starts_with(name)
        && rowText.substr(name.size()).starts_with(kPrTag);
}

std::string rowTextWithSuffix(std::string_view rowText, std::string_view suffix)
{
    return std::string(rowText.substr(0, rowText.find(kSuffixStart))) + std::string(suffix);
}

std::string sentCountLabel(int count)
{
    return "Sent to " + std::to_string(count) + " " + (count == 1 ? "directory" : "directories");
}

std::string progressLabel(const DirectoryList& list)
{
    if (!list.forProfile)
        return {};
    const DirectoryProgress& progress = list.progress;
    std::string label = "Sent " + std::to_string(progress.sent) + kProgressJoin + "approved "
        + std::to_string(progress.approved) + kProgressJoin + std::to_string(progress.toDo) + " to do";
    if (list.rows.empty())
        return label;
    const auto done = std::ranges::count_if(list.rows,
        [](const DirectoryListRow& row) { return row.status.state != SendingProfile::DirectoryState::New; });
    const auto shown = static_cast<long long>(list.rows.size());
    return label + " (" + std::to_string(done * 100 / shown) + "% of the " + std::to_string(shown)
        + " shown done)";
}

std::string availableLabel(int shown, int total)
{
    return std::to_string(shown) + "/" + std::to_string(total) + " directories available";
}

std::string rowToolTip(const DirectoryListRow& row)
{
    std::string tip = row.address;
    const auto add = [&tip](const std::string& part) {
        if (!tip.empty())
            tip += kToolTipBreak;
        tip += part;
    };
    if (!row.date.empty())
        add(kSubmittedOn + row.date);
    if (!row.customText.empty())
        add(row.customText);
    if (const std::string state = stateNote(row.status); !state.empty())
        add(state);
    return tip;
}

std::string stateNote(const SendingProfile::DirectoryStatus& status)
{
    if (status.reason.empty() && status.address.empty())
        return {};
    std::string note(SendingProfile::directoryStateCaption(status.state));
    if (!status.date.empty())
        note += kStateDateJoin + SendingProfile::shownDate(status.date);
    if (!status.reason.empty())
        note += kStateReasonJoin + status.reason;
    if (!status.address.empty())
        note += "\n" + status.address;
    return note;
}
