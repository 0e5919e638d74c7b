#include "checker/ReviewSave.h"

#include "checker/CDirectoryBackend.h"
#include "checker/CheckerCaptions.h"
#include "common/IMessageBox.h"

#include <functional>

namespace {

constexpr const char* kSaveFailed =
    "Failed to save directory database. Please check you have sufficient permissions";
constexpr const char* kSavedStatus = "Successfully saved directory database";
constexpr const char* kFailedStatus = "Failed to saved directory database";
constexpr const char* kOfferedFileName = "dirdata.xml";

// Runs a change on the first directory with the name, if there is one.
void changeFirstNamed(CDirectoryBackend& backend, const std::u16string& name,
    const std::function<void(IDirectoryEnumerator&)>& change)
{
    const std::shared_ptr<IDirectoryEnumerator> directories = backend.CreateEnumerator();
    while (directories->MoveNext()) {
        if (directories->GetName() == name) {
            change(*directories);
            return;
        }
    }
}

bool chosen(const std::vector<bool>& flags, std::size_t index)
{
    return index < flags.size() && flags[index];
}

} // namespace

ReviewSelection ReviewSelection::all(const CheckResults& results, bool chosen)
{
    return { std::vector<bool>(results.prChanges.size(), chosen),
        std::vector<bool>(results.brokenSites.size(), chosen) };
}

void applyReview(CDirectoryBackend& backend, const CheckResults& results, const ReviewSelection& selection)
{
    for (std::size_t at = 0; at < results.brokenSites.size(); ++at) {
        if (chosen(selection.brokenSites, at))
            changeFirstNamed(backend, results.brokenSites[at].name,
                [](IDirectoryEnumerator& directory) { directory.SetEnabled(false); });
    }
    for (std::size_t at = 0; at < results.prChanges.size(); ++at) {
        if (chosen(selection.prChanges, at))
            changeFirstNamed(backend, results.prChanges[at].name,
                [pageRank = results.prChanges[at].newPR](
                    IDirectoryEnumerator& directory) { directory.SetPR(pageRank); });
    }
}

bool saveReviewedDatabase(
    const CDirectoryBackend& backend, const std::filesystem::path& file, IMessageBox& messages)
{
    if (!backend.isLoaded() || backend.saveDatabase(file)) {
        messages.show(kSaveFailed, kDbCheckerCaption, MessageIcon::Warning);
        return false;
    }
    return true;
}

SaveOutcome reviewAndSave(CDirectoryBackend& backend, const CheckResults& results,
    const std::optional<std::filesystem::path>& commandLineFile, IReviewHost& host, IMessageBox& messages)
{
    const std::optional<ReviewSelection> selection = host.showReview(results, commandLineFile.has_value());
    if (!selection)
        return SaveOutcome::Cancelled;
    std::optional<std::filesystem::path> target = commandLineFile;
    if (!target)
        target = host.chooseSaveFile(backend.loadedPath().parent_path() / kOfferedFileName);
    if (!target || target->empty())
        return SaveOutcome::Cancelled;
    applyReview(backend, results, *selection);
    return saveReviewedDatabase(backend, *target, messages) ? SaveOutcome::Saved : SaveOutcome::Failed;
}

const char* saveStatusText(SaveOutcome outcome)
{
    switch (outcome) {
    case SaveOutcome::Saved:
        return kSavedStatus;
    case SaveOutcome::Failed:
        return kFailedStatus;
    case SaveOutcome::Cancelled:
        break;
    }
    return "";
}
