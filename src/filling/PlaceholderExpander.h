#pragma once

#include "filling/PickSlots.h"

#include <string>
#include <string_view>

class IRandomSource;

namespace SendingProfile {
struct SiteProfile;
}

// Expands the placeholders of a form item's value template ("#url#", "#title#",
// ..., "#tagline#", "#company#", "#tags#") against the active profile. The tokens are replaced one after the
// other in a fixed order, so a token inside an inserted value is expanded as well when its turn comes later.
// Each list token draws one alternative per template and records it in the tab's pick slots.
class PlaceholderExpander {
public:
    explicit PlaceholderExpander(IRandomSource& random);

    // The expanded text; updates the pick slot of every list that was drawn from.
    std::string expand(
        std::string_view text, const SendingProfile::SiteProfile& profile, PickSlots& picks) const;
    // The text as the expansion goes on after the token's own turn: what a value
    // put in for the token becomes, later tokens inside it expanded, earlier ones
    // left as they are.
    std::string expandAfter(std::string_view token, std::string_view text,
        const SendingProfile::SiteProfile& profile, PickSlots& picks) const;

private:
    std::string expandFrom(std::size_t firstRow, std::string_view text,
        const SendingProfile::SiteProfile& profile, PickSlots& picks) const;

    IRandomSource& m_random;
};

// The site URL without a leading "http://" (in any letter case); other URLs,
// "https://" ones included, as stored.
std::string urlWithoutHttp(const std::string& url);
