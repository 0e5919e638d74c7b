#pragma once

#include <string>

// What the fills of a page did with passwords, for the status line; a later
// value of the list outweighs an earlier one.
enum class PasswordFill {
    None, // the page asked for no password
    Filled, // the directory's password went in: its account's, or the profile's
    Withheld, // a password was kept out of a field: not plainly seen, added late, or of another site
    NewAccount, // a new password for the directory went into a sign-up form
};

// How many fields the fills of a page wrote, and how many of them because they
// were recognised rather than named by a form item.
struct FillCount {
    int fields = 0;
    int recognised = 0;
    PasswordFill passwords = PasswordFill::None;

    bool operator==(const FillCount&) const = default;
};

// The status line after a fill: "Filled 9 fields, 6 of them recognised", and
// what happened to a password.
std::string fillStatusText(const FillCount& count);
