#include "autofill/FieldMeaning.h"

bool fillsFromProfile(FieldMeaning meaning)
{
    return meaning <= FieldMeaning::Tags;
}

std::string_view meaningName(FieldMeaning meaning)
{
    switch (meaning) {
    case FieldMeaning::SiteTitle:
        return "title";
    case FieldMeaning::SiteUrl:
        return "url";
    case FieldMeaning::Description:
        return "description";
    case FieldMeaning::Keywords:
        return "keywords";
    case FieldMeaning::Email:
        return "email";
    case FieldMeaning::FullName:
        return "fullname";
    case FieldMeaning::FirstName:
        return "firstname";
    case FieldMeaning::LastName:
        return "lastname";
    case FieldMeaning::UserName:
        return "username";
    case FieldMeaning::Password:
        return "password";
    case FieldMeaning::StreetAddress:
        return "address";
    case FieldMeaning::City:
        return "city";
    case FieldMeaning::PostalCode:
        return "zip";
    case FieldMeaning::Province:
        return "province";
    case FieldMeaning::ReciprocalUrl:
        return "reciprocal";
    case FieldMeaning::Category:
        return "category";
    case FieldMeaning::Agreement:
        return "agreement";
    case FieldMeaning::Tagline:
        return "tagline";
    case FieldMeaning::Company:
        return "company";
    case FieldMeaning::Phone:
        return "phone";
    case FieldMeaning::Country:
        return "country";
    case FieldMeaning::Logo:
        return "logo";
    case FieldMeaning::Screenshot:
        return "screenshot";
    case FieldMeaning::Twitter:
        return "twitter";
    case FieldMeaning::LinkedIn:
        return "linkedin";
    case FieldMeaning::GitHub:
        return "github";
    case FieldMeaning::Facebook:
        return "facebook";
    case FieldMeaning::Pricing:
        return "pricing";
    case FieldMeaning::Founded:
        return "founded";
    case FieldMeaning::Tags:
        return "tags";
    case FieldMeaning::Captcha:
        return "captcha";
    case FieldMeaning::Honeypot:
        return "honeypot";
    case FieldMeaning::Unknown:
        return "unknown";
    case FieldMeaning::ExtraOption:
        return "extra option";
    case FieldMeaning::Hidden:
        return "hidden";
    case FieldMeaning::ReadOnly:
        return "read-only";
    case FieldMeaning::OtherForm:
        return "other form";
    }
    return "unknown";
}

std::string_view formKindName(FormKind kind)
{
    switch (kind) {
    case FormKind::Submission:
        return "submission";
    case FormKind::Login:
        return "login";
    case FormKind::Search:
        return "search";
    case FormKind::Newsletter:
        return "newsletter";
    case FormKind::Comment:
        return "comment";
    case FormKind::Payment:
        return "payment";
    }
    return "submission";
}
