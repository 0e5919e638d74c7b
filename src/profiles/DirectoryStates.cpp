#include "profiles/DirectoryStates.h"

#include "profiles/ProfileStore.h"
#include "profiles/SubmissionDate.h"

namespace SendingProfile {

DirectoryStates::DirectoryStates(ProfileStore& profiles, const IClock& clock)
    : m_profiles(profiles)
    , m_clock(clock)
{
}

DirectoryStatus DirectoryStates::read(const ProfileStore& profiles, const std::string& profile,
    const std::string& directory, const std::string& url)
{
    DirectoryStatus kept;
    const bool hasKept = profiles.getDirectoryState(profile, directory, kept);
    std::uint32_t color = 0;
    if (profiles.GetCustomColor(profile, directory, color) && color == kBrokenMarkColor) {
        if (!hasKept || kept.state != DirectoryState::Broken)
            kept = { DirectoryState::Broken, {}, {}, {} };
        return kept;
    }
    // A broken state without its colour was taken back by a colour command.
    if (hasKept && kept.state != DirectoryState::Broken)
        return kept;
    DirectoryStatus status;
    if (!profiles.IsSubmitted(profile, directory, url))
        return status;
    status.state =
        profiles.IsApproved(profile, directory, url) ? DirectoryState::Approved : DirectoryState::Sent;
    profiles.GetSubmissionDate(profile, directory, status.date);
    return status;
}

bool DirectoryStates::set(const std::string& profile, const std::string& directory, const std::string& url,
    DirectoryState state, const std::string& reason, const std::string& address) const
{
    if (!m_profiles.hasProfile(profile))
        return false;
    const bool submitted = m_profiles.IsSubmitted(profile, directory, url);
    switch (state) {
    case DirectoryState::New:
        if (submitted && !m_profiles.RemoveSubmission(profile, directory, url))
            return false;
        m_profiles.removeDirectoryState(profile, directory);
        return removeBrokenMark(profile, directory);
    case DirectoryState::Sent:
        if (!submitted)
            return recordSubmission(profile, directory, url) && removeBrokenMark(profile, directory);
        m_profiles.SetApproved(profile, directory, url, false);
        m_profiles.removeDirectoryState(profile, directory);
        return removeBrokenMark(profile, directory);
    case DirectoryState::Approved:
        if (!submitted && !recordSubmission(profile, directory, url))
            return false;
        // An approval already there leaves the kept state to be removed here.
        m_profiles.SetApproved(profile, directory, url, true);
        m_profiles.removeDirectoryState(profile, directory);
        return removeBrokenMark(profile, directory);
    case DirectoryState::Broken:
        if (submitted && !m_profiles.RemoveSubmission(profile, directory, url))
            return false;
        if (!m_profiles.SetCustomColor(profile, directory, kBrokenMarkColor))
            return false;
        break;
    default:
        if (!removeBrokenMark(profile, directory))
            return false;
        break;
    }
    return m_profiles.setDirectoryState(profile, directory, { state, stateDate(m_clock), reason, address });
}

bool DirectoryStates::removeBrokenMark(const std::string& profile, const std::string& directory) const
{
    std::uint32_t color = 0;
    if (!m_profiles.GetCustomColor(profile, directory, color) || color != kBrokenMarkColor)
        return true;
    return m_profiles.RemoveCustomColor(profile, directory);
}

bool DirectoryStates::recordSubmission(
    const std::string& profile, const std::string& directory, const std::string& url) const
{
    const std::string date = submissionDate(m_clock);
    return m_profiles.AddSubmission(profile, directory, url, {}, {}, {}, date);
}

} // namespace SendingProfile
