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
    DirectoryFacts facts;
    if (DirectoryStatus kept; profiles.getDirectoryState(profile, directory, kept))
        facts.kept = std::move(kept);
    std::uint32_t color = 0;
    facts.brokenMark = profiles.GetCustomColor(profile, directory, color) && color == kBrokenMarkColor;
    facts.sent = profiles.IsSubmitted(profile, directory, url);
    if (facts.sent) {
        facts.approved = profiles.IsApproved(profile, directory, url);
        profiles.GetSubmissionDate(profile, directory, facts.entryDate);
    }
    return statusOf(facts);
}

DirectoryStatus DirectoryStates::statusOf(const DirectoryFacts& facts)
{
    const bool keptBroken = facts.kept && facts.kept->state == DirectoryState::Broken;
    if (facts.brokenMark)
        return keptBroken ? *facts.kept : DirectoryStatus { DirectoryState::Broken, {}, {}, {} };
    // A broken state without its colour was taken back by a colour command.
    if (facts.kept && !keptBroken)
        return *facts.kept;
    if (!facts.sent)
        return {};
    return { facts.approved ? DirectoryState::Approved : DirectoryState::Sent, facts.entryDate, {}, {} };
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
