#pragma once

#include "common/StatisticsServices.h"

#include <string>
#include <vector>

class ISecretStore;
class SettingsStore;

// The statistics services' API keys are secrets: they live in the secret store,
// and data/settings.xml holds them only where an older file had them.

// Takes the keys from the secret store; a key the store does not have keeps the
// value the settings gave.
void readServiceKeys(StatisticsServices& services, ISecretStore& secrets);

// Puts the keys chosen in the settings dialog into the secret store (an empty key
// removes the stored one) and takes them out of the settings. A key the store
// refuses stays in the settings, so nothing is lost. The texts of what failed.
std::vector<std::string> keepServiceKeys(
    ISecretStore& secrets, const StatisticsServices& services, SettingsStore& settings);

// Moves the keys an older settings file holds into the secret store, naming the
// provider that a key in the file implied. The texts of what failed.
std::vector<std::string> moveServiceKeys(ISecretStore& secrets, SettingsStore& settings);

// Whether the settings hold an API key.
bool holdsServiceKeys(const SettingsStore& settings);
