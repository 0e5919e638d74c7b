#include "stats/SnapshotStores.h"

#include "directories/DirectoryStore.h"
#include "profiles/ProfileStore.h"
#include "profiles/SubmissionDate.h"

SnapshotRun::Input snapshotInput(const SendingProfile::ProfileStore& profiles,
    const SendingProfile::SiteProfile& profile, const DirectoryStore& directories,
    const SnapshotOptions& options, std::string vendorUrl)
{
    SnapshotRun::Input input;
    input.siteUrl = profile.url;
    input.phrases = profile.serpPhrases;
    std::vector<SendingProfile::SubmissionEntry> entries;
    profiles.GetSubmissionHistory(profile.name, entries);
    for (const SendingProfile::SubmissionEntry& entry : entries) {
        input.history.emplace_back(entry.friendlyName, entry.url);
        if (SendingProfile::ListingRecord listing;
            profiles.getListing(profile.name, entry.friendlyName, listing))
            input.listings.emplace(entry.friendlyName, std::move(listing));
    }
    for (const auto& [name, record] : directories.records())
        input.database.emplace_back(name, record.submitUrl);
    input.options = options;
    input.vendorUrl = std::move(vendorUrl);
    return input;
}

void recordFoundApproval(SendingProfile::ProfileStore& profiles, const std::string& profile,
    const SnapshotRun::Approval& approval, const IClock& clock)
{
    if (!profiles.IsSubmitted(profile, approval.name, approval.submitUrl))
        profiles.AddSubmission(profile, approval.name, approval.proofUrl, kFoundByCrawler, kFoundByCrawler,
            kFoundByCrawler, SendingProfile::submissionDate(clock));
    profiles.SetApproved(profile, approval.name, approval.submitUrl, true);
}
