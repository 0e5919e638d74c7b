#include "filling/MeaningPlaceholder.h"

std::optional<std::string_view> placeholderFor(FieldMeaning meaning, bool withoutHttp, bool handle)
{
    switch (meaning) {
    case FieldMeaning::SiteTitle:
        return "#title#";
    case FieldMeaning::SiteUrl:
        return withoutHttp ? "#url_no_http#" : "#url#";
    case FieldMeaning::Description:
        return "#desc#";
    case FieldMeaning::Keywords:
        return "#keywords#";
    case FieldMeaning::Email:
        return "#email#";
    case FieldMeaning::FullName:
        return "#fname# #lname#";
    case FieldMeaning::FirstName:
        return "#fname#";
    case FieldMeaning::LastName:
        return "#lname#";
    case FieldMeaning::UserName:
        return "#username#";
    case FieldMeaning::Password:
        return "#password#";
    case FieldMeaning::StreetAddress:
        return "#address#";
    case FieldMeaning::City:
        return "#city#";
    case FieldMeaning::PostalCode:
        return "#zip#";
    case FieldMeaning::Province:
        return "#province#";
    case FieldMeaning::ReciprocalUrl:
        return "#reciprocal#";
    case FieldMeaning::Tagline:
        return "#tagline#";
    case FieldMeaning::Company:
        return "#company#";
    case FieldMeaning::Phone:
        return "#phone#";
    case FieldMeaning::Country:
        return "#country#";
    case FieldMeaning::Twitter:
        return handle ? std::nullopt : std::optional<std::string_view>("#twitter#");
    case FieldMeaning::LinkedIn:
        return handle ? std::nullopt : std::optional<std::string_view>("#linkedin#");
    case FieldMeaning::GitHub:
        return handle ? std::nullopt : std::optional<std::string_view>("#github#");
    case FieldMeaning::Facebook:
        return handle ? std::nullopt : std::optional<std::string_view>("#facebook#");
    case FieldMeaning::Pricing:
        return "#pricing#";
    case FieldMeaning::Founded:
        return "#founded#";
    case FieldMeaning::Tags:
        return "#tags#";
    default:
        return std::nullopt;
    }
}
