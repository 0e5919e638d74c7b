#pragma once

#include <vector>

// One profile field the directory wizard offers for dragging onto a page's
// fields: its display name and the placeholder a drag carries.
struct ProfileFieldToken {
    const char* displayName;
    const char* token;
};

// The profile fields in the order the wizard lists them.
const std::vector<ProfileFieldToken>& profileFieldTokens();
