#pragma once

#include <string>

struct TabFillState;

namespace SendingProfile {
struct SiteProfile;
}

// Whether the tab tool bar's "Reciprocal" button is enabled: the current tab's
// page shows the directory's link code and the profile places links through its
// script. Null for no current tab.
bool reciprocalButtonEnabled(const SendingProfile::SiteProfile& profile, const TabFillState* currentTab);

// The tool tip of that button for the same state.
std::string reciprocalButtonToolTip(
    const SendingProfile::SiteProfile& profile, const TabFillState* currentTab);
