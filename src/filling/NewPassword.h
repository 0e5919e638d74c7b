#pragma once

#include <cstddef>
#include <string>
#include <vector>

class IRandomSource;

// What the password fields of a sign-up form ask of a new password.
struct PasswordRules {
    int maxLength = -1; // the smallest maxlength, -1 for none
    int minLength = -1; // the largest minlength, -1 for none
    std::vector<std::string> patterns; // pattern attributes, each to match the whole password

    // Takes in what one more field asks.
    void add(int fieldMaxLength, int fieldMinLength, const std::string& pattern);
};

// The length of a new password where the fields allow it.
inline constexpr std::size_t kNewPasswordLength = 20;

// A new password for a directory account: kNewPasswordLength characters of
// letters, digits and symbols, with at least one of each kind; fewer where the
// fields allow fewer, more where they ask for more. Where the patterns refuse
// symbols (or more), the mix narrows until a password matches them; when none
// does, the password is made as if there were no pattern.
std::string newPassword(const PasswordRules& rules, IRandomSource& random);
