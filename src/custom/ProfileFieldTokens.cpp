#include "custom/ProfileFieldTokens.h"

const std::vector<ProfileFieldToken>& profileFieldTokens()
{
    static const std::vector<ProfileFieldToken> fields {
        { "First Name Last Name", "#fname# #lname#" },
        { "First Name", "#fname#" },
        { "Last Name", "#lname#" },
        { "URL (Site Address)", "#url#" },
        { "E-Mail", "#email#" },
        { "Link Title", "#title#" },
        { "Site Description", "#desc#" },
        { "Keywords", "#keywords#" },
        { "Username", "#username#" },
        { "Password", "#password#" },
        { "Address", "#address#" },
        { "City", "#city#" },
        { "Zip Code", "#zip#" },
        { "State/Province", "#province#" },
    };
    return fields;
}
