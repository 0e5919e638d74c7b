#include "filling/FillCount.h"

namespace {

constexpr const char* kPasswordFilled = "; the directory's password is filled in";
constexpr const char* kPasswordWithheld =
    "; a password was kept out of a field that cannot be seen, came later or is not the directory's own site";
constexpr const char* kNewAccount =
    "; a new password for this directory is in the sign-up form and is kept when the form is submitted";

} // namespace

std::string fillStatusText(const FillCount& count)
{
    std::string text = "Filled " + std::to_string(count.fields)
        + (count.fields == 1 ? " field, " : " fields, ") + std::to_string(count.recognised)
        + " of them recognised";
    switch (count.passwords) {
    case PasswordFill::Filled:
        return text + kPasswordFilled;
    case PasswordFill::Withheld:
        return text + kPasswordWithheld;
    case PasswordFill::NewAccount:
        return text + kNewAccount;
    case PasswordFill::None:
        break;
    }
    return text;
}
