#pragma once

#include <array>
#include <string>

class IRandomSource;

namespace SendingProfile {
struct SiteProfile;
}

// The fields of the active profile that the tab tool bar's copy menu puts on the
// clipboard, in the menu's order.
enum class ProfileField {
    Url,
    Email,
    LinkTitle, // one of the titles, drawn at random
    LinkDescription, // one of the descriptions, drawn at random
    Keywords, // one of the keyword lines, drawn at random
    ReciprocalUrl,
    FirstName,
    LastName,
    Username,
    Password,
    Address,
    City,
    ZipCode,
};

// The copy menu's entries, in order.
inline constexpr std::array kCopyMenuFields { ProfileField::Url, ProfileField::Email, ProfileField::LinkTitle,
    ProfileField::LinkDescription, ProfileField::Keywords, ProfileField::ReciprocalUrl,
    ProfileField::FirstName, ProfileField::LastName, ProfileField::Username, ProfileField::Password,
    ProfileField::Address, ProfileField::City, ProfileField::ZipCode };

// The menu entry's text: "URL", "Email", "Link Title" and so on.
const char* profileFieldCaption(ProfileField field);

// The text an entry copies; a list without values gives an empty text.
std::string profileFieldText(
    ProfileField field, const SendingProfile::SiteProfile& profile, IRandomSource& random);
