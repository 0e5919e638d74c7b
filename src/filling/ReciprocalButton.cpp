#include "filling/ReciprocalButton.h"

#include "filling/TabFillState.h"
#include "profiles/SiteProfile.h"

namespace {

constexpr const char* kManagementDisabled =
    "Automatic reciprocal management is disabled for the current profile";
constexpr const char* kAddLink = "Add a reciprocal link to this directory";
constexpr const char* kNoField = "No reciprocal field was detected for this page";

bool automatic(const SendingProfile::SiteProfile& profile)
{
    return profile.reciprocalMethod == SendingProfile::kReciprocalAutomatic;
}

} // namespace

bool reciprocalButtonEnabled(const SendingProfile::SiteProfile& profile, const TabFillState* currentTab)
{
    return automatic(profile) && currentTab && currentTab->reciprocalCodeFound;
}

std::string reciprocalButtonToolTip(
    const SendingProfile::SiteProfile& profile, const TabFillState* currentTab)
{
    if (!automatic(profile))
        return kManagementDisabled;
    return currentTab && currentTab->reciprocalCodeFound ? kAddLink : kNoField;
}
