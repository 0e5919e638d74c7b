#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

class DirectoryStore;
class IClock;
struct DirectoryList;
struct PickSlots;
struct SubmissionOutcome;

namespace SendingProfile {
class ProfileStore;
}

// The row commands of the directory list's context menu, and the recording of a
// submission that a browser tab confirmed. Each changes the profile store and
// the one row in place, without a rebuild of the list; a row names its
// directory by its text before the first "[".
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

private:
    // The directory colour or, without one, the colour of its status.
    std::uint32_t plainColor(const std::string& name, bool sent) const;

    const DirectoryStore& m_directories;
    SendingProfile::ProfileStore& m_profiles;
    const IClock& m_clock;
};
