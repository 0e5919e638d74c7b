#pragma once

#include "stats/SnapshotRun.h"

#include <string>

class DirectoryStore;
class IClock;

namespace SendingProfile {
class ProfileStore;
struct SiteProfile;
} // namespace SendingProfile

// What the snapshot takes from the stores and gives back to them. Both run on
// the thread that owns the stores.

// The author of entries made for approvals that were found rather than sent.
inline constexpr const char* kFoundByCrawler = "<Found by Directory Crawler module>";

// A run's input for a profile: its site address, its phrases, its submission
// history, and every directory of the database with its submit URL.
SnapshotRun::Input snapshotInput(const SendingProfile::ProfileStore& profiles,
    const SendingProfile::SiteProfile& profile, const DirectoryStore& directories,
    const SnapshotOptions& options, std::string vendorUrl);

// Records a directory found listing the site: an entry dated today when the
// profile has none for it, then the approval.
void recordFoundApproval(SendingProfile::ProfileStore& profiles, const std::string& profile,
    const SnapshotRun::Approval& approval, const IClock& clock);
