#include "stats/ListingStores.h"

#include "directories/DirectoryStore.h"
#include "profiles/DirectoryStates.h"
#include "profiles/ProfileStore.h"

#include <algorithm>

using namespace SendingProfile;

namespace {

ListingTarget targetFor(
    const ProfileStore& profiles, const std::string& profile, std::string name, std::string url)
{
    ListingRecord before;
    std::string knownPage;
    if (profiles.getListing(profile, name, before))
        knownPage = before.page;
    return { std::move(name), std::move(url), std::move(knownPage) };
}

} // namespace

std::vector<ListingTarget> listingTargets(const ProfileStore& profiles, const std::string& profile,
    const DirectoryStore& directories, const std::vector<std::string>& only,
    std::vector<std::string>& unknown)
{
    std::vector<SubmissionEntry> entries;
    profiles.GetSubmissionHistory(profile, entries);
    std::vector<ListingTarget> targets;
    auto added = [&](const std::string& name) {
        return std::ranges::any_of(
            targets, [&](const ListingTarget& target) { return target.directory == name; });
    };
    if (only.empty()) {
        for (const SubmissionEntry& entry : entries) {
            if (!entry.friendlyName.empty() && !added(entry.friendlyName))
                targets.push_back(targetFor(profiles, profile, entry.friendlyName, entry.url));
        }
        return targets;
    }
    for (const std::string& name : only) {
        const auto entry = std::ranges::find(entries, name, &SubmissionEntry::friendlyName);
        const std::string url = entry != entries.end() ? entry->url : directories.GetSubmitUrl(name);
        if (url.empty())
            unknown.push_back(name);
        else if (!added(name))
            targets.push_back(targetFor(profiles, profile, name, url));
    }
    return targets;
}

std::string listingSiteTitle(const ProfileStore& profiles, const SiteProfile& profile)
{
    if (!profile.titles.empty() && !profile.titles.front().empty())
        return profile.titles.front();
    std::vector<SubmissionEntry> entries;
    profiles.GetSubmissionHistory(profile.name, entries);
    const auto titled =
        std::ranges::find_if(entries, [](const SubmissionEntry& entry) { return !entry.title.empty(); });
    return titled != entries.end() ? titled->title : std::string();
}

void recordListing(ProfileStore& profiles, const IClock& clock, const std::string& profile,
    const ListingTarget& target, ListingRecord record)
{
    ListingRecord before;
    const bool known = profiles.getListing(profile, target.directory, before);
    if (known && record.page.empty())
        record.page = before.page;
    profiles.setListing(profile, target.directory, record);
    const DirectoryStates states(profiles, clock);
    if (record.state == ListingState::Listed)
        states.set(profile, target.directory, target.url, DirectoryState::Approved);
    else if (record.state == ListingState::NotFound && known && before.state == ListingState::Listed)
        states.set(
            profile, target.directory, target.url, DirectoryState::Lost, kListingLostReason, before.page);
}
