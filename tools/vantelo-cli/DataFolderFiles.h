#pragma once

#include "common/DataFolder.h"
#include "common/HostConfiguration.h"

#include <filesystem>

class ISecretStore;

namespace SendingProfile {
class ProfileStore;
}

// The files of a data folder as the commands read them; each failure is a
// CliFailure that names the file.

// The servers named in data/settings.xml, with the API keys of the secret store;
// the defaults without a settings file. A settings file that is there but cannot
// be read is an error.
HostConfiguration hostsOfDataFolder(const DataFolder& folder, ISecretStore& secrets);

// Opens a profile file that must be there and load; the store shows no message
// of its own (its window text speaks of the next start of Vantelo).
void openProfileFile(SendingProfile::ProfileStore& store, const std::filesystem::path& file);
