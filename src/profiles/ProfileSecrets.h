#pragma once

#include <pugixml.hpp>

#include <string>
#include <vector>

class ISecretStore;

namespace SendingProfile {

// The secrets of a `profile` element of sv.xml: its password and reciprocal
// script password, which older versions kept there in clear text, and in an
// export with passwords its directory accounts as `account` elements
// (attribute `directory`, children `username` and `password`).

// Moves the element's clear-text secrets into the store and leaves their
// elements empty (`account` elements go); a secret the store refuses stays where
// it is. The texts of what failed.
std::vector<std::string> moveProfileSecrets(pugi::xml_node profile, ISecretStore& secrets);

// Gives a copy of a profile element (an export) its secrets from the store, or
// none at all.
void setExportedSecrets(pugi::xml_node profile, ISecretStore* secrets, bool includePasswords);

// Whether an element holds a secret in clear text.
bool holdsProfileSecrets(const pugi::xml_node& profile);

} // namespace SendingProfile
