#pragma once

#include "profiles/DirectoryState.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

class DirectoryStore;
class IClock;
struct DirectoryRecord;
struct DirectoryList;
struct PickSlots;
struct SubmissionOutcome;

namespace SendingProfile {
class ProfileStore;
}

// The row commands of the directory list's context menu, and the recording of a
// submission that a browser tab confirmed or its directory refused. Each
// changes the profile store and the one row in place (with the counts and the
// progress), without a rebuild of the list; the marks the list always had name
// a row's directory by its text before the first "[".
class DirectoryRowMarks {
public:
    DirectoryRowMarks(
        const DirectoryStore& directories, SendingProfile::ProfileStore& profiles, const IClock& clock);

    // Records a submission dated today with the picks of the tab that shows the
    // directory (empty picks without one), unless there is one already.
    void markSent(
        DirectoryList& list, std::size_t row, const std::string& profile, const PickSlots& picks) const;
    // Forgets the submission, and the profile's own colour of the row.
    void markUnsent(DirectoryList& list, std::size_t row, const std::string& profile) const;
    // As "unsent", then greys the row for this profile only.
    void markBroken(DirectoryList& list, std::size_t row, const std::string& profile) const;
    void markApproved(DirectoryList& list, std::size_t row, const std::string& profile) const;
    void markUnapproved(DirectoryList& list, std::size_t row, const std::string& profile) const;

    // The directory's colour for every profile.
    void setCustomColor(DirectoryList& list, std::size_t row, std::uint32_t color) const;
    void removeCustomColor(
        DirectoryList& list, std::size_t row, const std::optional<std::string>& profile) const;
    void setCustomText(DirectoryList& list, std::size_t row, const std::string& text) const;

    // Applies a submission confirmed in a tab: adds its entry (counting one more
    // directory sent to) and marks the directory's row. The row, when the list shows it.
    std::optional<std::size_t> recordSubmission(DirectoryList& list, const std::string& profile,
        const std::string& directory, const SubmissionOutcome& outcome) const;

    // Sets the state of a row's directory (Skip, Needs Account, Paid Only, Back
    // to To Do) and shows the row as a rebuild would. False when nothing changed.
    bool markState(DirectoryList& list, std::size_t row, const std::string& profile,
        SendingProfile::DirectoryState state, const std::string& reason = {}) const;
    // Sets the state of a directory by name, and of its row when the list shows
    // it (a refused submission, a skip from a tab). The row, when the list shows it.
    std::optional<std::size_t> markDirectory(DirectoryList& list, const std::string& profile,
        const std::string& directory, SendingProfile::DirectoryState state,
        const std::string& reason = {}) const;

private:
    // The directory colour or, without one, the colour of its status.
    std::uint32_t plainColor(const std::string& name, bool sent) const;
    // Reads the row's state again after a mark, and counts it anew in the progress.
    void refreshState(DirectoryList& list, std::size_t row, const std::string& profile) const;
    // Counts a directory the list does not show anew in the progress.
    void recountUnlisted(DirectoryList& list, const std::string& profile, const DirectoryRecord& record,
        SendingProfile::DirectoryState before) const;
    // Reads the whole row again, and counts it anew.
    void rereadRow(DirectoryList& list, std::size_t row, const std::string& profile, bool wasSent) const;

    const DirectoryStore& m_directories;
    SendingProfile::ProfileStore& m_profiles;
    const IClock& m_clock;
};
