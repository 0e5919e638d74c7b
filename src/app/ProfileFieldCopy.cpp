#include "app/ProfileFieldCopy.h"

#include "common/IRandomSource.h"
#include "profiles/SiteProfile.h"

#include <vector>

namespace {

std::string drawn(const std::vector<std::string>& values, IRandomSource& random)
{
    if (values.empty())
        return {};
    return values[random.pick(values.size()) % values.size()];
}

} // namespace

const char* profileFieldCaption(ProfileField field)
{
    switch (field) {
    case ProfileField::Url:
        return "URL";
    case ProfileField::Email:
        return "Email";
    case ProfileField::LinkTitle:
        return "Link Title";
    case ProfileField::LinkDescription:
        return "Link Description";
    case ProfileField::Keywords:
        return "Keywords";
    case ProfileField::ReciprocalUrl:
        return "Reciprocal URL";
    case ProfileField::FirstName:
        return "First Name";
    case ProfileField::LastName:
        return "Last Name";
    case ProfileField::Username:
        return "Username";
    case ProfileField::Password:
        return "Password";
    case ProfileField::Address:
        return "Address";
    case ProfileField::City:
        return "City";
    case ProfileField::ZipCode:
        return "Zip Code";
    }
    return "";
}

std::string profileFieldText(
    ProfileField field, const SendingProfile::SiteProfile& profile, IRandomSource& random)
{
    switch (field) {
    case ProfileField::Url:
        return profile.url;
    case ProfileField::Email:
        return profile.email;
    case ProfileField::LinkTitle:
        return drawn(profile.titles, random);
    case ProfileField::LinkDescription:
        return drawn(profile.descriptions, random);
    case ProfileField::Keywords:
        return drawn(profile.keywords, random);
    case ProfileField::ReciprocalUrl:
        return profile.reciprocal;
    case ProfileField::FirstName:
        return profile.fname;
    case ProfileField::LastName:
        return profile.lname;
    case ProfileField::Username:
        return profile.username;
    case ProfileField::Password:
        return profile.password;
    case ProfileField::Address:
        return profile.address;
    case ProfileField::City:
        return profile.city;
    case ProfileField::ZipCode:
        return profile.zip;
    }
    return {};
}
