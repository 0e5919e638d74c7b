#pragma once

#include "checker/CheckResults.h"

#include <filesystem>
#include <optional>
#include <vector>

class CDirectoryBackend;
class IMessageBox;

// Which of a run's results the user chose, one flag per entry in result order.
struct ReviewSelection {
    std::vector<bool> prChanges;
    std::vector<bool> brokenSites;

    // Every entry of the results chosen, or none.
    static ReviewSelection all(const CheckResults& results, bool chosen = true);
};

// The windows the save flow needs.
class IReviewHost {
public:
    virtual ~IReviewHost() = default;

    // Shows the results for review: the user's choice, or nothing when cancelled.
    virtual std::optional<ReviewSelection> showReview(
        const CheckResults& results, bool openedFromCommandLine) = 0;
    // Asks where to save, offering a file: the chosen file, or nothing when cancelled.
    virtual std::optional<std::filesystem::path> chooseSaveFile(const std::filesystem::path& offered) = 0;
};

// How a save flow ended.
enum class SaveOutcome {
    Cancelled, // the review or the file dialog was cancelled; nothing changed
    Saved, // the chosen changes were applied and the file written
    Failed, // the changes were applied but the file could not be written
};

// Writes the chosen changes into the loaded document: each goes to the first
// directory of its name; a name that matches none changes nothing.
void applyReview(CDirectoryBackend& backend, const CheckResults& results, const ReviewSelection& selection);

// Saves the document in the form it was loaded in, atomically; a failure is
// reported through the message box.
bool saveReviewedDatabase(
    const CDirectoryBackend& backend, const std::filesystem::path& file, IMessageBox& messages);

// The whole flow: the review, the target (the command line's file without
// asking, else the user's choice), the changes, the save.
SaveOutcome reviewAndSave(CDirectoryBackend& backend, const CheckResults& results,
    const std::optional<std::filesystem::path>& commandLineFile, IReviewHost& host, IMessageBox& messages);

// The save-status line after a flow; empty after a cancelled one.
const char* saveStatusText(SaveOutcome outcome);
