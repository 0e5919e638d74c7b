#pragma once

#include "profiles/DirectoryState.h"

#include <optional>
#include <string>

class IClock;

namespace SendingProfile {

class ProfileStore;

// What a profile file says of one directory, from which its state follows.
struct DirectoryFacts {
    std::optional<DirectoryStatus> kept; // the state kept beside the entries, if any
    bool brokenMark = false; // the profile's grey colour for the directory
    bool sent = false; // a submission entry
    bool approved = false; // an approved submission entry
    std::string entryDate {}; // the entry's date
};

// The one way to read and set where a profile stands with a directory, for the
// window, the command line and the checks that find states (learning,
// verification). Sent and approved are the profile's submission entries,
// broken its grey colour for the directory, new is nothing at all; the other
// states are kept in sv.xml beside them with their date, reason and address.
// What was recorded last stands: a kept state over an earlier entry, a later
// submission or approval over the kept state.
class DirectoryStates {
public:
    DirectoryStates(ProfileStore& profiles, const IClock& clock);

    // The directory's state for the profile; new when the profile knows nothing of it.
    static DirectoryStatus read(const ProfileStore& profiles, const std::string& profile,
        const std::string& directory, const std::string& url);
    // The state that facts read elsewhere give, for readers that ask the store
    // about a directory for more than its state.
    static DirectoryStatus statusOf(const DirectoryFacts& facts);
    DirectoryStatus read(
        const std::string& profile, const std::string& directory, const std::string& url) const
    {
        return read(m_profiles, profile, directory, url);
    }

    // Sets the directory's state, dated today; the reason and address go with
    // the kept states (and broken). Setting sent or approved records a
    // submission without picks when there is none; setting new or broken
    // forgets the submission. False when the profile does not exist or the
    // store reported a failure.
    bool set(const std::string& profile, const std::string& directory, const std::string& url,
        DirectoryState state, const std::string& reason = {}, const std::string& address = {}) const;

private:
    bool removeBrokenMark(const std::string& profile, const std::string& directory) const;
    bool recordSubmission(
        const std::string& profile, const std::string& directory, const std::string& url) const;

    ProfileStore& m_profiles;
    const IClock& m_clock;
};

} // namespace SendingProfile
