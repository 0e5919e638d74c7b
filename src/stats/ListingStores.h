#pragma once

#include "profiles/ListingRecord.h"
#include "stats/ListingVerifier.h"

#include <string>
#include <vector>

class DirectoryStore;
class IClock;

namespace SendingProfile {
class ProfileStore;
struct SiteProfile;
} // namespace SendingProfile

// What a listing verification takes from the stores and gives back to them, on
// the thread that owns the stores.

// The reason a lost listing's state gives.
inline constexpr const char* kListingLostReason = "The listing page no longer links the site";

// The directories to verify for a profile: those it sent to, in the order of its
// history, or the named ones (sent to or not, by the name the history or the
// directory database knows), each with the page the last verification found
// the listing on. Names neither knows are added to `unknown`.
std::vector<ListingTarget> listingTargets(const SendingProfile::ProfileStore& profiles,
    const std::string& profile, const DirectoryStore& directories, const std::vector<std::string>& only,
    std::vector<std::string>& unknown);

// The title the site is listed under: the profile's first link title, or the
// first title its submissions carried.
std::string listingSiteTitle(
    const SendingProfile::ProfileStore& profiles, const SendingProfile::SiteProfile& profile);

// Keeps a directory's result in the profile. A listing marks the submission
// approved; a directory that listed the site before and now does not is lost,
// dated today. A result without a page keeps the page found before, so that the
// next verification looks there first.
void recordListing(SendingProfile::ProfileStore& profiles, const IClock& clock, const std::string& profile,
    const ListingTarget& target, SendingProfile::ListingRecord record);
