#pragma once

#include "autofill/FieldMeaning.h"
#include "filling/PickSlots.h"
#include "filling/PlaceholderExpander.h"

#include <optional>
#include <string>
#include <vector>

class IRandomSource;
struct FieldRecognition;

namespace SendingProfile {
struct SiteProfile;
}

// The profile's value for each recognised field of one fill. Texts are what a
// form item's template of the same meaning gives ("#desc#" for a description),
// with the same pick slots, fitted to the field's maxlength afterwards; each list
// is drawn from once. Nothing where the profile has no value: a company field
// without a company stays empty, it never gets the title.
class RecognisedValues {
public:
    RecognisedValues(const SendingProfile::SiteProfile& profile, PickSlots& picks, IRandomSource& random);

    // The text for a text field; maxLength -1 for none.
    std::optional<std::string> text(const FieldRecognition& field, int maxLength);
    // The texts (or values) by which an option or a radio button stands for the
    // profile's value: a province, a country (its names and codes), a pricing
    // model, the founding year. Empty when the profile has none.
    std::vector<std::string> choiceNames(FieldMeaning meaning) const;
    // The file for a file input, when it can be sent: the logo, or for screenshot
    // inputs one screenshot after the other.
    std::optional<std::string> file(FieldMeaning meaning);

private:
    std::optional<std::string> pick(std::vector<std::string> SendingProfile::SiteProfile::*list,
        std::string PickSlots::*slot, std::string_view token, int maxLength);
    std::string expanded(std::string_view token);

    const SendingProfile::SiteProfile& m_profile;
    PickSlots& m_picks;
    IRandomSource& m_random;
    PlaceholderExpander m_expander;
    std::size_t m_screenshotsGiven = 0;
};

// "@name" for a social profile's address ("https://twitter.com/name") or a
// handle as stored ("@name", "name"); empty for an empty text.
std::string socialHandle(std::string_view address);
